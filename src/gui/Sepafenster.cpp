#include "gui/Sepafenster.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/Datum.h"
#include "gui/QtOberflaeche.h"
#include "views/Druckdialoge.h"

namespace zaq::gui {

namespace {

QLineEdit* Feld(QWidget* eltern, const TFeldgrenze& grenze) {
  auto* f = new QLineEdit(eltern);
  f->setObjectName(Q(std::string(grenze.name)));
  f->setMaxLength(static_cast<int>(grenze.laenge));
  return f;
}

void SetzeText(QLineEdit* f, const std::string& text) {
  if (f->text() != Q(text)) f->setText(Q(text));
}

QString OhneKuerzel(QString titel) { return titel.remove(QLatin1Char('&')); }

}  // namespace

SepaFenster::SepaFenster(std::shared_ptr<TfrmSEPA> logik, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window), FLogik(std::move(logik)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("frmSEPA"));
  TfrmSEPA& l = *FLogik;

  QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
  Neu(datei, QStringLiteral("&Neu..."), [&l] { l.Neu(); });
  Neu(datei, QStringLiteral("Ö&ffnen..."), [&l] { l.OeffnenDialog(); });
  Neu(datei, QStringLiteral("&Speichern unter..."), [&l] { l.SpeichernUnterDialog(); });
  Neu(datei, QStringLiteral("Buchungsstammdaten..."), [&l] { l.Buchungsstammdaten(); });
  datei->addSeparator();
  Neu(datei, QStringLiteral("&Drucken..."), [&l] { l.Drucken(); });
  Neu(datei, QStringLiteral("Drucker &einrichten..."), [] { DruckerEinrichten(); });
  datei->addSeparator();
  Neu(datei, QStringLiteral("Sch&ließen"), [this] { close(); });

  QMenu* buchung = menuBar()->addMenu(QStringLiteral("B&uchung"));
  FVorherige = Neu(buchung, QStringLiteral("Vorherige"), [&l] { l.Vorherige(); });
  FNaechste = Neu(buchung, QStringLiteral("Nächste"), [&l] { l.Naechste(); });
  buchung->addSeparator();
  Neu(buchung, QStringLiteral("Speichern"), [&l] { l.Speichern(); });
  Neu(buchung, QStringLiteral("Hinzufügen"), [&l] { l.Hinzufuegen(); });
  Neu(buchung, QStringLiteral("Entfernen"), [&l] { l.Entfernen(); });
  buchung->addSeparator();
  Neu(buchung, QStringLiteral("Mitglied per Nummer aus ZAQ einfügen..."), [&l] { l.MitgliedPerNummer(); });
  Neu(buchung, QStringLiteral("Angezeigtes Mitglied aus ZAQ einfügen..."), [&l] { l.AngezeigtesMitgliedEinfuegen(); });
  buchung->addSeparator();
  Neu(buchung, QStringLiteral("&Suchen..."), [this, &l] {
    l.FSucheSichtbar = !l.FSucheSichtbar;
    if (l.FSucheSichtbar && !FSuche) FSuche = new ZahlungSuchFenster(*this, l, [this] { Aktualisieren(); });
  });

  QMenu* sortieren = menuBar()->addMenu(QStringLiteral("S&ortieren"));
  const char* const schluessel[] = {"Nach Kontoinhaber...", "Nach Verwendungszweck...", "Nach Mandatsreferenz...",
                                    "Nach Kundenreferenz...", "Nach Bankverbindung...", "Nach Betrag..."};
  for (int k = 1; k <= 6; ++k)
    Neu(sortieren, QString::fromUtf8(schluessel[k - 1]), [&l, k] { l.Sortieren(k); });

  QMenu* extras = menuBar()->addMenu(QStringLiteral("&Extras"));
  Neu(extras, QStringLiteral("&Bankverbindungen prüfen..."), [&l] { l.BankverbindungenPruefen(); });
  Neu(extras, QStringLiteral("XML-Datei erzeugen..."), [&l] { l.XmlErzeugen(); });
  Neu(extras, QStringLiteral("B&ankenverzeichnis..."), [&l] { l.Bankenverzeichnis(); });
  Neu(extras, QStringLiteral("S&chriftarten..."), {}, false);
  QAction* zaq = menuBar()->addAction(QStringLiteral("&ZAQ"));
  connect(zaq, &QAction::triggered, this, [this] {
    if (QWidget* w = parentWidget()) {
      w->raise();
      w->activateWindow();
    }
  });

