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

}  // namespace

SepaFenster::SepaFenster(std::shared_ptr<TfrmSEPA> logik, QWidget* eltern)
    : FormularFenster(*logik, eltern), FLogik(std::move(logik)) {
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
  Navigation(buchung);
  buchung->addSeparator();
  Neu(buchung, QStringLiteral("Speichern"), [&l] { l.Speichern(); });
  Neu(buchung, QStringLiteral("Hinzufügen"), [&l] { l.Hinzufuegen(); });
  Neu(buchung, QStringLiteral("Entfernen"), [&l] { l.Entfernen(); });
  buchung->addSeparator();
  Neu(buchung, QStringLiteral("Mitglied per Nummer aus ZAQ einfügen..."), [&l] { l.MitgliedPerNummer(); });
  Neu(buchung, QStringLiteral("Angezeigtes Mitglied aus ZAQ einfügen..."), [&l] { l.AngezeigtesMitgliedEinfuegen(); });
  buchung->addSeparator();
  SucheBefehl(buchung);

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
  ZaqBefehl();

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
  layout->addWidget(Positionsleiste(mitte));
  setCentralWidget(mitte);
  FDatum = new QLabel(this);
  FSumme = new QLabel(this);
  FSumme->setObjectName(QStringLiteral("lblSumme"));
  statusBar()->addWidget(FDatum);
  statusBar()->addPermanentWidget(FSumme);

  for (QLineEdit* f : {FKontoinhaber, FIBAN, FMandatsreferenz, FBetrag, FMandatsdatum, FKundenreferenz})
    connect(f, &QLineEdit::textEdited, this, [this] { Getippt(); });
  connect(FZweck, &QPlainTextEdit::textChanged, this, [this] { Getippt(); });

  if (eltern) setGeometry(eltern->geometry().translated(100, 50));
  else resize(800, 500);
  Aktualisieren();
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
  for (QWidget* w : std::initializer_list<QWidget*>{FKontoinhaber, FIBAN, FMandatsreferenz, FBetrag, FMandatsdatum,
                                                    FKundenreferenz, FZweck})
    w->setEnabled(l.Index() > 0);
  RahmenAktualisieren();
  FImDarstellen = false;
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
