#pragma once
#include <QMainWindow>
#include <memory>

#include "app/Programm.h"

class QLabel;

namespace zaq::gui {

class Hauptfenster;

// The program's core logic, told when the open list changes.
class GuiProgramm : public TProgramm {
 public:
  explicit GuiProgramm(Hauptfenster& fenster) : FFenster(fenster) {}

 protected:
  void ListeGewechselt() override;

 private:
  Hauptfenster& FFenster;
};

class Hauptfenster : public QMainWindow {
  Q_OBJECT
 public:
  Hauptfenster();
  GuiProgramm& Programm() { return FProgramm; }
  void Aktualisieren();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  GuiProgramm FProgramm;
  QLabel* FInhalt;
};

}  // namespace zaq::gui