  QToolBar* leiste = addToolBar(QStringLiteral("SEPA"));
  leiste->setObjectName(QStringLiteral("SepaLeiste"));
  for (const char* t : {"Vorherige", "Nächste", "Speichern", "Hinzufügen", "Entfernen"})
    leiste->addAction(Befehl(QString::fromUtf8(t)));
  QAction* nachName = leiste->addAction(QStringLiteral("Nach Name sortieren"));
  connect(nachName, &QAction::triggered, this, [this] {
    FLogik->Sortieren(1);
    Aktualisieren();
  });
  leiste->addAction(Befehl(QStringLiteral("Suchen...")));

  auto* mitte = new QWidget(this);
  auto* layout = new QVBoxLayout(mitte);
  FFormular = new QLabel(mitte);
  FFormular->setObjectName(QStringLiteral("lblFormular"));
  layout->addWidget(FFormular);
  auto* form = new QFormLayout;
  FKontoinhaber = Feld(mitte, kKontoinhaberFeld);
  FIBAN = Feld(mitte, kIBANFeld);
  FBank = new QLabel(mitte);
  FBank->setObjectName(QStringLiteral("lblBank"));
  FMandatsreferenz = Feld(mitte, kMandatsreferenzFeld);
  FBetrag = Feld(mitte, kBetragFeld);
  FMandatsdatum = Feld(mitte, kMandatsdatumFeld);
  FKundenreferenz = Feld(mitte, kKundenreferenzFeld);
  FZweck = new QPlainTextEdit(mitte);
  FZweck->setObjectName(QStringLiteral("Verwendungszweck"));
  FZweckBeschriftung = new QLabel(mitte);
  form->addRow(QStringLiteral("Kontoinhaber:"), FKontoinhaber);
  auto* iban = new QHBoxLayout;
  iban->addWidget(FIBAN, 1);
  iban->addWidget(FBank, 1);
  form->addRow(QStringLiteral("IBAN:"), iban);
  form->addRow(QStringLiteral("Mandatsreferenz:"), FMandatsreferenz);
  form->addRow(QStringLiteral("Mandatsdatum:"), FMandatsdatum);
  form->addRow(QStringLiteral("Betrag:"), FBetrag);
  form->addRow(QStringLiteral("Kundenreferenz:"), FKundenreferenz);
  form->addRow(FZweckBeschriftung, FZweck);
  layout->addLayout(form);
  FPosition = new QScrollBar(Qt::Horizontal, mitte);
  FPosition->setObjectName(QStringLiteral("bldlPos"));
  layout->addWidget(FPosition);
  setCentralWidget(mitte);
  FDatum = new QLabel(this);
  FSumme = new QLabel(this);
  FSumme->setObjectName(QStringLiteral("lblSumme"));
  statusBar()->addWidget(FDatum);
  statusBar()->addPermanentWidget(FSumme);

  for (QLineEdit* f : {FKontoinhaber, FIBAN, FMandatsreferenz, FBetrag, FMandatsdatum, FKundenreferenz})
    connect(f, &QLineEdit::textEdited, this, [this] { Getippt(); });
  connect(FZweck, &QPlainTextEdit::textChanged, this, [this] { Getippt(); });
  connect(FPosition, &QScrollBar::actionTriggered, this, [this](int) {
    // The scroll bar's new value is set after this signal.
    QMetaObject::invokeMethod(this, [this] {
      if (!FImDarstellen) FLogik->GeheZu(FPosition->value());
      Aktualisieren();
    }, Qt::QueuedConnection);
  });

  if (eltern) setGeometry(eltern->geometry().translated(100, 50));
  else resize(800, 500);
  Aktualisieren();
}

QAction* SepaFenster::Neu(QMenu* menue, const QString& titel, std::function<void()> wirkung, bool verfuegbar) {
  QAction* a = menue->addAction(titel);
  a->setObjectName(OhneKuerzel(titel));
  a->setEnabled(verfuegbar);
  if (wirkung)
    connect(a, &QAction::triggered, this, [this, wirkung = std::move(wirkung)] {
      wirkung();
      Aktualisieren();
    });
  FBefehle.push_back(a);
  return a;
}

QAction* SepaFenster::Befehl(const QString& titel) const {
  for (QAction* a : FBefehle)
    if (a->objectName() == OhneKuerzel(titel)) return a;
  return nullptr;
}

