#include "gui/Lgvfenster.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"
#include "gui/Sepafenster.h"
#include "views/Druckdialoge.h"

namespace zaq::gui {

namespace {

QLineEdit* Feld(QWidget* eltern, const char* name, int laenge) {
  auto* f = new QLineEdit(eltern);
  f->setObjectName(QString::fromUtf8(name));
  f->setMaxLength(laenge);
  return f;
}

// Purpose lines 2 to 14 in the grid: two a row, line 14 alone in the last.
std::pair<int, int> Zelle(std::size_t zeile) {
  const int i = static_cast<int>(zeile) - 1;
  return {i / 2, i % 2};
}

}  // namespace

LgvFenster::LgvFenster(std::shared_ptr<TfrmLGV> logik, QWidget* eltern)
    : FormularFenster(*logik, eltern), FLogik(std::move(logik)) {
  setObjectName(QStringLiteral("frmLGV"));
  TfrmLGV& l = *FLogik;

  QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
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
  SucheBefehl(buchung);

  QMenu* sortieren = menuBar()->addMenu(QStringLiteral("S&ortieren"));
  const char* const schluessel[] = {"Nach Kontoinhaber...", "Nach Verwendungszweck...", "Nach Bankverbindung...",
                                    "Nach Betrag..."};
  for (int k = 1; k <= 4; ++k) Neu(sortieren, QString::fromUtf8(schluessel[k - 1]), [&l, k] { l.Sortieren(k); });

  QMenu* extras = menuBar()->addMenu(QStringLiteral("&Extras"));
  Neu(extras, QStringLiteral("Datenbank s&ummieren..."), [&l] { l.Summieren(); });
  Neu(extras, QStringLiteral("Mehrfachänderung..."), [&l] { l.Mehrfachaenderung(); });
  Neu(extras, QStringLiteral("B&ankenverzeichnis..."), [&l] { l.Bankenverzeichnis(); });
  Neu(extras, QStringLiteral("S&chriftarten..."), {}, false);
  ZaqBefehl();

  QToolBar* leiste = addToolBar(QStringLiteral("LGV"));
  leiste->setObjectName(QStringLiteral("LgvLeiste"));
  for (const char* t : {"Vorherige", "Nächste", "Speichern", "Hinzufügen", "Entfernen", "Suchen..."})
    leiste->addAction(Befehl(QString::fromUtf8(t)));

  auto* mitte = new QWidget(this);
  auto* layout = new QVBoxLayout(mitte);
  FFormular = new QLabel(mitte);
  FFormular->setObjectName(QStringLiteral("lblFormular"));
  layout->addWidget(FFormular);
  auto* form = new QFormLayout;
  FKontoinhaber = Feld(mitte, "Kontoinhaber", 27);
  FBLZ = Feld(mitte, "Bankleitzahl", 10);
  FKonto = Feld(mitte, "Kontonummer", 13);
  FBetrag = Feld(mitte, "Betrag", 10);
  FZweck1 = Feld(mitte, "Verwendungszweck", 27);
  FBank = new QLabel(mitte);
  FBank->setObjectName(QStringLiteral("lblBank"));
  FBetragsbeschriftung = new QLabel(mitte);
  form->addRow(QStringLiteral("Kontoinhaber:"), FKontoinhaber);
  auto* bank = new QHBoxLayout;
  bank->addWidget(FBLZ);
  bank->addWidget(new QLabel(QStringLiteral("Kontonummer:"), mitte));
  bank->addWidget(FKonto);
  bank->addWidget(FBank, 1);
  form->addRow(QStringLiteral("Bankleitzahl:"), bank);
  form->addRow(FBetragsbeschriftung, FBetrag);
  form->addRow(QStringLiteral("Verwendungszweck:"), FZweck1);
  layout->addLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("Verwendungszweck-Ergänzung:"), mitte));
  FZeilen = new QTableWidget(7, 2, mitte);
  FZeilen->setObjectName(QStringLiteral("grdZweck"));
  FZeilen->horizontalHeader()->hide();
  FZeilen->verticalHeader()->hide();
  FZeilen->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 2; ++c) FZeilen->setItem(r, c, new QTableWidgetItem);
  // Line 14 stands alone in the last row.
  FZeilen->item(6, 1)->setFlags(Qt::NoItemFlags);
  layout->addWidget(FZeilen, 1);
  layout->addWidget(Positionsleiste(mitte));
  setCentralWidget(mitte);
  FSumme = new QLabel(this);
  statusBar()->addPermanentWidget(FSumme);

  for (QLineEdit* f : {FKontoinhaber, FBLZ, FKonto, FBetrag, FZweck1})
    connect(f, &QLineEdit::textEdited, this, [this] { Getippt(); });
  connect(FBLZ, &QLineEdit::textEdited, this, [this] {
    if (FLogik->BLZGetippt()) FKonto->setFocus();
  });
  FKonto->installEventFilter(this);
  FBetrag->installEventFilter(this);
  connect(FZeilen, &QTableWidget::cellChanged, this, [this] { Getippt(); });

  if (eltern) setGeometry(eltern->geometry().translated(120, 60));
  else resize(820, 560);
  Aktualisieren();
}

