#pragma once
// Qt forms of the message list window and the directory chooser.
#include <QDialog>

#include "views/Fenster.h"

class QFileSystemModel;
class QTreeView;

namespace zaq::gui {

// Not modal; frees itself when closed.
class MeldungsFenster : public QDialog {
  Q_OBJECT
 public:
  MeldungsFenster(TfrmMeldung logik, QWidget* eltern);

 private:
  void Drucken();
  TfrmMeldung FLogik;
};

class VerzeichnisFenster : public QDialog {
  Q_OBJECT
 public:
  VerzeichnisFenster(TfrmVerzAuswahl& logik, QWidget* eltern);

 private:
  void Zeige(const QString& pfad);
  TfrmVerzAuswahl& FLogik;
  QFileSystemModel* FModell;
  QTreeView* FBaum;
};

// Registers the directory chooser with the Qt front end.
void RegistriereFenster();

}  // namespace zaq::gui