void SepaFenster::Getippt() {
  if (FImDarstellen) return;
  TBuchungsfelder& f = FLogik->FFelder;
  f.Kontoinhaber = S(FKontoinhaber->text());
  f.IBAN = S(FIBAN->text());
  f.Mandatsreferenz = S(FMandatsreferenz->text());
  f.Betrag = S(FBetrag->text());
  f.Mandatsdatum = S(FMandatsdatum->text());
  f.Kundenreferenz = S(FKundenreferenz->text());
  // The memo's line breaks are the list's CR LF.
  f.Verwendungszweck = S(FZweck->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  FLogik->Geaendert();
  Aktualisieren();
}

void SepaFenster::Aktualisieren() {
  if (FImDarstellen) return;
  FImDarstellen = true;
  TfrmSEPA& l = *FLogik;
  setWindowTitle(Q(l.Titel()));
  FFormular->setText(Q(l.Formulartext()));
  const TBuchungsfelder& f = l.FFelder;
  SetzeText(FKontoinhaber, f.Kontoinhaber);
  SetzeText(FIBAN, f.IBAN);
  SetzeText(FMandatsreferenz, f.Mandatsreferenz);
  SetzeText(FBetrag, f.Betrag);
  SetzeText(FMandatsdatum, f.Mandatsdatum);
  SetzeText(FKundenreferenz, f.Kundenreferenz);
  const QString zweck = Q(f.Verwendungszweck).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (FZweck->toPlainText() != zweck) FZweck->setPlainText(zweck);
  FBank->setText(Q(l.Bankname()));
  QPalette farben = FIBAN->palette();
  farben.setColor(QPalette::Text, l.IBANRot() ? Qt::red : palette().color(QPalette::Text));
  FIBAN->setPalette(farben);
  FZweckBeschriftung->setText(Q(l.ZweckBeschriftung()));
  FDatum->setText(Q(l.StatusDatum(Heute())));
  FSumme->setText(Q(l.StatusSumme()));
  FVorherige->setEnabled(l.VorherigeMoeglich());
  FNaechste->setEnabled(l.NaechsteMoeglich());
  FPosition->setRange(l.Liste().Anzahl() > 0 ? 1 : 0, l.Liste().Anzahl());
  FPosition->setValue(l.Index());
  for (QWidget* w : std::initializer_list<QWidget*>{FKontoinhaber, FIBAN, FMandatsreferenz, FBetrag, FMandatsdatum,
                                                    FKundenreferenz, FZweck})
    w->setEnabled(l.Index() > 0);
  if (!l.FSucheSichtbar && FSuche) {
    FSuche->deleteLater();
    FSuche = nullptr;
  }
  if (FSuche) FSuche->Aktualisieren();
  FImDarstellen = false;
}

void SepaFenster::closeEvent(QCloseEvent* e) {
  if (!FLogik->Schliessen()) {
    e->ignore();
    return;
  }
  if (FSuche) FSuche->deleteLater();
  FSuche = nullptr;
  QMainWindow::closeEvent(e);
}

// --- "Zahlung suchen" ---

ZahlungSuchFenster::ZahlungSuchFenster(QWidget& fenster, TFormularfenster& logik, std::function<void()> aktualisieren)
    : QDialog(&fenster), FLogik(logik), FAktualisieren(std::move(aktualisieren)) {
  setWindowTitle(QStringLiteral("Zahlung suchen"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  FText = new QLineEdit(this);
  FText->setObjectName(QStringLiteral("txtSuche"));
  FAuto = new QCheckBox(QStringLiteral("&Automatisch suchen"), this);
  FAuto->setChecked(FLogik.FAutoSuche);
  auto* suchen = new QPushButton(QStringLiteral("Suchen"), this);
  suchen->setDefault(true);
  layout->addWidget(FText);
  auto* unten = new QHBoxLayout;
  unten->addWidget(FAuto);
  unten->addStretch();
  unten->addWidget(suchen);
  layout->addLayout(unten);
  connect(FText, &QLineEdit::textEdited, this, [this](const QString& t) {
    FLogik.SuchtextGeaendert(S(t));
    FAktualisieren();
  });
  connect(FAuto, &QCheckBox::toggled, this, [this](bool an) { FLogik.FAutoSuche = an; });
  connect(suchen, &QPushButton::clicked, this, [this] {
    FLogik.FSuchtext = S(FText->text());
    FLogik.SucheWeiter();
    FAktualisieren();
  });
  show();
}

void ZahlungSuchFenster::Aktualisieren() {
  if (FLogik.FSucheAuswaehlen) {
    FText->selectAll();
    FText->setFocus();
    FLogik.FSucheAuswaehlen = false;
  }
}

void ZahlungSuchFenster::closeEvent(QCloseEvent* e) {
  FLogik.FSucheSichtbar = false;
  QDialog::closeEvent(e);
}

// --- "Buchungsstammdaten" ---

StammdatenDialog::StammdatenDialog(TfrmBuchungsstammdaten& logik, QWidget* eltern)
    : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Buchungsstammdaten"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  FBeschreibung = Feld(this, TfrmBuchungsstammdaten::kBeschreibungFeld);
  FDatum = Feld(this, TfrmBuchungsstammdaten::kDatumFeld);
  FSchluessel = Feld(this, TfrmBuchungsstammdaten::kSchluesselFeld);
  FBeschreibung->setText(Q(logik.FBeschreibung));
  FDatum->setText(Q(logik.FDatum));
  FSchluessel->setText(Q(logik.FSchluessel));
  form->addRow(QStringLiteral("&Dateibeschreibung:"), FBeschreibung);
  form->addRow(QStringLiteral("&Abbuchungsdatum:"), FDatum);
  FEinmalig = new QRadioButton(QStringLiteral("Einmalige Lastschriften"), this);
  FWiederkehrend = new QRadioButton(QStringLiteral("Wiederkehrende Lastschriften"), this);
  (logik.FSequenz == 0 ? FEinmalig : FWiederkehrend)->setChecked(true);
  auto* sequenz = new QVBoxLayout;
  sequenz->addWidget(FEinmalig);
  sequenz->addWidget(FWiederkehrend);
  form->addRow(QStringLiteral("SEPA-Sequenz:"), sequenz);
  layout->addLayout(form);

  auto* konto = new QGroupBox(this);
  konto->setObjectName(QStringLiteral("grpKonto"));
  auto* kontoForm = new QFormLayout(konto);
  auto* schluessel = new QHBoxLayout;
  schluessel->addWidget(FSchluessel);
  auto* waehlen = new QPushButton(QStringLiteral("Konto wählen..."), konto);
  schluessel->addWidget(waehlen);
  kontoForm->addRow(QStringLiteral("Verknüpfter Kontoschlüssel:"), schluessel);
  FGlaeubiger = new QLabel(konto);
  FIBAN = new QLabel(konto);
  FBank = new QLabel(konto);
  FGlaeubigerID = new QLabel(konto);
  kontoForm->addRow(QStringLiteral("Gläubiger:"), FGlaeubiger);
  kontoForm->addRow(QStringLiteral("IBAN:"), FIBAN);
  kontoForm->addRow(QStringLiteral("Bank:"), FBank);
  kontoForm->addRow(QStringLiteral("Gläubiger-ID:"), FGlaeubigerID);
  layout->addWidget(konto);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(knoepfe);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &StammdatenDialog::OK);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(waehlen, &QPushButton::clicked, this, [this] {
    Uebernehmen();
    FLogik.KontoWaehlen();
    FSchluessel->setText(Q(FLogik.FSchluessel));
    Zeigen();
  });
  connect(FSchluessel, &QLineEdit::textEdited, this, [this](const QString& t) {
    // The key is typed in upper case.
    const int cursor = FSchluessel->cursorPosition();
    FSchluessel->setText(t.toUpper());
    FSchluessel->setCursorPosition(cursor);
    Uebernehmen();
    Zeigen();
  });
  Zeigen();
}

void StammdatenDialog::Uebernehmen() {
  FLogik.FBeschreibung = S(FBeschreibung->text());
  FLogik.FDatum = S(FDatum->text());
  FLogik.FSchluessel = S(FSchluessel->text());
  FLogik.FSequenz = FWiederkehrend->isChecked() ? 2 : 0;
}

void StammdatenDialog::Zeigen() {
  if (auto* gruppe = findChild<QGroupBox*>(QStringLiteral("grpKonto"))) gruppe->setTitle(Q(FLogik.Verknuepfung()));
  FGlaeubiger->setText(Q(FLogik.Glaeubiger()));
  FIBAN->setText(Q(FLogik.IBAN()));
  FBank->setText(Q(FLogik.Bank()));
  FGlaeubigerID->setText(Q(FLogik.GlaeubigerID()));
}

void StammdatenDialog::OK() {
  Uebernehmen();
  if (FLogik.OK()) accept();
}

void RegistriereSepafenster() {
  RegistriereModal<StammdatenDialog, TfrmBuchungsstammdaten>();
  QtOberflaeche::RegistriereFenster(std::string(TfrmSEPA::kArt), [](std::shared_ptr<FensterDaten> d, QWidget* eltern) {
    auto* f = new SepaFenster(std::static_pointer_cast<TfrmSEPA>(std::move(d)), eltern);
    f->show();
    return static_cast<QWidget*>(f);
  });
}

}  // namespace zaq::gui
