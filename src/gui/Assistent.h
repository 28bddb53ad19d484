#pragma once
// The frame every wizard window shares: the step's title, the stack of
// pages, the member page with its selection buttons, and "Zurück",
// "Weiter" and "Abbrechen".
#include <QDialog>

#include "views/Assistent.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QVBoxLayout;

namespace zaq::gui {

class AssistentRahmen : public QDialog {
  Q_OBJECT
 public:
  void Weiter();
  void Zurueck();
  QPushButton* WeiterKnopf() const { return FWeiter; }
  QLabel* Schritt() const { return FSchritt; }

 protected:
  AssistentRahmen(TAssistent& logik, const QString& titel, const QString& letzterKnopf, QWidget* eltern);
  // A new page of the stack, in the order of the logic's pages.
  QVBoxLayout* NeueSeite();
  // The page "Nur selektierte Mitglieder heranziehen" / "Alle Mitglieder
  // auflisten" with "Gesamtselektion..." and "Listenselektion...".
  void Mitgliederseite();
  // Adds the buttons; the derived window calls it last, then Zeigen().
  void Knoepfe();
  // The fields to the logic, and the logic to the fields.
  virtual void Uebernehmen();
  virtual void Zeigen();

  QRadioButton *FNurSelektierte = nullptr, *FAlleMitglieder = nullptr;

 private:
  TAssistent& FLogik;
  QString FLetzterKnopf;
  QLabel* FSchritt;
  QStackedWidget* FSeiten;
  QPushButton *FGesamt = nullptr, *FListe = nullptr, *FZurueck = nullptr, *FWeiter = nullptr;
};

}  // namespace zaq::gui