bool LgvFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  // Leaving the account number pads it; leaving the amount shows it as money.
  if (ereignis->type() == QEvent::FocusOut && !FImDarstellen && FLogik->IstGeaendert()) {
    if (objekt == FKonto) FLogik->KontoVerlassen();
    if (objekt == FBetrag) FLogik->BetragVerlassen();
    Aktualisieren();
  }
  return FormularFenster::eventFilter(objekt, ereignis);
}

void LgvFenster::Getippt() {
  if (FImDarstellen) return;
  TLgvFelder& f = FLogik->FFelder;
  f.Kontoinhaber = S(FKontoinhaber->text());
  f.BLZ = S(FBLZ->text());
  f.Kontonummer = S(FKonto->text());
  f.Betrag = S(FBetrag->text());
  f.Zweck[0] = S(FZweck1->text());
  for (std::size_t j = 1; j < f.Zweck.size(); ++j) {
    const auto [r, c] = Zelle(j);
    f.Zweck[j] = S(FZeilen->item(r, c)->text());
  }
  FLogik->Geaendert();
  Aktualisieren();
}

void LgvFenster::Aktualisieren() {
  if (FImDarstellen) return;
  FImDarstellen = true;
  TfrmLGV& l = *FLogik;
  setWindowTitle(Q(l.Titel()));
  FFormular->setText(Q(l.Formulartext()));
  FBetragsbeschriftung->setText(Q(l.Betragsbeschriftung() + ":"));
  const TLgvFelder& f = l.FFelder;
  SetzeText(FKontoinhaber, f.Kontoinhaber);
  SetzeText(FBLZ, f.BLZ);
  SetzeText(FKonto, f.Kontonummer);
  SetzeText(FBetrag, f.Betrag);
  SetzeText(FZweck1, f.Zweck[0]);
  {
    const QSignalBlocker sperre(FZeilen);
    for (std::size_t j = 1; j < f.Zweck.size(); ++j) {
      const auto [r, c] = Zelle(j);
      if (FZeilen->item(r, c)->text() != Q(f.Zweck[j])) FZeilen->item(r, c)->setText(Q(f.Zweck[j]));
    }
  }
  FBank->setText(Q(l.Bankname()));
  FSumme->setText(l.Liste().Offen() ? Q(l.StatusSumme()) : QString());
  for (QWidget* w : std::initializer_list<QWidget*>{FKontoinhaber, FBLZ, FKonto, FBetrag, FZweck1, FZeilen})
    w->setEnabled(l.Index() > 0);
  RahmenAktualisieren();
  FImDarstellen = false;
}

// --- "Buchungsstammdaten" ---

