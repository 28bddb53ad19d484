#include "gui/Fenster.h"

#include <QApplication>
#include <QClipboard>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "base/Text.h"
#include "gui/QtOberflaeche.h"
#include "interaction/Einstellungen.h"

namespace zaq::gui {

namespace {
// "Schrift Meldung": name;size;colour;bold;italic;underline.
QFont MeldungsSchrift() {
  const std::string wert = LeseEinstellung(esSchriftMeldung);
  QFont f(Q(Trim(Feld(wert, ";", 1))));
  f.setPointSize(static_cast<int>(std::max<std::int64_t>(6, FeldZahl(wert, ";", 2))));
  f.setBold(Feld(wert, ";", 4) == "1");
  f.setItalic(Feld(wert, ";", 5) == "1");
  f.setUnderline(Feld(wert, ";", 6) == "1");
  f.setStyleHint(QFont::Monospace);
  return f;
}
}  // namespace

MeldungsFenster::MeldungsFenster(TfrmMeldung logik, QWidget* eltern) : QDialog(eltern), FLogik(std::move(logik)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Mitgliederverwaltung"));
  auto* layout = new QVBoxLayout(this);
  auto* menue = new QMenuBar(this);
  QAction* vorne = menue->addMenu(QStringLiteral("&Fenster"))->addAction(QStringLiteral("&Immer im Vordergrund"));
  vorne->setCheckable(true);
  vorne->setChecked(FLogik.FImmerVorne);
  auto setzeVorne = [this](bool an) {
    setWindowFlag(Qt::WindowStaysOnTopHint, an);
    show();
  };
  if (FLogik.FImmerVorne) setWindowFlag(Qt::WindowStaysOnTopHint, true);
  connect(vorne, &QAction::toggled, this, setzeVorne);
  layout->setMenuBar(menue);
  auto* text = new QPlainTextEdit(this);
  text->setReadOnly(true);
  text->setFont(MeldungsSchrift());
  QStringList zeilen;
  for (const auto& z : FLogik.Zeilen()) zeilen << Q(z);
  text->setPlainText(zeilen.join(QLatin1Char('\n')));
  layout->addWidget(text);
  auto* knoepfe = new QHBoxLayout;
  auto* drucken = new QPushButton(QStringLiteral("Drucken"), this);
  auto* kopieren = new QPushButton(QStringLiteral("Kopieren"), this);
  auto* schliessen = new QPushButton(QStringLiteral("Schließen"), this);
  knoepfe->addWidget(drucken);
  knoepfe->addStretch();
  knoepfe->addWidget(kopieren);
  knoepfe->addWidget(schliessen);
  layout->addLayout(knoepfe);
  connect(schliessen, &QPushButton::clicked, this, &QDialog::close);
  connect(kopieren, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(Q(FLogik.Kopiertext())); });
  connect(drucken, &QPushButton::clicked, this, &MeldungsFenster::Drucken);
  resize(560, 380);
}

void MeldungsFenster::Drucken() {
  QPrinter drucker;
  drucker.setDocName(QStringLiteral("Mitgliederverwaltung"));
  QPrintDialog dialog(&drucker, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter maler;
  if (!maler.begin(&drucker)) {
    Meldung("Drucker nicht bereit.", MeldungsArt::Fehler);
    return;
  }
  maler.setFont(QFont(MeldungsSchrift(), &drucker));
  const int zeilenhoehe = maler.fontMetrics().height();
  const int unten = drucker.pageLayout().paintRectPixels(drucker.resolution()).height() - 100;
  int y = 150;
  for (const auto& z : FLogik.Zeilen()) {
    if (y + zeilenhoehe > unten) {
      drucker.newPage();
      y = 150;
    }
    maler.drawText(150, y + maler.fontMetrics().ascent(), Q(z));
    y += zeilenhoehe;
  }
}

VerzeichnisFenster::VerzeichnisFenster(TfrmVerzAuswahl& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Verzeichnis wählen"));
  auto* layout = new QVBoxLayout(this);
  FModell = new QFileSystemModel(this);
  FModell->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  FModell->setRootPath(QString());
  FBaum = new QTreeView(this);
  FBaum->setModel(FModell);
  for (int spalte = 1; spalte < FModell->columnCount(); ++spalte) FBaum->hideColumn(spalte);
  FBaum->header()->hide();
  layout->addWidget(FBaum);
  auto* knoepfe = new QHBoxLayout;
  auto* neu = new QPushButton(QStringLiteral("Neu..."), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  knoepfe->addWidget(neu);
  knoepfe->addStretch();
  knoepfe->addWidget(ok);
  knoepfe->addWidget(abbrechen);
  layout->addLayout(knoepfe);
  ok->setDefault(true);
  connect(FBaum->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& i) { FLogik.FVerzeichnis = S(FModell->filePath(i)); });
  connect(neu, &QPushButton::clicked, this, [this] {
    if (FLogik.Neu()) Zeige(Q(FLogik.FVerzeichnis));
  });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  Zeige(Q(FLogik.FVerzeichnis));
  resize(420, 460);
}

void VerzeichnisFenster::Zeige(const QString& pfad) {
  const QModelIndex i = FModell->index(pfad);
  FBaum->setCurrentIndex(i);
  FBaum->scrollTo(i);
  FBaum->expand(i);
}

void RegistriereFenster() { RegistriereModal<VerzeichnisFenster, TfrmVerzAuswahl>(); }

}  // namespace zaq::gui
