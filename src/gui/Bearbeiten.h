#pragma once
// The Qt window of the member editor; it renders TfrmZAQBearbeiten.
#include <QDialog>

#include "views/Bearbeiten.h"

class QLineEdit;
class QTabWidget;

namespace zaq::gui {

// A date field: the text of the logic's date form (empty = no date,
// "TT.MM.JJJJ" = still to be entered) and a button with a calendar.
class Datumsfeld : public QWidget {
  Q_OBJECT
 public:
  explicit Datumsfeld(QWidget* eltern);
  QLineEdit* Zeile() const { return FZeile; }
  void Zeige(Tag tag);
 signals:
  void Verlassen(const QString& text);  // edited and left, or a day chosen

 private:
  QLineEdit* FZeile;
};

class BearbeitenFenster : public QDialog {
  Q_OBJECT
 public:
  BearbeitenFenster(TfrmZAQBearbeiten& logik, QWidget* eltern);

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void accept() override;

 private:
  void Aufbauen();
  void Anzeigen();  // field values from the logic
  // A line edit for a text field of the logic, taking input by its rule.
  QLineEdit* Zeile(QWidget* eltern, std::string TfrmZAQBearbeiten::*feld);
  TfrmZAQBearbeiten& FLogik;
  QTabWidget* FSeiten = nullptr;
  std::function<void()> FAktualisieren;
};

void RegistriereBearbeiten();

}  // namespace zaq::gui
