#pragma once
// The import dialog "Datei importieren": the preview of the loaded text
// file, the field menu on a column's heading, the header lines and the
// target.  The logic lives in views/Textimport.
#include <QDialog>

#include "views/Textimport.h"

class QMenu;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace zaq::gui {

class ImportDialog : public QDialog {
  Q_OBJECT
 public:
  ImportDialog(TfrmZAQImport& logik, QWidget* eltern);
  QTableWidget* Tabelle() const { return FTabelle; }
  QSpinBox* Kopfzeilen() const { return FKopfzeilen; }
  // The field menu of a data column (1 = the first after the numbering).
  QMenu* Feldmenue(int spalte);
  void Importieren();
  // Shows the preview again from the logic.
  void Aktualisieren();

 private:
  void Uebernehmen();
  TfrmZAQImport& FLogik;
  QTableWidget* FTabelle;
  QSpinBox* FKopfzeilen;
  QRadioButton *FMitglieder, *FArchiv;
  QMenu* FMenue = nullptr;
  int FMenueSpalte = -1;
};

void RegistriereImportfenster();

}  // namespace zaq::gui
