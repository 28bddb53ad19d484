#include "gui/Beitragsdialoge.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/Text.h"
#include "gui/QtOberflaeche.h"
#include "store/ZAQ.h"

namespace zaq::gui {
namespace {

QLineEdit* Feld(QWidget* eltern, const std::string& text, const TEingaberegel& regel, const char* name) {
  auto* f = new QLineEdit(Q(text), eltern);
  f->setMaxLength(static_cast<int>(regel.laenge));
  f->setObjectName(QString::fromLatin1(name));
  return f;
}

// A key field: what is typed goes through the logic's handler (upper case,
// five characters), and the field shows what the logic made of it.
template <class Logik>
void SchluesselFeld(QLineEdit* feld, Logik& logik) {
  QObject::connect(feld, &QLineEdit::textEdited, feld, [feld, &logik](const QString& t) {
    logik.txtSchluessel = S(t);
    logik.txtSchluesselChange();
    const QString ergebnis = Q(logik.txtSchluessel);
    if (ergebnis == t) return;
    const int pos = feld->cursorPosition();
    feld->setText(ergebnis);
    feld->setCursorPosition(std::min(pos, static_cast<int>(ergebnis.size())));
  });
}

QSpinBox* Zahl(QWidget* eltern, int von, int bis, int wert, const char* name) {
  auto* z = new QSpinBox(eltern);
  z->setRange(von, bis);
  z->setValue(wert);
  z->setObjectName(QString::fromLatin1(name));
  return z;
}

QDialogButtonBox* Knoepfe(QDialog* dialog, const std::string& ok) {
  auto* k = new QDialogButtonBox(dialog);
  k->addButton(Q(ok), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("befOK"));
  k->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  QObject::connect(k, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(k, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return k;
}


}  // namespace

void RegistriereBeitragsdialoge() {
  RegistriereModal<BtrKlasseDialog, TfrmBtrKlasse>();
  RegistriereModal<VereinskontoDialog, TfrmVereinskonto>();
  RegistriereModal<SepaUmstellungDialog, TfrmSepaUmstellung>();
  RegistriereModal<AuswahlDialog, TfrmAuswahl>();
}

// --- fee class ---

BtrKlasseDialog::BtrKlasseDialog(TfrmBtrKlasse& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(Q(logik.Titel));
  auto* layout = new QVBoxLayout(this);
  auto* kopf = new QFormLayout;
  FSchluessel = Feld(this, logik.txtSchluessel, logik.kSchluessel, "txtSchluessel");
  SchluesselFeld(FSchluessel, logik);
  FBezeichnung = Feld(this, logik.txtBezeichnung, logik.kBezeichnung, "txtBezeichnung");
  FTeilberechnung = new QComboBox(this);
  FTeilberechnung->setObjectName(QStringLiteral("cmbTeilberechnung"));
  for (const auto& t : TeilberechnungTexte()) FTeilberechnung->addItem(Q(t));
  FTeilberechnung->setCurrentIndex(logik.cmbTeilberechnung);
  kopf->addRow(QStringLiteral("Schlüssel:"), FSchluessel);
  kopf->addRow(QStringLiteral("Bezeichnung:"), FBezeichnung);
  kopf->addRow(QStringLiteral("Teilberechnung:"), FTeilberechnung);
  layout->addLayout(kopf);
  FFaktorText = new QCheckBox(Q(TfrmBtrKlasse::kFaktorText), this);
  FFaktorText->setObjectName(QStringLiteral("chkFaktorText"));
  FFaktorText->setChecked(logik.chkFaktorText);
  layout->addWidget(FFaktorText);

  auto* wahl = new QHBoxLayout;
  FAltersklassen = new QRadioButton(QStringLiteral("&Altersklassen"), this);
  FFamilienbeitrag = new QRadioButton(QStringLiteral("&Familienbeitrag"), this);
  FFamilienbeitrag->setObjectName(QStringLiteral("optFamilienbeitrag"));
  (logik.optFamilienbeitrag ? FFamilienbeitrag : FAltersklassen)->setChecked(true);
  wahl->addWidget(FAltersklassen);
  wahl->addWidget(FFamilienbeitrag);
  wahl->addStretch();
  layout->addLayout(wahl);

  FSeiten = new QStackedWidget(this);
  auto* alter = new QWidget(FSeiten);
  auto* raster = new QGridLayout(alter);
  FAnzahl = Zahl(alter, 1, TfrmBtrKlasse::kZeilen, logik.txtAnzahl, "txtAnzahl");
  auto* anzahl = new QHBoxLayout;
  anzahl->addWidget(new QLabel(QStringLiteral("Anzahl:"), alter));
  anzahl->addWidget(FAnzahl);
  anzahl->addStretch();
  raster->addLayout(anzahl, 0, 0, 1, 4);
  const char* titel[] = {"Bezeichnung (Verwendungszweck)", "von", "bis", "Beitrag"};
  for (int s = 0; s < 4; ++s) raster->addWidget(new QLabel(QString::fromUtf8(titel[s]), alter), 1, s);
  for (int i = 0; i < TfrmBtrKlasse::kZeilen; ++i) {
    const auto& z = logik.Zeilen[static_cast<std::size_t>(i)];
    Zeile& w = FZeilen[static_cast<std::size_t>(i)];
    w.zweck = Feld(alter, z.zweck, TfrmBtrKlasse::kBezeichnung, "txtZweck");
    w.von = new QLabel(alter);
    w.bis = Zahl(alter, 0, 150, z.bis, "txtBis");
    w.betrag = Feld(alter, z.betrag, TfrmBtrKlasse::kBetrag, "txtBetrag");
    raster->addWidget(w.zweck, i + 2, 0);
    raster->addWidget(w.von, i + 2, 1);
    raster->addWidget(w.bis, i + 2, 2);
    raster->addWidget(w.betrag, i + 2, 3);
    connect(w.bis, &QSpinBox::valueChanged, this, [this, i] {
      for (std::size_t k = 0; k < FZeilen.size(); ++k) FLogik.Zeilen[k].bis = FZeilen[k].bis->value();
      FLogik.txtBisChange(i);
      ZeilenAnzeigen();
    });
  }
  FSeiten->addWidget(alter);

  auto* familie = new QWidget(FSeiten);
  auto* form = new QFormLayout(familie);
  FFamilienZweck = Feld(familie, logik.txtFamilienZweck, TfrmBtrKlasse::kBezeichnung, "txtFamilienZweck");
  FFamilienBetrag = Feld(familie, logik.txtFamilienBetrag, TfrmBtrKlasse::kBetrag, "txtFamilienBetrag");
  FHoechstzahl = new QCheckBox(QStringLiteral("Höchstzahl einhalten:"), familie);
  FHoechstzahl->setChecked(logik.chkHoechstzahl);
  FFesteZahl = new QCheckBox(QStringLiteral("Feste Zahl erforderlich:"), familie);
  FFesteZahl->setChecked(logik.chkFesteZahl);
  FFamilienZahl = Zahl(familie, 1, 9, logik.txtFamilienZahl, "txtFamilienZahl");
  FFamilienAlter = Zahl(familie, 0, 99, logik.txtFamilienAlter, "txtFamilienAlter");
  auto* info = new QPushButton(QStringLiteral("Infos..."), familie);
  form->addRow(QStringLiteral("Bezeichnung (Verwendungszweck)"), FFamilienZweck);
  form->addRow(QStringLiteral("Einmaliger Betrag"), FFamilienBetrag);
  auto* zahlen = new QWidget(familie);
  auto* haken = new QVBoxLayout(zahlen);
  haken->setContentsMargins(0, 0, 0, 0);
  haken->addWidget(FHoechstzahl);
  haken->addWidget(FFesteZahl);
  form->addRow(zahlen, FFamilienZahl);
  form->addRow(QStringLiteral("Erwachsen ab Alter:"), FFamilienAlter);
  form->addRow(QString(), info);
  FSeiten->addWidget(familie);
  layout->addWidget(FSeiten);
  layout->addWidget(Knoepfe(this, logik.Knopf));

  auto seite = [this] { FSeiten->setCurrentIndex(FFamilienbeitrag->isChecked() ? 1 : 0); };
  connect(FFamilienbeitrag, &QRadioButton::toggled, this, seite);
  connect(FAnzahl, &QSpinBox::valueChanged, this, [this] { ZeilenAnzeigen(); });
  connect(FHoechstzahl, &QCheckBox::toggled, this, [this] {
    FLogik.chkHoechstzahl = FHoechstzahl->isChecked();
    FLogik.chkHoechstzahlClick();
    const QSignalBlocker sperre(FFesteZahl);
    FFesteZahl->setChecked(FLogik.chkFesteZahl);
  });
  connect(FFesteZahl, &QCheckBox::toggled, this, [this] {
    FLogik.chkFesteZahl = FFesteZahl->isChecked();
    FLogik.chkFesteZahlClick();
    const QSignalBlocker sperre(FHoechstzahl);
    FHoechstzahl->setChecked(FLogik.chkHoechstzahl);
  });
  connect(info, &QPushButton::clicked, this,
          [this] { QMessageBox::information(this, QStringLiteral("ZAQ Mitgliederverwaltung"), Q(TfrmBtrKlasse::kInfo)); });
  seite();
  ZeilenAnzeigen();
}

void BtrKlasseDialog::ZeilenAnzeigen() {
  for (std::size_t i = 0; i < FZeilen.size(); ++i) {
    Zeile& w = FZeilen[i];
    const auto& z = FLogik.Zeilen[i];
    const QSignalBlocker sperre(w.bis);
    w.bis->setMinimum(std::min(z.von, 150));
    w.bis->setValue(z.bis);
    w.von->setText(QString::number(z.von));
    const bool sichtbar = static_cast<int>(i) < FAnzahl->value();
    for (QWidget* x : {static_cast<QWidget*>(w.zweck), static_cast<QWidget*>(w.von), static_cast<QWidget*>(w.bis),
                       static_cast<QWidget*>(w.betrag)})
      x->setVisible(sichtbar);
  }
}

void BtrKlasseDialog::Uebernehmen() {
  FLogik.txtSchluessel = S(FSchluessel->text());
  FLogik.txtSchluesselChange();
  FLogik.txtBezeichnung = S(FBezeichnung->text());
  FLogik.cmbTeilberechnung = FTeilberechnung->currentIndex();
  FLogik.chkFaktorText = FFaktorText->isChecked();
  FLogik.optFamilienbeitrag = FFamilienbeitrag->isChecked();
  FLogik.txtAnzahl = FAnzahl->value();
  FLogik.chkHoechstzahl = FHoechstzahl->isChecked();
  FLogik.chkFesteZahl = FFesteZahl->isChecked();
  FLogik.txtFamilienZahl = FFamilienZahl->value();
  FLogik.txtFamilienAlter = FFamilienAlter->value();
  FLogik.txtFamilienZweck = S(FFamilienZweck->text());
  FLogik.txtFamilienBetrag = S(FFamilienBetrag->text());
  for (std::size_t i = 0; i < FZeilen.size(); ++i) {
    FLogik.Zeilen[i].zweck = S(FZeilen[i].zweck->text());
    FLogik.Zeilen[i].bis = FZeilen[i].bis->value();
    FLogik.Zeilen[i].betrag = S(FZeilen[i].betrag->text());
  }
}

void BtrKlasseDialog::accept() {
  Uebernehmen();
  if (FLogik.Speichern()) QDialog::accept();
}

// --- club account ---

VereinskontoDialog::VereinskontoDialog(TfrmVereinskonto& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(Q(logik.Titel));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  FSchluessel = Feld(this, logik.txtSchluessel, logik.kSchluessel, "txtSchluessel");
  SchluesselFeld(FSchluessel, logik);
  FBezeichnung = Feld(this, logik.txtBezeichnung, logik.kBezeichnung, "txtBezeichnung");
  FInhaber = Feld(this, logik.txtInhaber, logik.kInhaber, "txtInhaber");
  FBLZ = Feld(this, logik.txtBLZ, logik.kBLZ, "txtBLZ");
  FKonto = Feld(this, logik.txtKonto, logik.kKonto, "txtKonto");
  FIBAN = Feld(this, logik.txtIBAN, logik.kIBAN, "txtIBAN");
  FGlaeubigerID = Feld(this, logik.txtGlaeubigerID, logik.kGlaeubigerID, "txtGlaeubigerID");
  FBankname = Feld(this, logik.txtBankname, logik.kBankname, "txtBankname");
  form->addRow(QStringLiteral("Kontoschlüssel:"), FSchluessel);
  form->addRow(QStringLiteral("Bezeichnung:"), FBezeichnung);
  form->addRow(QStringLiteral("Gläubiger-Name:"), FInhaber);
  form->addRow(QStringLiteral("Bankleitzahl:"), FBLZ);
  form->addRow(QStringLiteral("Kontonummer:"), FKonto);
  form->addRow(QStringLiteral("IBAN:"), FIBAN);
  form->addRow(QStringLiteral("Gläubiger-ID:"), FGlaeubigerID);
  form->addRow(QStringLiteral("Geldinstitut:"), FBankname);
  layout->addLayout(form);
  layout->addWidget(Knoepfe(this, logik.Knopf));
  for (QLineEdit* f : {FIBAN, FInhaber, FBankname}) f->installEventFilter(this);
}

bool VereinskontoDialog::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::FocusIn) {
    Uebernehmen();
    if (objekt == FIBAN) FLogik.txtIBANEnter();
    else if (objekt == FInhaber) FLogik.txtInhaberEnter();
    else if (objekt == FBankname) FLogik.txtBanknameEnter();
    Anzeigen();
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void VereinskontoDialog::Uebernehmen() {
  FLogik.txtSchluessel = S(FSchluessel->text());
  FLogik.txtSchluesselChange();
  FLogik.txtBezeichnung = S(FBezeichnung->text());
  FLogik.txtInhaber = S(FInhaber->text());
  FLogik.txtBLZ = S(FBLZ->text());
  FLogik.txtKonto = S(FKonto->text());
  FLogik.txtIBAN = S(FIBAN->text());
  FLogik.txtGlaeubigerID = S(FGlaeubigerID->text());
  FLogik.txtBankname = S(FBankname->text());
}

void VereinskontoDialog::Anzeigen() {
  FIBAN->setText(Q(FLogik.txtIBAN));
  FInhaber->setText(Q(FLogik.txtInhaber));
  FBankname->setText(Q(FLogik.txtBankname));
}

void VereinskontoDialog::accept() {
  Uebernehmen();
  if (FLogik.Speichern()) QDialog::accept();
}

// --- conversion to SEPA ---

SepaUmstellungDialog::SepaUmstellungDialog(TfrmSepaUmstellung& logik, QWidget* eltern)
    : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Umstellung der Datenbank auf SEPA"));
  auto* layout = new QVBoxLayout(this);
  auto bestaetigung = [this, layout](const char* text, const char* name) {
    auto* zeile = new QHBoxLayout;
    auto* box = new QCheckBox(this);
    box->setObjectName(QString::fromLatin1(name));
    auto* beschriftung = new QLabel(Q(text), this);
    beschriftung->setWordWrap(true);
    beschriftung->setBuddy(box);
    zeile->addWidget(box, 0, Qt::AlignTop);
    zeile->addWidget(beschriftung, 1);
    layout->addLayout(zeile);
    connect(box, &QCheckBox::toggled, this, &SepaUmstellungDialog::Freigeben);
    return box;
  };
  FBestaetigung1 = bestaetigung(TfrmSepaUmstellung::kBestaetigungIBAN, "chkBestaetigung1");
  FBestaetigung2 = bestaetigung(TfrmSepaUmstellung::kBestaetigungEndgueltig, "chkBestaetigung2");
  FIBAN = new QPushButton(QStringLiteral("IBAN berechnen"), this);
  FIBAN->setObjectName(QStringLiteral("befIBAN"));
  layout->addWidget(FIBAN);
  auto* mandate = new QHBoxLayout;
  mandate->addWidget(new QLabel(QStringLiteral("Datum des Mandats:"), this));
  FDatum = Feld(this, logik.txtMandatsdatum, logik.kMandatsdatum, "txtMandatsdatum");
  mandate->addWidget(FDatum);
  FMandate = new QPushButton(QStringLiteral("Mandate generieren"), this);
  FMandate->setObjectName(QStringLiteral("befMandate"));
  mandate->addWidget(FMandate);
  layout->addLayout(mandate);
  auto* schliessen = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(schliessen, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(schliessen);
  connect(FIBAN, &QPushButton::clicked, this, [this] { FLogik.befIBANClick(); });
  connect(FMandate, &QPushButton::clicked, this, [this] {
    FLogik.txtMandatsdatum = S(FDatum->text());
    FLogik.befMandateClick();
  });
  Freigeben();
}

void SepaUmstellungDialog::Freigeben() {
  FLogik.chkBestaetigung1 = FBestaetigung1->isChecked();
  FLogik.chkBestaetigung2 = FBestaetigung2->isChecked();
  FIBAN->setEnabled(FLogik.KnoepfeAktiv());
  FMandate->setEnabled(FLogik.KnoepfeAktiv());
}

// --- list chooser ---

AuswahlDialog::AuswahlDialog(TfrmAuswahl& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(Q(logik.Titel));
  auto* layout = new QVBoxLayout(this);
  FListe = new QTreeWidget(this);
  FListe->setObjectName(QStringLiteral("lstAuswahl"));
  FListe->setRootIsDecorated(false);
  FListe->header()->hide();
  int spalten = 1;
  for (const auto& e : logik.Eintraege) {
    const QStringList teile = Q(e).split(QLatin1Char(';'));
    spalten = std::max(spalten, static_cast<int>(teile.size()));
    FListe->addTopLevelItem(new QTreeWidgetItem(teile));
  }
  FListe->setColumnCount(spalten);
  for (std::size_t i = 0; i < logik.Spaltenbreiten.size(); ++i)
    FListe->setColumnWidth(static_cast<int>(i), logik.Spaltenbreiten[i]);
  if (logik.Index >= 0 && logik.Index < FListe->topLevelItemCount())
    FListe->setCurrentItem(FListe->topLevelItem(logik.Index));
  layout->addWidget(FListe);
  layout->addWidget(Knoepfe(this, "OK"));
  connect(FListe, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  if (logik.Breite > 0) resize(logik.Breite, height());
}

void AuswahlDialog::accept() {
  QTreeWidgetItem* gewaehlt = FListe->currentItem();
  if (!gewaehlt) return;
  FLogik.Index = FListe->indexOfTopLevelItem(gewaehlt);
  QDialog::accept();
}

// --- co-financing window ---

MitfinanzierungsFenster::MitfinanzierungsFenster(QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(Q(TfrmMitfinanzierungen::kTitel));
  setWindowFlags(windowFlags() | Qt::Tool);
  auto* layout = new QVBoxLayout(this);
  FListe = new QListWidget(this);
  FListe->setObjectName(QStringLiteral("lstMitfinanzierungen"));
  layout->addWidget(FListe);
  connect(FListe, &QListWidget::itemActivated, this, [this](QListWidgetItem* eintrag) {
    TMitglied* m = FLogik.Mitglied(FListe->row(eintrag));
    if (m && MitgliedGewaehlt) MitgliedGewaehlt(m);
  });
  resize(300, 200);
}

void MitfinanzierungsFenster::Zeige(TZAQ* liste, TMitglied* mitglied) {
  FLogik.Fuellen(liste, mitglied);
  FListe->clear();
  for (const auto& e : FLogik.Eintraege()) FListe->addItem(Q(e).replace(QLatin1Char(';'), QStringLiteral("  ")));
}

void MitfinanzierungsFenster::showEvent(QShowEvent* e) {
  if (!FPlatziert) {
    FPlatziert = true;
    if (auto platz = TfrmMitfinanzierungen::GespeicherterPlatz())
      setGeometry(platz->x, platz->y, platz->breite, platz->hoehe);
  }
  QDialog::showEvent(e);
  if (SichtbarGeaendert) SichtbarGeaendert(true);
}

void MitfinanzierungsFenster::hideEvent(QHideEvent* e) {
  const QRect g = geometry();
  TfrmMitfinanzierungen::SpeicherePlatz({g.x(), g.y(), g.width(), g.height()});
  QDialog::hideEvent(e);
  if (SichtbarGeaendert) SichtbarGeaendert(false);
}

}  // namespace zaq::gui
