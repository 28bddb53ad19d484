#include "gui/Tabellenfenster.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWheelEvent>

#include "gui/Bilder.h"
#include "gui/Hauptfenster.h"
#include "gui/QtOberflaeche.h"
#include "views/Druckdialoge.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq::gui {

namespace {

QColor Farbe(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>(bgr >> 8 & 0xFF), static_cast<int>(bgr >> 16 & 0xFF));
}

QFont Schrift(const TSchrift& s) {
  QFont f(Q(s.name));
  f.setPointSize(std::max(1, s.groesse));
  f.setBold(s.stil & kFett);
  f.setItalic(s.stil & kKursiv);
  f.setUnderline(s.stil & kUnterstrichen);
  f.setStrikeOut(s.stil & kDurchgestrichen);
  return f;
}

// A selected member's row.
const QColor kSelektiert = Farbe(0xC8FFFF);

// Grid lines as the settings ask: horizontal and vertical each on its own;
// the member's symbol at the right edge of the first column.
class Zellmaler : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* maler, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(maler, option, index);
    maler->save();
    maler->setPen(QColor(192, 192, 192));
    if (TfrmTab::HorizontaleLinien()) maler->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    if (TfrmTab::VertikaleLinien()) maler->drawLine(option.rect.topRight(), option.rect.bottomRight());
    maler->restore();
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->decorationPosition = QStyleOptionViewItem::Right;
  }
};

}  // namespace

// --- model -----------------------------------------------------------------

TabellenModell::TabellenModell(TTabelle& tabelle, QObject* eltern) : QAbstractTableModel(eltern), FTabelle(tabelle) {}

int TabellenModell::rowCount(const QModelIndex& eltern) const { return eltern.isValid() ? 0 : FTabelle.Zeilenzahl(); }

int TabellenModell::columnCount(const QModelIndex& eltern) const {
  return eltern.isValid() ? 0 : FTabelle.Spaltenzahl();
}

QVariant TabellenModell::data(const QModelIndex& index, int rolle) const {
  if (!index.isValid()) return {};
  const int zeile = index.row() + 1;
  switch (rolle) {
    case Qt::DisplayRole: return Q(FTabelle.ZelleZeichnen(zeile, index.column()));
    case Qt::FontRole: return Schrift(FTabelle.Vorlage().FTabellenFormat.Schrift());
    case Qt::ForegroundRole: return QBrush(Farbe(FTabelle.Vorlage().FTabellenFormat.Schrift().farbe));
    case Qt::BackgroundRole: {
      const TMitglied* m = FTabelle.Mitglied(zeile);
      if (m && m->FSelektiert) return QBrush(kSelektiert);
      return {};
    }
    case Qt::DecorationRole: {
      if (index.column() != 0) return {};
      const TMitglied* m = FTabelle.Mitglied(zeile);
      if (!m) return {};
      return Statusbild(m->Symbol());
    }
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
  }
}

QVariant TabellenModell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
  if (richtung != Qt::Horizontal) return {};
  switch (rolle) {
    case Qt::DisplayRole: return Q(FTabelle.Zelle(0, abschnitt));
    case Qt::FontRole: return Schrift(FTabelle.Vorlage().FKopfFormat.Schrift());
    case Qt::ForegroundRole: return QBrush(Farbe(FTabelle.Vorlage().FKopfFormat.Schrift().farbe));
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignCenter);
    default: return {};
  }
}

void TabellenModell::Neu() {
  beginResetModel();
  endResetModel();
}

// --- window ----------------------------------------------------------------

