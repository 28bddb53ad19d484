#include "gui/Dialoge.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Text.h"
#include "gui/Bankdaten.h"
#include "gui/Bilder.h"
#include "gui/QtOberflaeche.h"
#include "store/ZAQ.h"

namespace zaq::gui {

namespace {

QString Zeilen(const std::string& text) { return Q(Ersetze(text, "\r\n", "\n")); }

void OhneHilfeKnopf(QDialog& d) { d.setWindowFlags(d.windowFlags() & ~Qt::WindowContextHelpButtonHint); }

QLabel* Fett(const std::string& text, QWidget* eltern) {
  auto* l = new QLabel(Q(text), eltern);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

}  // namespace

// --- login ---

AnmeldeFenster::AnmeldeFenster(TAnmeldeDialog& daten, QWidget* eltern) : QDialog(eltern), FDaten(daten) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(daten.Titel()));
  setObjectName(QStringLiteral("Benutzeranmeldung"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Fett("Benutzeranmeldung", this));
  layout->addWidget(new QLabel(QStringLiteral("Bitte wählen Sie Ihren Zugang:"), this));
  FTabelle = new QTableWidget(static_cast<int>(daten.Zeilen().size()), 4, this);
  FTabelle->setHorizontalHeaderLabels({QString(), QStringLiteral("Login"), QStringLiteral("Name"),
                                       QStringLiteral("Funktion")});
  FTabelle->verticalHeader()->hide();
  FTabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTabelle->setSelectionMode(QAbstractItemView::SingleSelection);
  FTabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FTabelle->setIconSize(QSize(32, 32));
  FTabelle->setMouseTracking(true);
  FTabelle->viewport()->installEventFilter(this);
  FTabelle->installEventFilter(this);
  int zeile = 0;
  for (const auto& z : daten.Zeilen()) {
    auto* bild = new QTableWidgetItem;
    bild->setIcon(QIcon(Benutzerbild({z.benutzer->FBildNr, z.benutzer->FBild}, 32)));
    FTabelle->setItem(zeile, 0, bild);
    FTabelle->setItem(zeile, 1, new QTableWidgetItem(Q(z.login)));
    FTabelle->setItem(zeile, 2, new QTableWidgetItem(Q(z.name)));
    FTabelle->setItem(zeile, 3, new QTableWidgetItem(Q(z.funktion)));
    FTabelle->setRowHeight(zeile, 38);
    ++zeile;
  }
  FTabelle->setColumnWidth(0, 44);
  FTabelle->horizontalHeader()->setStretchLastSection(true);
  FTabelle->resizeColumnToContents(1);
  FTabelle->resizeColumnToContents(2);
  if (zeile > 0) FTabelle->selectRow(0);
  // As many rows as there are users (7 beyond ten), at most 90 % of the screen.
  int hoehe = FTabelle->horizontalHeader()->sizeHint().height() + 4 + daten.SichtbareZeilen() * 38;
  if (const QScreen* s = screen()) hoehe = std::min(hoehe, s->availableGeometry().height() * 9 / 10 - 80);
  FTabelle->setMinimumSize(520, hoehe);
  layout->addWidget(FTabelle);
  auto* knoepfe = new QDialogButtonBox(this);
  knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
}

void AnmeldeFenster::Waehle(int zeile) {
  if (FDaten.Waehle(zeile)) accept();
}

bool AnmeldeFenster::eventFilter(QObject* objekt, QEvent* e) {
  if (objekt == FTabelle->viewport()) {
    if (e->type() == QEvent::MouseMove) {
      const int zeile = FTabelle->rowAt(static_cast<QMouseEvent*>(e)->position().toPoint().y());
      if (zeile >= 0) FTabelle->selectRow(zeile);
    } else if (e->type() == QEvent::MouseButtonRelease) {
      const int zeile = FTabelle->rowAt(static_cast<QMouseEvent*>(e)->position().toPoint().y());
      if (zeile >= 0) Waehle(zeile);
      return true;
    }
  } else if (objekt == FTabelle && e->type() == QEvent::KeyPress) {
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
      Waehle(FTabelle->currentRow());
      return true;
    }
  }
  return QDialog::eventFilter(objekt, e);
}

// --- password ---

