#pragma once
// The statistics window with its chart (Qt Charts), the member count
// "Bestandszählung" and the free member numbers.
#include <QDialog>
#include <QMainWindow>
#include <memory>

#include "views/Statistikfenster.h"

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace zaq::gui {

class StatistikFenster : public QMainWindow {
  Q_OBJECT
 public:
  StatistikFenster(std::shared_ptr<TfrmStatistik> logik, QWidget* eltern);
  TfrmStatistik& Logik() { return *FLogik; }
  QChartView* Ansicht() const { return FAnsicht; }
  QLabel* Status(int i) const { return FStatus[i]; }
  // Draws the chart again from the logic.
  void Zeichnen();
  // The chart as a picture or a PDF page.
  bool Schreiben(const QString& datei, bool pdf);

 private:
  std::shared_ptr<TfrmStatistik> FLogik;
  QChartView* FAnsicht;
  QLabel* FStatus[3];
};

class BestandszaehlungDialog : public QDialog {
  Q_OBJECT
 public:
  BestandszaehlungDialog(TfrmBestandszaehlung& logik, QWidget* eltern);
  QLineEdit* Von() const { return FVon; }
  QLineEdit* Bis() const { return FBis; }
  QTreeWidget* Liste() const { return FListe; }
  void Auflisten();

 private:
  void Zeigen();
  void Uebernehmen();
  TfrmBestandszaehlung& FLogik;
  QLineEdit *FVon, *FBis, *FAbteilung;
  QTreeWidget* FListe;
};

class FreieNummernDialog : public QDialog {
  Q_OBJECT
 public:
  FreieNummernDialog(TfrmFreieNummern& logik, QWidget* eltern);
};

void RegistriereStatistikfenster();

}  // namespace zaq::gui
