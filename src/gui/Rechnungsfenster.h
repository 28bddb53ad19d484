#pragma once
// Qt windows of the fee check "Mitgliedsbeiträge überprüfen" with its report
// and of the invoice wizard "Rechnungen für Mitgliedsbeiträge ausstoßen".
#include <QDialog>
#include <memory>

#include "views/Rechnungen.h"

class QCalendarWidget;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QDateEdit;
class QStackedWidget;
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

class RechnungsAssistentFenster : public QDialog {
  Q_OBJECT
 public:
  RechnungsAssistentFenster(TfrmRechnungsAssistent& logik, QWidget* eltern);
  void Weiter();
  void Zurueck();
  QRadioButton* Vorlaeufig() const { return FVorlaeufig; }
  QRadioButton* Testlauf() const { return FTestlauf; }
  QPushButton* WeiterKnopf() const { return FWeiter; }
  QLabel* Schritt() const { return FSchritt; }

 private:
  void Uebernehmen();
  void Zeigen();
  TfrmRechnungsAssistent& FLogik;
  QLabel *FSchritt, *FDatumText;
  QStackedWidget* FSeiten;
  QDateEdit* FRechendatum;
  QCheckBox *FVollesJahr, *FNullbetraege;
  QRadioButton *FNurSelektierte, *FAlleMitglieder, *FTestlauf, *FVorlaeufig;
  QPushButton *FGesamt, *FListe, *FZurueck, *FWeiter;
};

void RegistriereRechnungsfenster();

}  // namespace zaq::gui