TabellenFenster::TabellenFenster(std::shared_ptr<TTabelle> tabelle, Hauptfenster* haupt, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window), FLogik(std::move(tabelle)), FHaupt(haupt) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("frmTab"));
  FModell = new TabellenModell(FLogik.Tabelle(), this);
  FGitter = new QTableView(this);
  FGitter->setObjectName(QStringLiteral("grdTabelle"));
  FGitter->setModel(FModell);
  FGitter->setItemDelegate(new Zellmaler(FGitter));
  FGitter->setShowGrid(false);
  FGitter->setWordWrap(false);
  FGitter->verticalHeader()->hide();
  FGitter->horizontalHeader()->setSectionsMovable(FLogik.MitListe());
  FGitter->horizontalHeader()->setHighlightSections(false);
  FGitter->setSelectionMode(QAbstractItemView::ContiguousSelection);
  FGitter->setContextMenuPolicy(Qt::CustomContextMenu);
  FGitter->viewport()->installEventFilter(this);
  setCentralWidget(FGitter);
  connect(FGitter, &QWidget::customContextMenuRequested, this, &TabellenFenster::Kontextmenue);
  connect(FGitter, &QAbstractItemView::doubleClicked, this, [this] { MitgliedAufrufen(); });
  // A click into the first column takes the whole row.
  connect(FGitter, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
    if (i.column() == 0) FGitter->selectRow(i.row());
  });
  connect(FGitter->horizontalHeader(), &QHeaderView::sectionMoved, this, &TabellenFenster::SpalteVerschoben);
  for (auto& s : FStatus) {
    s = new QLabel(this);
    statusBar()->addWidget(s, 1);
  }
  BaueMenues();
  Zeigen();
}

TabellenFenster::~TabellenFenster() {
  // The clipboard must not outlive the table it holds.
  QClipboard* ablage = QApplication::clipboard();
  if (FZwischenablage && ablage->mimeData() == FZwischenablage) ablage->clear();
}

template <class F>
QAction* TabellenFenster::Befehl(QMenu* menue, const QString& text, F f) {
  QAction* a = menue->addAction(text);
  connect(a, &QAction::triggered, this, [this, f] {
    f();
    Zeigen();
  });
  FAktionen.push_back(a);
  return a;
}

QAction* TabellenFenster::Aktion(const QString& text) const {
  for (QAction* a : FAktionen)
    if (a->text() == text) return a;
  return nullptr;
}

void TabellenFenster::BaueMenues() {
  const bool mitListe = FLogik.MitListe();
  QMenu* tabelle = menuBar()->addMenu(QStringLiteral("&Tabelle"));
  Befehl(tabelle, QStringLiteral("Tabelleneigenschaften..."), [this] { FLogik.Eigenschaften(); })->setEnabled(mitListe);
  Befehl(tabelle, QStringLiteral("Mitglieder-Selektion..."), [this] {
    FLogik.MitgliederSelektion();
    if (FHaupt) FHaupt->Programm().AktualisiereAnzeige(true);
  })->setEnabled(mitListe);
  tabelle->addSeparator();
  Befehl(tabelle, QStringLiteral("Optimale Spaltenbreite"), [this] { FLogik.Tabelle().Spaltenbreiten(); });
  QAction* skalieren = Befehl(tabelle, QStringLiteral("Spalten mit Fenster skalieren"), [] {});
  skalieren->setCheckable(true);
  skalieren->setChecked(TfrmTab::SpaltenSkalieren());
  connect(skalieren, &QAction::toggled, this, [](bool an) { TfrmTab::SetzeSpaltenSkalieren(an); });
  tabelle->addSeparator();
  Befehl(tabelle, QStringLiteral("&Drucken..."), [this] { FLogik.Drucken(); });
  Befehl(tabelle, QStringLiteral("Drucker &einrichten..."), [] { DruckerEinrichten(); });
  Befehl(tabelle, QStringLiteral("Als Textdatei speichern unter..."), [this] { FLogik.Tabelle().SpeichernUnter(); });
  tabelle->addSeparator();
  Befehl(tabelle, QStringLiteral("Sch&ließen"), [this] { close(); });

  QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
  Befehl(bearbeiten, QStringLiteral("Tabelle kopieren"), [this] { Kopieren(false); });
  Befehl(bearbeiten, QStringLiteral("Auswahl kopieren"), [this] { Kopieren(true); });

  QMenu* sortieren = menuBar()->addMenu(QStringLiteral("&Sortieren"));
  sortieren->setEnabled(mitListe);
  const std::pair<const char*, int> befehle[] = {
      {"nach Nachname", 10},        {"nach Vorname", 11},         {"nach Adresse", 12},
      {nullptr, 0},                 {"nach Geburtstag", 20},      {"nach Geburtsdatum", 21},
      {"nach Alter", 22},           {nullptr, 0},                 {"nach Eintrittsdatum", 30},
      {"nach Mitgliedschaft", 31},  {"nach Austrittsdatum", 32},  {nullptr, 0},
      {"nach Mitgliedsnummer", 40}, {"nach letzter Änderung", 41}, {nullptr, 0},
      {"Erweiterte Sortierung...", 0}};
  for (const auto& [text, nummer] : befehle) {
    if (!text) {
      sortieren->addSeparator();
      continue;
    }
    Befehl(sortieren, Q(text), [this, n = nummer] { FLogik.Sortiere(n); });
  }
  sortieren->addSeparator();
  Befehl(sortieren, QStringLiteral("Tabelle sortieren"), [this] { FLogik.Sortiere(0); });

  QMenu* ansicht = menuBar()->addMenu(QStringLiteral("&Ansicht"));
  QMenu* schrift = ansicht->addMenu(QStringLiteral("Schriftart"));
  Befehl(schrift, QStringLiteral("Kopfzeile..."), [this] { FLogik.Schrift(true); });
  Befehl(schrift, QStringLiteral("Tabelle..."), [this] { FLogik.Schrift(false); });
  const std::tuple<const char*, bool (*)(), void (*)(bool)> schalter[] = {
      {"Horizontale Linien", &TfrmTab::HorizontaleLinien, &TfrmTab::SetzeHorizontaleLinien},
      {"Vertikale Linien", &TfrmTab::VertikaleLinien, &TfrmTab::SetzeVertikaleLinien},
      {"Druckrand anzeigen", &TfrmTab::DruckrandZeigen, &TfrmTab::SetzeDruckrandZeigen}};
  for (const auto& [text, lies, setze] : schalter) {
    QAction* a = Befehl(ansicht, Q(text), [] {});
    a->setCheckable(true);
    a->setChecked(lies());
    connect(a, &QAction::toggled, this, [this, s = setze](bool an) {
      s(an);
      FGitter->viewport()->update();
    });
  }
  QAction* zaq = menuBar()->addAction(QStringLiteral("&ZAQ"));
  FAktionen.push_back(zaq);
  connect(zaq, &QAction::triggered, this, [this] {
    if (!FHaupt || !FHaupt->isEnabled()) {
      Meldung("Das Hauptfenster ist momentan nicht aktivierbar.", MeldungsArt::Information);
      return;
    }
    FHaupt->raise();
    FHaupt->activateWindow();
  });
}

