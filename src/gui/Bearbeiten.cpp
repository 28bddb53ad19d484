#include "gui/Bearbeiten.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"
#include "views/Mitgliederdialoge.h"

namespace zaq::gui {
namespace {

using B = TfrmZAQBearbeiten;
const char* const kFeld = "zaqTextfeld";  // the property naming a field's index in the logic's table

const B::Textfeld* TextfeldVon(QObject* objekt) {
  const QVariant i = objekt->property(kFeld);
  if (!i.isValid()) return nullptr;
  return &B::Textfelder()[static_cast<std::size_t>(i.toInt())];
}

}  // namespace

Datumsfeld::Datumsfeld(QWidget* eltern) : QWidget(eltern), FZeile(new QLineEdit(this)) {
  auto* zeile = new QHBoxLayout(this);
  zeile->setContentsMargins(0, 0, 0, 0);
  FZeile->setMaxLength(10);
  FZeile->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
  auto* knopf = new QToolButton(this);
  knopf->setText(QStringLiteral("..."));
  knopf->setToolTip(QStringLiteral("Datum im Kalender wählen"));
  zeile->addWidget(FZeile, 1);
  zeile->addWidget(knopf);
  connect(FZeile, &QLineEdit::editingFinished, this, [this] {
    if (FZeile->isModified()) emit Verlassen(FZeile->text());
    FZeile->setModified(false);
  });
  connect(knopf, &QToolButton::clicked, this, [this, knopf] {
    auto* kalender = new QCalendarWidget;
    kalender->setWindowFlags(Qt::Popup);
    kalender->setAttribute(Qt::WA_DeleteOnClose);
    kalender->setFirstDayOfWeek(Qt::Monday);
    const QDate tag = QDate::fromString(FZeile->text(), QStringLiteral("dd.MM.yyyy"));
    if (tag.isValid()) kalender->setSelectedDate(tag);
    connect(kalender, &QCalendarWidget::clicked, this, [this, kalender](const QDate& d) {
      kalender->close();
      emit Verlassen(d.toString(QStringLiteral("dd.MM.yyyy")));
    });
    kalender->move(knopf->mapToGlobal(QPoint(0, knopf->height())));
    kalender->show();
  });
}

void Datumsfeld::Zeige(Tag tag) {
  FZeile->setText(Q(DatumsfeldText(tag)));
  FZeile->setModified(false);
}

QLineEdit* BearbeitenFenster::Zeile(QWidget* eltern, std::string TfrmZAQBearbeiten::*feld) {
  const B::Textfeld& f = B::TextfeldVon(feld);
  auto* e = new QLineEdit(eltern);
  e->setObjectName(QString::fromLatin1(f.name));
  if (f.regel.laenge > 0) e->setMaxLength(static_cast<int>(f.regel.laenge));
  e->setProperty(kFeld, static_cast<int>(&f - B::Textfelder().data()));
  // The logic takes what is typed by the field's rule; the line shows the result.
  connect(e, &QLineEdit::textEdited, this, [this, e, feld](const QString& text) {
    FLogik.Tippe(feld, S(text));
    const QString ergebnis = Q(FLogik.*feld);
    if (ergebnis != text) {
      const int pos = e->cursorPosition();
      e->setText(ergebnis);
      e->setCursorPosition(std::min(pos, static_cast<int>(ergebnis.size())));
    }
  });
  if (f.auswahl != B::Auswahl::Keine) {
    e->setContextMenuPolicy(Qt::PreventContextMenu);  // the right mouse button opens the chooser instead
    e->installEventFilter(this);
  }
  return e;
}

BearbeitenFenster::BearbeitenFenster(TfrmZAQBearbeiten& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(Q(logik.FTitel));
  Aufbauen();
  Anzeigen();
}

void BearbeitenFenster::Aufbauen() {
  using Seite = TfrmZAQBearbeiten::Seite;
  auto* layout = new QVBoxLayout(this);
  FSeiten = new QTabWidget(this);
  layout->addWidget(FSeiten);
  std::vector<std::function<void()>> anzeigen;

  // --- "&Persönliche Daten" ---
  auto* persoenlich = new QWidget;
  auto* p = new QFormLayout(persoenlich);
  auto feld = [&](std::string TfrmZAQBearbeiten::*text, const char* titel, const char* hinweis = nullptr) {
    QLineEdit* e = Zeile(persoenlich, text);
    if (hinweis) e->setToolTip(QString::fromUtf8(hinweis));
    p->addRow(QString::fromUtf8(titel), e);
    anzeigen.push_back([this, e, text] { e->setText(Q(FLogik.*text)); });
    return e;
  };
  // A date field of the logic; leaving it hands the text over.
  auto datumsfeld = [&](QWidget* eltern, Tag TfrmZAQBearbeiten::*tag, const char* name) {
    auto* d = new Datumsfeld(eltern);
    d->Zeile()->setObjectName(QString::fromLatin1(name));
    connect(d, &Datumsfeld::Verlassen, this, [this, tag](const QString& text) {
      FLogik.VerlasseDatumsfeld(tag, S(text));
      Anzeigen();
    });
    anzeigen.push_back([this, d, tag] { d->Zeige(FLogik.*tag); });
    return d;
  };
  QLineEdit* nachname = feld(&B::txtNNa, "Nachname:");
  feld(&B::txtVNa, "Vorname:");
  feld(&B::txtZus, "Zusatz:", "Zusatzbezeichnung (z.B. \"jun.\" oder \"sen.\")");
  feld(&B::txtTitel, "Titel:");
  auto* geschlecht = new QHBoxLayout;
  auto* maennlich = new QRadioButton(QStringLiteral("M"), persoenlich);
  auto* weiblich = new QRadioButton(QStringLiteral("W"), persoenlich);
  geschlecht->addWidget(maennlich);
  geschlecht->addWidget(weiblich);
  geschlecht->addStretch();
  p->addRow(QStringLiteral("Geschlecht:"), geschlecht);
  connect(maennlich, &QRadioButton::toggled, this, [this](bool an) { FLogik.optGe1 = an; });
  anzeigen.push_back([=, this] { (FLogik.optGe1 ? maennlich : weiblich)->setChecked(true); });
  feld(&B::txtStr, "Straße:", "Straße mit Hausnummer");
  QLineEdit* plz = feld(&B::txtPLZ, "PLZ:", "Postleitzahl, fünfstellig");
  QLineEdit* ort = feld(&B::txtOrt, "Ort:");
  connect(plz, &QLineEdit::textEdited, this, [this, ort] {
    if (FLogik.PLZEingegeben()) ort->setFocus();
  });
  auto* land = new QComboBox(persoenlich);
  land->setEditable(true);
  for (const auto& [code, name] : TfrmZAQBearbeiten::Laender()) land->addItem(Q(name), Q(code));
  connect(land, qOverload<int>(&QComboBox::activated), this, [this, land](int i) {
    land->setEditText(land->itemData(i).toString());
    FLogik.Tippe(&B::txtLand, S(land->currentText()));
  });
  connect(land, &QComboBox::editTextChanged, this, [this](const QString& t) { FLogik.Tippe(&B::txtLand, S(t)); });
  anzeigen.push_back([=, this] { land->setEditText(Q(FLogik.txtLand)); });
  p->addRow(QStringLiteral("Land:"), land);
  feld(&B::txtTel, "Telefon:");
  feld(&B::txtMob, "Mobil:");
  feld(&B::txtMail, "E-Mail/Fax:");
  feld(&B::txtLink, "Link:");
  p->addRow(QStringLiteral("Geburtsdatum:"), datumsfeld(persoenlich, &B::txtGebDt, "txtGebDt"));
  p->addRow(QStringLiteral("Eintrittsdatum:"), datumsfeld(persoenlich, &B::txtEinDt, "txtEinDt"));
  feld(&B::txtAbt, "Abteilungen:", "Abteilungen durch Kommas getrennt");
  QLineEdit* ehrenmitglied = feld(&B::txtEMG, "Ehrenmitglied seit:");
  ehrenmitglied->installEventFilter(this);
  feld(&B::txtEhr, "Letzte Ehrung:", "Ehrung, die das Mitglied zuletzt erhielt");
  feld(&B::txtAnr, "Anrechnung:", "Jahre, die dem Mitglied angerechnet werden");
  auto* weiter1 = new QPushButton(QStringLiteral("Weiter..."), persoenlich);
  p->addRow(QString(), weiter1);
  FSeiten->addTab(persoenlich, QStringLiteral("&Persönliche Daten"));

  // --- "&Gruppenzuordnung" ---
  auto* gruppen = new QWidget;
  auto* g = new QVBoxLayout(gruppen);
  auto* liste = new QListWidget(gruppen);
  const auto namen = FLogik.GruppenNamen();
  for (std::size_t i = 0; i < namen.size(); ++i) {
    auto* eintrag = new QListWidgetItem(Q(namen[i]), liste);
    eintrag->setFlags(eintrag->flags() | Qt::ItemIsUserCheckable);
  }
  connect(liste, &QListWidget::itemChanged, this, [this, liste](QListWidgetItem* e) {
    FLogik.lstGruppen[static_cast<std::size_t>(liste->row(e))] = e->checkState() == Qt::Checked;
  });
  connect(liste, &QListWidget::itemDoubleClicked, this, [this, liste](QListWidgetItem* e) {
    const int i = liste->row(e);
    if (FLogik.GruppeUmbenennen(i + 1)) e->setText(Q(FLogik.GruppenNamen()[static_cast<std::size_t>(i)]));
  });
  anzeigen.push_back([=, this] {
    for (int i = 0; i < liste->count(); ++i)
      liste->item(i)->setCheckState(FLogik.lstGruppen[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
  });
  g->addWidget(liste);
  auto* weiter2 = new QPushButton(QStringLiteral("Weiter..."), gruppen);
  g->addWidget(weiter2, 0, Qt::AlignRight);
  FSeiten->addTab(gruppen, QStringLiteral("&Gruppenzuordnung"));

  // --- "&Mitgliedsbeitrag" ---
  auto* beitrag = new QWidget;
  auto* b = new QFormLayout(beitrag);
  auto* bts = new QHBoxLayout;
  QLineEdit* schluessel = Zeile(beitrag, &B::txtBTS);
  auto* btsWahl = new QPushButton(QStringLiteral("..."), beitrag);
  bts->addWidget(schluessel);
  bts->addWidget(btsWahl);
  b->addRow(QStringLiteral("Beitragsschlüssel:"), bts);
  b->addRow(QStringLiteral("Bezahlt bis:"), datumsfeld(beitrag, &B::txtZahlDt, "txtZahlDt"));
  auto* vorlaeufig = new QCheckBox(beitrag);
  connect(vorlaeufig, &QCheckBox::toggled, this, [this](bool an) { FLogik.kntrZahlVorl = an; });
  b->addRow(QString(), vorlaeufig);
  auto* zahlart = new QHBoxLayout;
  QButtonGroup* arten = new QButtonGroup(beitrag);
  const char* artTexte[] = {"Rechnung", "Lastschrift", "Mitfinanziert"};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(artTexte[i]), beitrag);
    r->setObjectName(QString::fromLatin1(i == 0 ? "optRechnung" : i == 1 ? "optLastschrift" : "optMitfin"));
    arten->addButton(r, i);
    zahlart->addWidget(r);
  }
  b->addRow(QStringLiteral("Zahlart:"), zahlart);
  auto* zahlseiten = new QStackedWidget(beitrag);
  auto* rechnung = new QLabel(QStringLiteral("Mitglied zahlt den Beitrag per Rechnung"));
  zahlseiten->addWidget(rechnung);
  auto* lastschrift = new QWidget;
  auto* l = new QFormLayout(lastschrift);
  auto bankfeld = [&](const char* titel, std::string TfrmZAQBearbeiten::*text) {
    QLineEdit* e = Zeile(lastschrift, text);
    e->installEventFilter(this);
    l->addRow(QString::fromUtf8(titel), e);
    anzeigen.push_back([this, e, text] { e->setText(Q(FLogik.*text)); });
    return e;
  };
  bankfeld("Bankleitzahl:", &B::txtBLZ);
  bankfeld("Kontonummer:", &B::txtKNR);
  bankfeld("IBAN:", &B::txtIBAN);
  bankfeld("Kontoinhaber:", &B::txtKIN);
  QLineEdit* mandat = bankfeld("Mandatsreferenz:", &B::txtMandref);
  bankfeld("Mandatsdatum:", &B::txtMandDat);
  auto* eks = new QHBoxLayout;
  QLineEdit* empfaenger = Zeile(lastschrift, &B::txtEKS);
  auto* eksWahl = new QPushButton(QStringLiteral("..."), lastschrift);
  eks->addWidget(empfaenger);
  eks->addWidget(eksWahl);
  l->addRow(QStringLiteral("Empfängerkonto:"), eks);
  auto* bank = new QLabel(lastschrift);
  l->addRow(QStringLiteral("Bank:"), bank);
  zahlseiten->addWidget(lastschrift);
  auto* mitfin = new QWidget;
  auto* mf = new QFormLayout(mitfin);
  auto* zmg = new QHBoxLayout;
  QLineEdit* zahler = Zeile(mitfin, &B::txtZMG);
  auto* zmgWahl = new QPushButton(QStringLiteral("..."), mitfin);
  zmg->addWidget(zahler);
  zmg->addWidget(zmgWahl);
  mf->addRow(QStringLiteral("Zahlendes Mitglied:"), zmg);
  zahlseiten->addWidget(mitfin);
  b->addRow(zahlseiten);
  connect(arten, &QButtonGroup::idClicked, this, [this, zahlseiten](int i) {
    FLogik.FZahlart = i;
    zahlseiten->setCurrentIndex(i);
  });
  connect(mandat, &QLineEdit::textEdited, this, [this] { FAktualisieren(); });  // the mandate date was cleared
  connect(btsWahl, &QPushButton::clicked, this, [this, schluessel] {
    if (FLogik.WaehleBeitragsschluessel()) schluessel->setText(Q(FLogik.txtBTS));
  });
  connect(eksWahl, &QPushButton::clicked, this, [this, empfaenger] {
    if (FLogik.WaehleEmpfaengerkonto()) empfaenger->setText(Q(FLogik.txtEKS));
  });
  connect(zmgWahl, &QPushButton::clicked, this, [this, zahler] {
    if (FLogik.WaehleZahlerVorschlag()) zahler->setText(Q(FLogik.txtZMG));
  });
  anzeigen.push_back([=, this] {
    schluessel->setText(Q(FLogik.txtBTS));
    vorlaeufig->setText(Q(FLogik.kntrZahlVorlText));
    vorlaeufig->setChecked(FLogik.kntrZahlVorl);
    vorlaeufig->setEnabled(FLogik.kntrZahlVorlAktiv);
    arten->button(FLogik.FZahlart)->setChecked(true);
    zahlseiten->setCurrentIndex(FLogik.FZahlart);
    empfaenger->setText(Q(FLogik.txtEKS));
    bank->setText(Q(FLogik.txtBnk));
    zahler->setText(Q(FLogik.txtZMG));
  });
  const int beitragIndex = FSeiten->addTab(beitrag, QStringLiteral("&Mitgliedsbeitrag"));

  // --- "&Austritt und Erfassung" ---
  auto* austritt = new QWidget;
  auto* a = new QFormLayout(austritt);
  auto* datum = new QComboBox(austritt);
  datum->setEditable(true);
  datum->setToolTip(QStringLiteral("An diesem Datum ist das Mitglied noch im Verein (Info: Das Austrittsdatum begrenzt das Bezugsdatum)"));
  for (const auto& t : TLoeschDialog::Datumsvorschlaege()) datum->addItem(Q(t));
  datum->lineEdit()->setMaxLength(static_cast<int>(B::TextfeldVon(&B::txtADt).regel.laenge));
  connect(datum, &QComboBox::editTextChanged, this, [this](const QString& t) { FLogik.Tippe(&B::txtADt, S(t)); });
  a->addRow(QStringLiteral("Austrittsdatum:"), datum);
  auto* grund = new QComboBox(austritt);
  grund->setEditable(true);
  grund->setToolTip(QStringLiteral("Notiz bzw. Austrittsgrund"));
  for (const auto& t : TfrmZAQBearbeiten::Austrittsgruende()) grund->addItem(Q(t));
  grund->lineEdit()->setMaxLength(static_cast<int>(B::TextfeldVon(&B::txtATx).regel.laenge));
  connect(grund, &QComboBox::editTextChanged, this, [this](const QString& t) { FLogik.Tippe(&B::txtATx, S(t)); });
  a->addRow(QStringLiteral("Grund:"), grund);
  auto erfassung = [&](const char* titel, const TfrmZAQBearbeiten::Erfassung& e) {
    if (!e.sichtbar) return;
    a->addRow(new QLabel(QString::fromUtf8(titel)));
    a->addRow(QString(), new QLabel(Q(e.durch + "\n" + e.am)));
  };
  erfassung("Löschvermerk", FLogik.FLoeschung);
  erfassung("Aufnahme des Mitglieds in die Datenbank", FLogik.FAufnahme);
  erfassung("Letzte Bearbeitung des Mitglieds", FLogik.FAenderung);
  anzeigen.push_back([=, this] {
    datum->setEditText(Q(FLogik.txtADt));
    grund->setEditText(Q(FLogik.txtATx));
  });
  const int austrittIndex = FSeiten->addTab(austritt, QStringLiteral("&Austritt und Erfassung"));

  // Pages by rights and mode: a shown page can always be opened; without the
  // right to change it, its fields are read-only.
  FSeiten->setTabVisible(beitragIndex, FLogik.SeiteSichtbar(Seite::Beitrag));
  FSeiten->setTabVisible(austrittIndex, FLogik.SeiteSichtbar(Seite::Austritt));
  persoenlich->setEnabled(FLogik.SeiteAktiv(Seite::Persoenlich));
  gruppen->setEnabled(FLogik.SeiteAktiv(Seite::Gruppen));
  beitrag->setEnabled(FLogik.SeiteAktiv(Seite::Beitrag));
  austritt->setEnabled(FLogik.SeiteAktiv(Seite::Austritt));
  connect(weiter1, &QPushButton::clicked, this, [this] { FSeiten->setCurrentIndex(1); });
  connect(weiter2, &QPushButton::clicked, this, [this, beitragIndex] { FSeiten->setCurrentIndex(beitragIndex); });

  auto* knoepfe = new QDialogButtonBox(this);
  QPushButton* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setToolTip(QStringLiteral("Datensatz speichern"));
  ok->setDefault(true);
  knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);

