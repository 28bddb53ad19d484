#pragma once
// Qt windows of collecting fees: the wizards "Mitgliedsbeiträge einziehen"
// and "Sonderbuchungsliste erstellen".
#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "views/Einzug.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;

namespace zaq::gui {

class Hauptfenster;

class AssistentFenster : public QDialog {
  Q_OBJECT
 public:
  AssistentFenster(TfrmSEPAAssistent& logik, QWidget* eltern);
  void Weiter();
  void Zurueck();
  QLineEdit* Beschreibung() const { return FBeschreibung; }
  QLineEdit* Zweck() const { return FZweck; }
  QLineEdit* Betrag() const { return FBetrag; }
  QRadioButton* Vorlaeufig() const { return FVorlaeufig; }
  QListWidget* Konten() const { return FKonten; }
  QPushButton* WeiterKnopf() const { return FWeiter; }

 private:
  void Uebernehmen();
  void Zeigen();
  TfrmSEPAAssistent& FLogik;
  QLabel* FSchritt;
  QStackedWidget* FSeiten;
  QLineEdit *FBeschreibung, *FZweck, *FBetrag;
  QDateEdit* FRechendatum;
  QCheckBox* FVollesJahr;
  QRadioButton *FTestlauf, *FVorlaeufig, *FKontofilter, *FAlleKonten, *FNurSelektierte, *FAlleMitglieder;
  QListWidget* FKonten;
  QPushButton *FGesamt, *FListe, *FZurueck, *FWeiter;
};

void RegistriereEinzugsfenster();

}  // namespace zaq::gui
