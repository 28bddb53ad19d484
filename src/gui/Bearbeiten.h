#pragma once
// The Qt window of the member editor; it renders TfrmZAQBearbeiten.
#include <QDialog>

#include "views/Bearbeiten.h"

class QTabWidget;

namespace zaq::gui {

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
  TfrmZAQBearbeiten& FLogik;
  QTabWidget* FSeiten = nullptr;
  std::function<void()> FAktualisieren;
};

void RegistriereBearbeiten();

}  // namespace zaq::gui
