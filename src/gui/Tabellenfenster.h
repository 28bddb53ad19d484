#pragma once
// The Qt table window: a model/view grid over the core's table, so that only
// the rows on screen are drawn (and their texts computed anew), with the
// window's menus, the right-click menu, column moves and the status line.
#include <QAbstractTableModel>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "views/Tabellenfenster.h"

class QAction;
class QLabel;
class QMenu;
class QMimeData;
class QTableView;

namespace zaq::gui {

class Hauptfenster;

class TabellenModell : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TabellenModell(TTabelle& tabelle, QObject* eltern = nullptr);
  int rowCount(const QModelIndex& eltern = {}) const override;
  int columnCount(const QModelIndex& eltern = {}) const override;
  QVariant data(const QModelIndex& index, int rolle) const override;
  QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle) const override;
  // The grid changed as a whole (rebuilt, sorted, columns changed).
  void Neu();

 private:
  TTabelle& FTabelle;
};

class TabellenFenster : public QMainWindow {
  Q_OBJECT
 public:
  // The main window (may be none) receives "Mitglied aufrufen" and "&ZAQ".
  TabellenFenster(std::shared_ptr<TTabelle> tabelle, Hauptfenster* haupt, QWidget* eltern = nullptr);
  ~TabellenFenster() override;

  TfrmTab& Logik() { return FLogik; }
  QTableView* Gitter() const { return FGitter; }
  QLabel* Statusfeld(int i) const { return FStatus[static_cast<std::size_t>(i)]; }
  // A command of the window by its caption, for tests.
  QAction* Aktion(const QString& text) const;
  // Everything on screen from the table: caption, grid, widths, status.
  void Zeigen();
  // The selection as a cell range, or none.
  std::optional<TZellbereich> Auswahl() const;
  void MitgliedAufrufen();
  void Kopieren(bool nurAuswahl);

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void BaueMenues();
  void Kontextmenue(const QPoint& p);
  void SpalteVerschoben(int logisch, int alt, int neu);
  void Breiten();
  void Groesse();
  template <class F>
  QAction* Befehl(QMenu* menue, const QString& text, F f);

  TfrmTab FLogik;
  QPointer<Hauptfenster> FHaupt;
  TabellenModell* FModell;
  QTableView* FGitter;
  std::array<QLabel*, 4> FStatus{};
  QList<QAction*> FAktionen;
  const QMimeData* FZwischenablage = nullptr;  // what this window put there
  bool FVerschieben = false;
  bool FGezeigt = false;
};

// Shows the core's tables as windows beside the main window.
void RegistriereTabellenfenster();

}  // namespace zaq::gui
