#pragma once
// Qt windows of the selection and the Tables menu: "Gesamtselektion",
// "Listenselektion", the question whether only selected members are meant,
// and "Ehrungsliste erstellen".
#include <QDialog>
#include <vector>

#include "lists/Selektion.h"
#include "views/Tabellenvorlage.h"
#include "views/Tabellenfenster.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace zaq::gui {

class SelGesamtFenster : public QDialog {
  Q_OBJECT
 public:
  SelGesamtFenster(TfrmZAQSelGesamt& logik, QWidget* eltern);
  // A text field by the criterion's name ("NachnameVon"), for tests.
  QLineEdit* Feld(const QString& name) const;
  QCheckBox* Schalter(const QString& text) const;
  void OK();

 protected:
  void done(int ergebnis) override;

 private:
  void Uebernehmen();
  void Zeigen();
  struct Textfeld {
    QLineEdit* feld;
    std::string TSelektionskriterien::*wert;
  };
  TfrmZAQSelGesamt& FLogik;
  std::vector<Textfeld> FTexte;
  QCheckBox *FMaenner, *FFrauen, *FRechnung, *FLastschrift, *FMitfin, *FOder, *FUnd;
  QButtonGroup* FEhren;
  QComboBox* FGruppe;
  QLabel* FStatus;
};

class SelListeFenster : public QDialog {
  Q_OBJECT
 public:
  SelListeFenster(TfrmZAQSelListe& logik, QWidget* eltern);
  QTableWidget* Liste() const { return FListe; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Zeile(int i);
  TfrmZAQSelListe& FLogik;
  QTableWidget* FListe;
  bool FEntschieden = false;
};

class SelFrageFenster : public QDialog {
  Q_OBJECT
 public:
  SelFrageFenster(TfrmZAQSelFrage& logik, QWidget* eltern);

 private:
  TfrmZAQSelFrage& FLogik;
};

class EhrungFenster : public QDialog {
  Q_OBJECT
 public:
  EhrungFenster(TfrmZAQTabEhrung& logik, QWidget* eltern);

 private:
  TfrmZAQTabEhrung& FLogik;
};

void RegistriereSelektionsfenster();

}  // namespace zaq::gui
