#pragma once
// Qt windows of the fee check "Mitgliedsbeiträge überprüfen" with its report
// and of the invoice wizard "Rechnungen für Mitgliedsbeiträge ausstoßen".
#include <QDialog>
#include <memory>

#include "gui/Assistent.h"
#include "views/Rechnungen.h"

class QCalendarWidget;
class QCheckBox;
class QLabel;
class QRadioButton;
class QDateEdit;
class QTreeWidget;

namespace zaq::gui {

class BeitragspruefungFenster : public QDialog {
  Q_OBJECT
 public:
  BeitragspruefungFenster(std::shared_ptr<TfrmBeitragspruefung> logik, QWidget* eltern);
  Q_INVOKABLE void Aktualisieren();
  void Berechnen();
  QCalendarWidget* Kalender() const { return FKalender; }
  QCheckBox* VollesJahr() const { return FVollesJahr; }
  QTreeWidget* Bericht() const { return FBericht; }

 private:
  std::shared_ptr<TfrmBeitragspruefung> FLogik;
  QCalendarWidget* FKalender;
  QCheckBox* FVollesJahr;
  QTreeWidget* FBericht;
};

class RechnungsAssistentFenster : public AssistentRahmen {
  Q_OBJECT
 public:
  RechnungsAssistentFenster(TfrmRechnungsAssistent& logik, QWidget* eltern);
  QRadioButton* Vorlaeufig() const { return FVorlaeufig; }
  QRadioButton* Testlauf() const { return FTestlauf; }

 private:
  void Uebernehmen() override;
  void Zeigen() override;
  TfrmRechnungsAssistent& FLogik;
  QLabel* FDatumText;
  QDateEdit* FRechendatum;
  QCheckBox *FVollesJahr, *FNullbetraege;
  QRadioButton *FTestlauf, *FVorlaeufig;
};

void RegistriereRechnungsfenster();

}  // namespace zaq::gui
