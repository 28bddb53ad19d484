#pragma once
// Qt windows of collecting fees: the wizards "Mitgliedsbeiträge einziehen"
// and "Sonderbuchungsliste erstellen".
#include "gui/Assistent.h"
#include "views/Einzug.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QListWidget;

namespace zaq::gui {

class AssistentFenster : public AssistentRahmen {
  Q_OBJECT
 public:
  AssistentFenster(TfrmSEPAAssistent& logik, QWidget* eltern);
  QLineEdit* Beschreibung() const { return FBeschreibung; }
  QLineEdit* Zweck() const { return FZweck; }
  QLineEdit* Betrag() const { return FBetrag; }
  QRadioButton* Vorlaeufig() const { return FVorlaeufig; }
  QListWidget* Konten() const { return FKonten; }

 private:
  void Uebernehmen() override;
  void Zeigen() override;
  TfrmSEPAAssistent& FLogik;
  QLineEdit *FBeschreibung, *FZweck, *FBetrag;
  QDateEdit* FRechendatum;
  QCheckBox* FVollesJahr;
  QRadioButton *FTestlauf, *FVorlaeufig, *FKontofilter, *FAlleKonten;
  QListWidget* FKonten;
};

void RegistriereEinzugsfenster();

}  // namespace zaq::gui