KennwortFenster::KennwortFenster(TKennwortDialog& daten, QWidget* eltern) : QDialog(eltern), FDaten(daten) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(daten.FTitel.empty() ? std::string(kProgrammTitel) : daten.FTitel));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Fett(daten.FZeile1, this));
  layout->addWidget(new QLabel(Q(daten.FZeile2), this));
  auto* bitte = new QLabel(Q(daten.FBitte), this);
  bitte->setWordWrap(true);
  layout->addWidget(bitte);
  auto* zeile = new QHBoxLayout;
  zeile->addWidget(new QLabel(QStringLiteral("Kennwort:"), this));
  FKennwort = new QLineEdit(this);
  FKennwort->setObjectName(QStringLiteral("txtKennwort"));
  FKennwort->setEchoMode(QLineEdit::Password);
  zeile->addWidget(FKennwort, 1);
  layout->addLayout(zeile);
  auto* knoepfe = new QDialogButtonBox(this);
  auto* ok = knoepfe->addButton(QStringLiteral("Bestätigen"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
  setMinimumWidth(420);
}

void KennwortFenster::accept() {
  FDaten.FKennwort = S(FKennwort->text());
  QDialog::accept();
}

// --- deleting a member ---

LoeschFenster::LoeschFenster(TLoeschDialog& daten, QWidget* eltern) : QDialog(eltern), FDaten(daten) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TLoeschDialog::kArt)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Fett(daten.FText, this));
  auto* bitte = new QLabel(Q(daten.FBitte), this);
  bitte->setWordWrap(true);
  layout->addWidget(bitte);
  auto* felder = new QFormLayout;
  FDatum = new QComboBox(this);
  FDatum->setEditable(true);
  for (const auto& d : TLoeschDialog::Datumsvorschlaege()) FDatum->addItem(Q(d));
  FDatum->setEditText(Q(daten.FDatum));
  felder->addRow(QStringLiteral("Austrittsdatum:"), FDatum);
  FBegruendung = new QComboBox(this);
  FBegruendung->setEditable(true);
  for (const auto& g : TLoeschDialog::Gruende()) FBegruendung->addItem(Q(g));
  FBegruendung->setEditText(Q(daten.FBegruendung));
  felder->addRow(QStringLiteral("Begründung:"), FBegruendung);
  layout->addLayout(felder);
  auto* knoepfe = new QHBoxLayout;
  auto knopf = [&](const char* text, TLoeschDialog::Knopf k, bool aktiv) {
    auto* b = new QPushButton(Q(text), this);
    b->setEnabled(aktiv);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, k] { Druecke(k); });
    knoepfe->addWidget(b);
  };
  knopf("Sofortiges löschen", TLoeschDialog::Knopf::Sofort, true);
  knopf("Nach Austrittsdatum", TLoeschDialog::Knopf::NachAustrittsdatum, true);
  knopf("Löschen widerrufen", TLoeschDialog::Knopf::Widerrufen, daten.FWiderrufenMoeglich);
  knopf("Abbrechen", TLoeschDialog::Knopf::Abbrechen, true);
  layout->addLayout(knoepfe);
}

void LoeschFenster::Druecke(TLoeschDialog::Knopf knopf) {
  FDaten.FDatum = S(FDatum->currentText());
  FDaten.FBegruendung = S(FBegruendung->currentText());
  if (FDaten.Druecke(knopf)) accept();
}

// --- member number ---

NummerFenster::NummerFenster(TNummerDialog& daten, QWidget* eltern) : QDialog(eltern), FDaten(daten) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TNummerDialog::kArt)));
  auto* layout = new QVBoxLayout(this);
  auto* felder = new QFormLayout;
  FAlt = new QLineEdit(this);
  FNeu = new QLineEdit(this);
  FAlt->setObjectName(QStringLiteral("txtAlt"));
  FNeu->setObjectName(QStringLiteral("txtNeu"));
  felder->addRow(QStringLiteral("A&lte Nummer:"), FAlt);
  felder->addRow(QStringLiteral("&Neue Nummer:"), FNeu);
  layout->addLayout(felder);
  auto* auswirkung = new QGroupBox(QStringLiteral("Auswirkung:"), this);
  auto* radio = new QVBoxLayout(auswirkung);
  FGlobal = new QRadioButton(QStringLiteral("&Globale Durchführung (inkl. Verweisen)"), auswirkung);
  FNurAktuell = new QRadioButton(QStringLiteral("&Nur aktueller Datensatz"), auswirkung);
  radio->addWidget(FGlobal);
  radio->addWidget(FNurAktuell);
  layout->addWidget(auswirkung);
  auto* knoepfe = new QDialogButtonBox(this);
  auto* ausfuehren = knoepfe->addButton(QStringLiteral("Ausführen"), QDialogButtonBox::ActionRole);
  ausfuehren->setDefault(true);
  knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  connect(ausfuehren, &QPushButton::clicked, this, &NummerFenster::Ausfuehren);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
  Anzeigen();
  connect(FGlobal, &QRadioButton::toggled, this, [this](bool an) {
    FDaten.FAlt = S(FAlt->text());
    FDaten.SetzeGlobal(an);
    Anzeigen();
  });
}

