#pragma once
// The windows "Informationen zur Datei" and "Datensatzinfo".
#include <QDialog>

#include "views/Dateiinfo.h"

class QTreeWidget;

namespace zaq::gui {

class DateiInfoDialog : public QDialog {
  Q_OBJECT
 public:
  DateiInfoDialog(TfrmDateiInfo& logik, QWidget* eltern);
  QTreeWidget* Liste() const { return FListe; }

 private:
  QTreeWidget* FListe;
};

class DatensatzInfoDialog : public QDialog {
  Q_OBJECT
 public:
  DatensatzInfoDialog(TfrmDatensatzInfo& logik, QWidget* eltern);
};

void RegistriereDateiinfo();

}  // namespace zaq::gui