  FAktualisieren = [anzeigen] {
    for (const auto& f : anzeigen) f();
  };
  // The tabs are in the order of the pages.
  const Seite start = FLogik.Startseite();
  FSeiten->setCurrentIndex(static_cast<int>(start));
  if (FLogik.SeiteAktiv(start)) {
    QWidget* erstes[] = {nachname, liste, schluessel, datum};
    erstes[static_cast<int>(start)]->setFocus();
  }
  connect(this, &QDialog::finished, this,
          [this] { FLogik.Schliessen(static_cast<Seite>(FSeiten->currentIndex())); });
}

void BearbeitenFenster::Anzeigen() { FAktualisieren(); }

bool BearbeitenFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  const QString name = objekt->objectName();
  if (const B::Textfeld* f = TextfeldVon(objekt); f && f->auswahl != B::Auswahl::Keine) {
    // The right mouse button and Page Down open the field's chooser.
    const bool rechts = ereignis->type() == QEvent::MouseButtonPress &&
                        static_cast<QMouseEvent*>(ereignis)->button() == Qt::RightButton;
    const bool bildAb = ereignis->type() == QEvent::KeyPress &&
                        static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_PageDown;
    if (rechts || bildAb) {
      if (FLogik.Feldtaste(f->text, rechts ? Feldtaste::RechteMaustaste : Feldtaste::BildAb)) Anzeigen();
      return true;
    }
  }
  if (ereignis->type() == QEvent::FocusIn) {
    if (name == QLatin1String("txtKIN")) FLogik.BetreteKontoinhaber();
    else if (name == QLatin1String("txtIBAN")) FLogik.BetreteIBAN();
    else if (name == QLatin1String("txtMandref")) FLogik.BetreteMandatsreferenz();
    else if (name == QLatin1String("txtMandDat")) FLogik.BetreteMandatsdatum();
    else return QDialog::eventFilter(objekt, ereignis);
    Anzeigen();
    if (auto* e = qobject_cast<QLineEdit*>(objekt)) e->selectAll();
  } else if (ereignis->type() == QEvent::FocusOut) {
    if (name == QLatin1String("txtEMG")) FLogik.VerlasseDatumstext(FLogik.txtEMG);
    else if (name == QLatin1String("txtMandDat")) FLogik.VerlasseDatumstext(FLogik.txtMandDat);
    else if (name == QLatin1String("txtBLZ") || name == QLatin1String("txtIBAN")) FLogik.VerlasseBank();
    else return QDialog::eventFilter(objekt, ereignis);
    Anzeigen();
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void BearbeitenFenster::accept() {
  if (FLogik.OK()) QDialog::accept();
}

void RegistriereBearbeiten() { RegistriereModal<BearbeitenFenster, TfrmZAQBearbeiten>(); }

}  // namespace zaq::gui
