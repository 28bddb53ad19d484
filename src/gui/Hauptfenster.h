#pragma once
// The Qt main window: renders what TfrmZAQ computes (display fields, menus
// and tool bar from the command table, status line, scroll bar, quick search,
// notes button) and forwards every input to it.
#include <QComboBox>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "views/Hauptfenster.h"

class QAction;
class QCompleter;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QStandardItemModel;
class QTabWidget;
class QToolButton;

namespace zaq::gui {

class Hauptfenster;
class MitfinanzierungsFenster;
class SuchFenster;

// The window logic, told to repaint and to close.
class GuiProgramm : public TfrmZAQ {
 public:
  explicit GuiProgramm(Hauptfenster& fenster) : FFenster(fenster) {}

 protected:
  void Darstellen() override;
  void Schliessen() override;

 private:
  Hauptfenster& FFenster;
};

// The quick-search box.  The box holds the focus for its line edit and hands
// it the keys, so keys and focus changes are taken here; the arrow opens the
// list of matches.
class Suchfeld : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override { emit ListeGewuenscht(); }
  std::function<bool(QKeyEvent*)> BeiTaste;  // true: swallowed
  std::function<void(bool)> BeiFokus;        // true: entered
 signals:
  void ListeGewuenscht();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};

class Hauptfenster : public QMainWindow {
  Q_OBJECT
 public:
  Hauptfenster();
  ~Hauptfenster() override;
  GuiProgramm& Programm() { return FProgramm; }
  void Darstellen();

  // The widgets of fields and commands, for tests.
  QLineEdit* Feld(Anzeige feld) const { return FFelder[static_cast<std::size_t>(feld)]; }
  QAction* Aktion(Bef befehl) const { return FAktionen[static_cast<std::size_t>(befehl)]; }
  const QList<QAction*>& Tabellenaktionen() const { return FTabellenAktionen; }
  QComboBox* Suche() const { return FSuche; }
  QCompleter* Treffer() const { return FCompleter; }
  QScrollBar* Bildlauf() const { return FBildlauf; }
  QLabel* Statusfeld(int feld) const { return FStatus[feld - 1]; }
  QGroupBox* Rahmen(int nummer) const { return nummer == 1 ? FRahmen1 : FRahmen2; }
  QTabWidget* Zahlart() const { return FZahlart; }
  MitfinanzierungsFenster* Mitfinanzierungen() const { return FMitfin; }
  SuchFenster* Suchfenster() const { return FSuchfenster; }

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct Breitenzeile {
    QGridLayout* raster;
    int zeile;
    Anzeige feld;
    std::vector<QWidget*> partner;  // the widgets of the other half
    bool halb;
  };
  void BaueMenues();
  void BaueWerkzeugleiste();
  QWidget* BaueAnsicht();
  QLineEdit* NeuesFeld(Anzeige feld);
  QAction* NeueAktion(const TBefehl& b, QObject* eltern);
  void Ausfuehren(Bef befehl);
  void ZeigeTreffer();
  void BaueNotizmenue(QMenu* menue, const std::vector<TNotizEintrag>& eintraege, Bef oeffnen, Bef neu);

  GuiProgramm FProgramm;
  bool FAufgebaut = false;
  bool FImDarstellen = false;
  std::array<QLineEdit*, kAnzahlAnzeigefelder> FFelder{};
  std::array<QAction*, kAnzahlBefehle> FAktionen{};
  std::vector<Breitenzeile> FBreiten;
  std::array<QWidget*, kAnzahlAnzeigefelder> FBeschriftungen{};  // a field's label, shown with it
  QGroupBox* FRahmen1 = nullptr;
  QGroupBox* FRahmen2 = nullptr;
  QTabWidget* FZahlart = nullptr;
  QScrollBar* FBildlauf = nullptr;
  Suchfeld* FSuche = nullptr;
  QCompleter* FCompleter = nullptr;
  QStandardItemModel* FTrefferModell = nullptr;
  std::vector<std::string> FTrefferTexte;
  QToolButton* FNotizKnopf = nullptr;
  QMenu* FNotizMenue = nullptr;
  QMenu* FAufgabenMenue = nullptr;
  // The menus of the menu bar, shown or hidden as the logic says.
  std::vector<std::pair<Menue, QMenu*>> FMenues;
  std::vector<std::string> FNotizTexte, FAufgabenTexte;
  // The user-defined tables after the Tables menu's fixed commands.
  QMenu* FTabellenMenue = nullptr;
  std::vector<TTabellenEintrag> FTabellenEintraege;
  QList<QAction*> FTabellenAktionen;
  void BaueTabellenmenue();
  QTimer FNotizTimer;
  MitfinanzierungsFenster* FMitfin = nullptr;
  SuchFenster* FSuchfenster = nullptr;
  std::uint64_t FMitfinStand = 0;
  QLabel* FStatus[3] = {};
};

}  // namespace zaq::gui