LgvStammdatenDialog::LgvStammdatenDialog(TfrmLgvStammdaten& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Buchungsstammdaten"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  FReferenz = Feld(this, "Referenznummer", 10);
  FAuftraggeber = Feld(this, "Vereinsbezeichnung", 27);
  FBankname = Feld(this, "Bankname", 27);
  FBeschreibung = Feld(this, "Dateibeschreibung", 54);
  FBLZ = Feld(this, "Bankleitzahl", 10);
  FKonto = Feld(this, "Kontonummer", 13);
  form->addRow(QStringLiteral("Referenznummer:"), FReferenz);
  form->addRow(QStringLiteral("Name des Auftraggebers:"), FAuftraggeber);
  form->addRow(QStringLiteral("Name des Instituts, das die Buchungen ausführt:"), FBankname);
  form->addRow(QStringLiteral("Dateibeschreibung:"), FBeschreibung);
  form->addRow(QStringLiteral("Bankleitzahl:"), FBLZ);
  form->addRow(QStringLiteral("Kontonummer:"), FKonto);
  layout->addLayout(form);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* konto = knoepfe->addButton(QStringLiteral("Konto wählen..."), QDialogButtonBox::ActionRole);
  layout->addWidget(knoepfe);
  connect(konto, &QPushButton::clicked, this, [this] {
    FLogik.KontoWaehlen();
    Zeigen();
  });
  connect(knoepfe, &QDialogButtonBox::accepted, this, &LgvStammdatenDialog::OK);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Zeigen();
}

void LgvStammdatenDialog::Zeigen() {
  FReferenz->setText(Q(FLogik.FReferenz));
  FAuftraggeber->setText(Q(FLogik.FAuftraggeber));
  FBankname->setText(Q(FLogik.FBankname));
  FBeschreibung->setText(Q(FLogik.FBeschreibung));
  FBLZ->setText(Q(FLogik.FBLZ));
  FKonto->setText(Q(FLogik.FKonto));
}

void LgvStammdatenDialog::OK() {
  FLogik.FReferenz = S(FReferenz->text());
  FLogik.FAuftraggeber = S(FAuftraggeber->text());
  FLogik.FBankname = S(FBankname->text());
  FLogik.FBeschreibung = S(FBeschreibung->text());
  FLogik.FBLZ = S(FBLZ->text());
  FLogik.FKonto = S(FKonto->text());
  if (FLogik.OK()) accept();
}

// --- "Verwendungszweckfelder und Beträge setzen" ---

LgvMehrfachDialog::LgvMehrfachDialog(TfrmLgvMehrfach& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Verwendungszweckfelder und Beträge setzen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("\"#\" behält den Inhalt eines Feldes bei."), this));
  auto* form = new QFormLayout;
  FBetrag = Feld(this, "Betrag", 10);
  FBetrag->setText(Q(logik.FBetrag));
  form->addRow(QStringLiteral("Betrag:"), FBetrag);
  for (std::size_t j = 0; j < logik.FZeilen.size(); ++j) {
    auto* f = Feld(this, ("Verwendungszweck " + std::to_string(j + 1)).c_str(), 27);
    f->setText(Q(logik.FZeilen[j]));
    form->addRow(Q("Verwendungszweck " + std::to_string(j + 1) + ":"), f);
    FZeilen.push_back(f);
  }
  layout->addLayout(form);
  FAnfuegen = new QCheckBox(QString::fromUtf8(TfrmLgvMehrfach::kAnfuegen), this);
  FAnfuegen->setChecked(logik.FAnfuegen);
  layout->addWidget(FAnfuegen);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(knoepfe);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &LgvMehrfachDialog::OK);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void LgvMehrfachDialog::OK() {
  FLogik.FBetrag = S(FBetrag->text());
  for (std::size_t j = 0; j < FZeilen.size(); ++j) FLogik.FZeilen[j] = S(FZeilen[j]->text());
  FLogik.FAnfuegen = FAnfuegen->isChecked();
  if (FLogik.OK()) accept();
}

void RegistriereLgvfenster() {
  RegistriereModal<LgvStammdatenDialog, TfrmLgvStammdaten>();
  RegistriereModal<LgvMehrfachDialog, TfrmLgvMehrfach>();
  QtOberflaeche::RegistriereFenster(std::string(TfrmLGV::kArt), [](std::shared_ptr<FensterDaten> d, QWidget* eltern) {
    auto* f = new LgvFenster(std::static_pointer_cast<TfrmLGV>(std::move(d)), eltern);
    f->show();
    return static_cast<QWidget*>(f);
  });
}

}  // namespace zaq::gui