void TabellenFenster::Zeigen() {
  const TTabelle& t = FLogik.Tabelle();
  setWindowTitle(Q(t.Titel()));
  FVerschieben = true;
  FModell->Neu();
  // The logic holds the order of the columns; the header shows it as it is.
  QHeaderView* kopf = FGitter->horizontalHeader();
  for (int i = 0; i < kopf->count(); ++i)
    if (kopf->visualIndex(i) != i) kopf->moveSection(kopf->visualIndex(i), i);
  FVerschieben = false;
  Breiten();
  // The widths the core computed are where scaling with the window starts.
  if (isVisible()) FLogik.GroesseBeginnt(width());
  for (std::size_t i = 0; i < FStatus.size(); ++i) FStatus[i]->setText(Q(t.FStatus[i]));
  FGitter->viewport()->update();
}

void TabellenFenster::Breiten() {
  const TTabelle& t = FLogik.Tabelle();
  FGitter->verticalHeader()->setDefaultSectionSize(std::max(1, t.Zeilenhoehe()));
  FGitter->horizontalHeader()->setFixedHeight(std::max(1, t.Zeilenhoehe()));
  for (int s = 0; s < t.Spaltenzahl() && s < static_cast<int>(t.Breiten().size()); ++s)
    FGitter->setColumnWidth(s, t.Breiten()[static_cast<std::size_t>(s)]);
}

