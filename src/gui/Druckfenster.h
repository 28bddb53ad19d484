#pragma once
// The Qt print dialogs "Tabelle ausdrucken" and "Buchungen ausdrucken", and
// the front end's printing: system printers, the preview and PDF files.
#include <QDialog>

#include "views/Druckdialoge.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace zaq::gui {

class DruckDialogFenster : public QDialog {
  Q_OBJECT
 public:
  DruckDialogFenster(TDruckDialog& logik, QWidget* eltern);
  QLineEdit* Titel() const { return FTitel; }
  QLineEdit* Von() const { return FVon; }
  QLineEdit* Bis() const { return FBis; }
  QLineEdit* Kopien() const { return FKopien; }
  QComboBox* Drucker() const { return FDrucker; }
  void OK(bool vorschau);

 private:
  void Uebernehmen();
  TDruckDialog& FLogik;
  QLineEdit *FTitel, *FVon, *FBis, *FKopien;
  QComboBox *FSkalierung = nullptr, *FDrucker;
  QRadioButton* FQuer;
};

// The name of the pseudo printer that writes a PDF file.
inline constexpr const char* kPdfDrucker = "PDF-Datei";
std::vector<std::string> QtDruckerliste();
int QtStandarddrucker();
void QtDruckerEinrichten(QWidget* eltern);
bool QtDrucken(TDruckauftrag& auftrag, QWidget* eltern);

void RegistriereDruckfenster();

}  // namespace zaq::gui
