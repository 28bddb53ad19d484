#pragma once
// What the Qt windows of booking lists share: the commands in menus with
// their lookup by caption, the position bar, the navigation commands'
// states, the search window "Zahlung suchen", "&ZAQ" and closing.
#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "views/Formularfenster.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QScrollBar;

namespace zaq::gui {

// Sets a field's text only when it differs, so the cursor stays.
void SetzeText(QLineEdit* feld, const std::string& text);

class ZahlungSuchFenster;

class FormularFenster : public QMainWindow {
  Q_OBJECT
 public:
  FormularFenster(TFormularfenster& logik, QWidget* eltern);
  // Shows the logic's state.
  Q_INVOKABLE virtual void Aktualisieren() = 0;
  // A command by its caption without "&".
  QAction* Befehl(const QString& titel) const;

 protected:
  void closeEvent(QCloseEvent* e) override;
  // A command whose effect is followed by Aktualisieren().
  QAction* Neu(QMenu* menue, const QString& titel, std::function<void()> wirkung, bool verfuegbar = true);
  // "Vorherige", "Nächste" and "&Suchen..." into the menu.
  void Navigation(QMenu* menue);
  void SucheBefehl(QMenu* menue);
  // "&ZAQ" in the menu bar: back to the main window.
  void ZaqBefehl();
  // The position bar under the form.
  QScrollBar* Positionsleiste(QWidget* eltern);
  // The states of navigation, position and search window.
  void RahmenAktualisieren();
  bool FImDarstellen = false;

 private:
  TFormularfenster& FFormular;
  QScrollBar* FPosition = nullptr;
  QAction *FVorherige = nullptr, *FNaechste = nullptr;
  ZahlungSuchFenster* FSuche = nullptr;
  std::vector<QAction*> FBefehle;
};

// "Zahlung suchen"; aktualisieren shows the window's state after a search.
class ZahlungSuchFenster : public QDialog {
  Q_OBJECT
 public:
  ZahlungSuchFenster(QWidget& fenster, TFormularfenster& logik, std::function<void()> aktualisieren);
  void Aktualisieren();
  QLineEdit* Text() const { return FText; }
  QCheckBox* Automatisch() const { return FAuto; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  TFormularfenster& FLogik;
  std::function<void()> FAktualisieren;
  QLineEdit* FText;
  QCheckBox* FAuto;
};

}  // namespace zaq::gui
