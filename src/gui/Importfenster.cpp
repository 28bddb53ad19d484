#include "gui/Importfenster.h"

#include <QAction>
#include <map>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/QtOberflaeche.h"

namespace zaq::gui {

ImportDialog::ImportDialog(TfrmZAQImport& logik, QWidget* eltern) : QDialog(eltern), FLogik(logik) {
  setWindowTitle(QStringLiteral("Datei importieren"));
  resize(860, 620);
  auto* layout = new QVBoxLayout(this);
  auto* hinweis = new QPlainTextEdit(this);
  hinweis->setObjectName(QStringLiteral("txtHinweis"));
  hinweis->setReadOnly(true);
  QString text;
  for (const auto& z : TfrmZAQImport::Hinweis()) text += Q(z) + QLatin1Char('\n');
  hinweis->setPlainText(text.trimmed());
  hinweis->setMaximumHeight(150);
  layout->addWidget(hinweis);

  FTabelle = new QTableWidget(this);
  FTabelle->setObjectName(QStringLiteral("grdImport"));
  FTabelle->verticalHeader()->hide();
  FTabelle->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(FTabelle, 1);
  // A click on a data column's heading (or the right mouse button in the
  // table) opens the field menu for that column.
  connect(FTabelle->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int spalte) {
    if (spalte > 0) Feldmenue(spalte)->popup(QCursor::pos());
  });
  connect(FTabelle, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    const int spalte = FTabelle->columnAt(p.x());
    if (spalte > 0) Feldmenue(spalte)->popup(FTabelle->viewport()->mapToGlobal(p));
  });
  connect(FTabelle, &QTableWidget::cellChanged, this, [this](int zeile, int spalte) {
    auto& vorschau = FLogik.Import().Vorschau();
    if (spalte > 0 && zeile < static_cast<int>(vorschau.size()))
      vorschau[static_cast<std::size_t>(zeile)][static_cast<std::size_t>(spalte - 1)] =
          S(FTabelle->item(zeile, spalte)->text());
  });

  auto* unten = new QHBoxLayout;
  auto* laden = new QPushButton(QStringLiteral("Datei &laden..."), this);
  laden->setObjectName(QStringLiteral("befLaden"));
  unten->addWidget(laden);
  unten->addWidget(new QLabel(QStringLiteral("Kopfzeilen:"), this));
  FKopfzeilen = new QSpinBox(this);
  FKopfzeilen->setObjectName(QStringLiteral("txtKopfzeilen"));
  FKopfzeilen->setRange(0, 100);
  FKopfzeilen->setValue(FLogik.Import().Kopfzeilen());
  unten->addWidget(FKopfzeilen);
  FMitglieder = new QRadioButton(QStringLiteral("Mitgliederliste"), this);
  FArchiv = new QRadioButton(QStringLiteral("Archiv"), this);
  unten->addWidget(FMitglieder);
  unten->addWidget(FArchiv);
  unten->addStretch(1);
  auto* knoepfe = new QDialogButtonBox(this);
  auto* importieren = knoepfe->addButton(QStringLiteral("&Importieren"), QDialogButtonBox::AcceptRole);
  importieren->setObjectName(QStringLiteral("befImportieren"));
  knoepfe->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  unten->addWidget(knoepfe);
  layout->addLayout(unten);

  connect(laden, &QPushButton::clicked, this, [this] {
    FLogik.Laden();
    Aktualisieren();
  });
  connect(FKopfzeilen, &QSpinBox::valueChanged, this, [this](int n) {
    FLogik.SetzeKopfzeilen(n);
    Aktualisieren();
  });
  connect(knoepfe, &QDialogButtonBox::accepted, this, &ImportDialog::Importieren);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Aktualisieren();
}

void ImportDialog::Aktualisieren() {
  const QSignalBlocker sperre(FTabelle);
  const TTextimport& t = FLogik.Import();
  const auto& vorschau = t.Vorschau();
  FTabelle->clear();
  FTabelle->setColumnCount(t.Spaltenanzahl() > 0 ? t.Spaltenanzahl() + 1 : 0);
  FTabelle->setRowCount(static_cast<int>(vorschau.size()));
  QStringList koepfe{QStringLiteral("Nr.")};
  for (int c = 0; c < t.Spaltenanzahl(); ++c) koepfe << Q(t.Kopf(c));
  if (t.Spaltenanzahl() > 0) FTabelle->setHorizontalHeaderLabels(koepfe);
  const QFontMetrics metrik(FTabelle->font());
  std::vector<int> breiten(static_cast<std::size_t>(t.Spaltenanzahl()) + 1, 0);
  for (std::size_t r = 0; r < vorschau.size(); ++r) {
    auto* nr = new QTableWidgetItem(QString::number(r + 1));
    nr->setFlags(nr->flags() & ~Qt::ItemIsEditable);
    FTabelle->setItem(static_cast<int>(r), 0, nr);
    for (std::size_t c = 0; c < vorschau[r].size(); ++c) {
      const QString zelle = Q(vorschau[r][c]);
      FTabelle->setItem(static_cast<int>(r), static_cast<int>(c) + 1, new QTableWidgetItem(zelle));
      breiten[c + 1] = std::max(breiten[c + 1], metrik.horizontalAdvance(zelle));
    }
  }
  // Each column as wide as its widest cell and a little more, at least 50.
  for (std::size_t c = 1; c < breiten.size(); ++c)
    FTabelle->setColumnWidth(static_cast<int>(c), std::max(50, breiten[c] + 10));
}

QMenu* ImportDialog::Feldmenue(int spalte) {
  FMenueSpalte = spalte;
  delete FMenue;
  FMenue = new QMenu(this);
  std::map<std::string_view, QMenu*> gruppen;
  for (const TImportFeld& f : ImportFelder()) {
    QMenu* ziel = FMenue;
    if (!f.gruppe.empty()) {
      auto& g = gruppen[f.gruppe];
      if (!g) g = FMenue->addMenu(Q(std::string(f.gruppe)));
      ziel = g;
    }
    QAction* a = ziel->addAction(Q(std::string(f.menue)));
    a->setCheckable(true);
    a->setChecked(FLogik.Import().Spaltenanzahl() >= spalte && FLogik.Import().Feld(spalte - 1) == f.nummer);
    const int nummer = f.nummer;
    connect(a, &QAction::triggered, this, [this, nummer] {
      FLogik.Import().SetzeFeld(FMenueSpalte - 1, nummer);
      FTabelle->setHorizontalHeaderItem(FMenueSpalte, new QTableWidgetItem(Q(FLogik.Import().Kopf(FMenueSpalte - 1))));
    });
  }
  return FMenue;
}

void ImportDialog::Uebernehmen() {
  FLogik.FZiel = FMitglieder->isChecked() ? Importziel::Mitgliederliste
                 : FArchiv->isChecked()   ? Importziel::Archiv
                                          : Importziel::Keines;
}

void ImportDialog::Importieren() {
  Uebernehmen();
  if (FLogik.Importieren()) accept();
}

void RegistriereImportfenster() { RegistriereModal<ImportDialog, TfrmZAQImport>(); }

}  // namespace zaq::gui