void NummerFenster::Anzeigen() {
  FAlt->setText(Q(FDaten.FAlt));
  FAlt->setEnabled(FDaten.AltAktiv());
  FNeu->setText(Q(FDaten.FNeu));
  (FDaten.FGlobal ? FGlobal : FNurAktuell)->setChecked(true);
}

void NummerFenster::Ausfuehren() {
  FDaten.FAlt = S(FAlt->text());
  FDaten.FNeu = S(FNeu->text());
  if (FDaten.Ausfuehren()) accept();
}

// --- collection day ---

namespace {
// Day numbers count from 30.12.1899.
const QDate kTagNull(1899, 12, 30);
QDate AlsQDate(Tag tag) { return kTagNull.addDays(tag); }
Tag AlsTag(const QDate& datum) { return static_cast<Tag>(kTagNull.daysTo(datum)); }
}  // namespace

AusfuehrungsdatumFenster::AusfuehrungsdatumFenster(TAusfuehrungsdatumDialog& daten, QWidget* eltern)
    : QDialog(eltern), FDaten(daten) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(std::string(TAusfuehrungsdatumDialog::kArt)));
  auto* layout = new QVBoxLayout(this);
  auto* frage = new QLabel(Q(TAusfuehrungsdatumDialog::kFrage), this);
  frage->setWordWrap(true);
  layout->addWidget(frage);
  FDatum = new QDateEdit(AlsQDate(daten.FDatum), this);
  FDatum->setObjectName(QStringLiteral("dtpDatum"));
  FDatum->setCalendarPopup(true);
  FDatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  // The calendar offers only the days a collection may lie on.
  FDatum->setDateRange(AlsQDate(daten.Erstes()), AlsQDate(daten.Letztes()));
  layout->addWidget(FDatum);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(knoepfe, &QDialogButtonBox::accepted, this, &AusfuehrungsdatumFenster::Bestaetigen);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
}

void AusfuehrungsdatumFenster::Bestaetigen() {
  FDaten.FDatum = AlsTag(FDatum->date());
  if (FDaten.Bestaetigen()) accept();
}

// --- text window ---

TextFensterQt::TextFensterQt(const TTextfenster& daten, QWidget* eltern) : QDialog(eltern) {
  OhneHilfeKnopf(*this);
  setWindowTitle(Q(daten.FTitel));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QPlainTextEdit(this);
  text->setReadOnly(true);
  text->setPlainText(Zeilen(daten.FText));
  layout->addWidget(text);
  auto* knoepfe = new QDialogButtonBox(this);
  knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(knoepfe);
  resize(560, 360);
}

void RegistriereDialoge() {
  RegistriereModal<AnmeldeFenster, TAnmeldeDialog>();
  RegistriereModal<KennwortFenster, TKennwortDialog>();
  RegistriereModal<LoeschFenster, TLoeschDialog>();
  RegistriereModal<NummerFenster, TNummerDialog>();
  RegistriereModal<AusfuehrungsdatumFenster, TAusfuehrungsdatumDialog>();
  QtOberflaeche::Registriere(std::string(TTextfenster::kArt), [](DialogDaten& d, QWidget* eltern) {
    TextFensterQt fenster(dynamic_cast<TTextfenster&>(d), eltern);
    fenster.exec();
    return true;
  });
  QtOberflaeche::Registriere(std::string(TBankdatenDialog::kArt), [](DialogDaten& d, QWidget* eltern) {
    ZeigeBankdaten(eltern, dynamic_cast<TBankdatenDialog&>(d).FBLZ);
    return true;
  });
}

}  // namespace zaq::gui