// The window fits the table, or is maximized when the screen is narrower.
void TabellenFenster::Groesse() {
  const int soll = FLogik.Tabelle().Gesamtbreite() + 50;
  const QScreen* bildschirm = screen() ? screen() : QGuiApplication::primaryScreen();
  if (bildschirm && bildschirm->availableGeometry().width() < soll) {
    setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  if (windowState() == Qt::WindowNoState && width() < soll) resize(soll, std::max(height(), 300));
}

std::optional<TZellbereich> TabellenFenster::Auswahl() const {
  const QModelIndexList zellen = FGitter->selectionModel()->selectedIndexes();
  if (zellen.isEmpty()) return std::nullopt;
  TZellbereich b{INT_MAX, INT_MAX, -1, -1};
  for (const QModelIndex& i : zellen) {
    b.links = std::min(b.links, i.column());
    b.rechts = std::max(b.rechts, i.column());
    b.oben = std::min(b.oben, i.row() + 1);
    b.unten = std::max(b.unten, i.row() + 1);
  }
  return b;
}

void TabellenFenster::Kopieren(bool nurAuswahl) {
  const auto bereich = nurAuswahl ? Auswahl() : std::nullopt;
  if (nurAuswahl && !bereich) return;
  const QMimeData* vorher = QApplication::clipboard()->mimeData();
  FLogik.Tabelle().Kopieren(bereich);
  if (const QMimeData* jetzt = QApplication::clipboard()->mimeData(); jetzt != vorher) FZwischenablage = jetzt;
}

void TabellenFenster::MitgliedAufrufen() {
  const auto b = Auswahl();
  const QModelIndex aktuell = FGitter->currentIndex();
  const int oben = b ? b->oben : aktuell.row() + 1, unten = b ? b->unten : aktuell.row() + 1;
  if (!FHaupt || !FHaupt->Programm().ZeigeTabellenMitglied(FLogik.Tabelle(), oben, unten)) return;
  if (FHaupt->isEnabled()) {
    FHaupt->raise();
    FHaupt->activateWindow();
  }
}

void TabellenFenster::Kontextmenue(const QPoint& p) {
  QMenu menue(this);
  menue.addAction(QStringLiteral("Tabelle kopieren"), this, [this] { Kopieren(false); });
  menue.addAction(QStringLiteral("Auswahl kopieren"), this, [this] { Kopieren(true); });
  if (FLogik.MitListe()) {
    menue.addSeparator();
    const auto b = Auswahl();
    const int erste = b ? b->links : FGitter->columnAt(p.x()), letzte = b ? b->rechts : erste;
    if (erste >= 0)
      menue.addAction(Q(FLogik.Tabelle().AusblendenText(erste, letzte)), this, [this, erste, letzte] {
        FLogik.Ausblenden(erste, letzte);
        Zeigen();
      });
    menue.addAction(QStringLiteral("Mitglied aufrufen"), this, [this] { MitgliedAufrufen(); });
    menue.addAction(QStringLiteral("Tabelleneigenschaften..."), this, [this] {
      FLogik.Eigenschaften();
      Zeigen();
    });
  }
  menue.exec(FGitter->viewport()->mapToGlobal(p));
}

void TabellenFenster::SpalteVerschoben(int, int alt, int neu) {
  if (FVerschieben) return;
  FLogik.Tabelle().SpalteVerschieben(alt, neu);
  Zeigen();
}

void TabellenFenster::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!FGezeigt) {
    FGezeigt = true;
    Groesse();
  }
  FLogik.GroesseBeginnt(width());
}

void TabellenFenster::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (!isVisible()) return;
  if (windowState() == Qt::WindowNoState) FLogik.GroesseAendert(width(), false);
  else FLogik.GroesseEndet();
  Breiten();
}

void TabellenFenster::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  // The list may have been replaced by a download meanwhile.
  if (e->type() == QEvent::ActivationChange && isActiveWindow() && FLogik.Tabelle().FolgeListe()) Zeigen();
  // Maximizing and restoring leave the widths; the next resize starts anew.
  if (e->type() == QEvent::WindowStateChange && windowState() == Qt::WindowNoState) FLogik.GroesseBeginnt(width());
}

bool TabellenFenster::eventFilter(QObject* objekt, QEvent* e) {
  // The wheel scrolls one row per notch.
  if (objekt == FGitter->viewport() && e->type() == QEvent::Wheel) {
    auto* rad = static_cast<QWheelEvent*>(e);
    const int schritte = rad->angleDelta().y() / 120;
    if (schritte != 0) FGitter->verticalScrollBar()->setValue(FGitter->verticalScrollBar()->value() - schritte);
    return true;
  }
  return QMainWindow::eventFilter(objekt, e);
}

void RegistriereTabellenfenster() {
  QtOberflaeche::RegistriereFenster(std::string(TTabelle::kArt), [](std::shared_ptr<FensterDaten> d, QWidget* eltern) {
    auto* haupt = qobject_cast<Hauptfenster*>(eltern);
    auto* f = new TabellenFenster(std::static_pointer_cast<TTabelle>(std::move(d)), haupt, eltern);
    f->show();
    return static_cast<QWidget*>(f);
  });
}

}  // namespace zaq::gui
