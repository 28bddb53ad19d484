#pragma once
// The Qt SEPA window: one booking at a time with its fields, the commands
// of the window's logic in menus and tool bar, the search window "Zahlung
// suchen" and the dialog "Buchungsstammdaten".
#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "gui/Formularfenster.h"
#include "views/Sepafenster.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

namespace zaq::gui {

class SepaFenster : public FormularFenster {
  Q_OBJECT
 public:
  SepaFenster(std::shared_ptr<TfrmSEPA> logik, QWidget* eltern);
  void Aktualisieren() override;
  TfrmSEPA& Logik() { return *FLogik; }
  QLineEdit* Kontoinhaber() const { return FKontoinhaber; }
  QLineEdit* IBAN() const { return FIBAN; }
  QLineEdit* Betrag() const { return FBetrag; }
  QPlainTextEdit* Verwendungszweck() const { return FZweck; }
  QLabel* Formular() const { return FFormular; }
  QLabel* Bank() const { return FBank; }
  QLabel* Summe() const { return FSumme; }

 private:
  // What is typed goes to the logic at once.
  void Getippt();
  std::shared_ptr<TfrmSEPA> FLogik;
  QLabel *FFormular, *FBank, *FZweckBeschriftung, *FDatum, *FSumme;
  QLineEdit *FKontoinhaber, *FIBAN, *FMandatsreferenz, *FBetrag, *FMandatsdatum, *FKundenreferenz;
  QPlainTextEdit* FZweck;
};

class StammdatenDialog : public QDialog {
  Q_OBJECT
 public:
  StammdatenDialog(TfrmBuchungsstammdaten& logik, QWidget* eltern);
  QLineEdit* Beschreibung() const { return FBeschreibung; }
  QLineEdit* Datum() const { return FDatum; }
  QLineEdit* Schluessel() const { return FSchluessel; }
  QRadioButton* Wiederkehrend() const { return FWiederkehrend; }
  void OK();

 private:
  void Uebernehmen();
  void Zeigen();
  TfrmBuchungsstammdaten& FLogik;
  QLineEdit *FBeschreibung, *FDatum, *FSchluessel;
  QRadioButton *FEinmalig, *FWiederkehrend;
  QLabel *FGlaeubiger, *FIBAN, *FBank, *FGlaeubigerID;
};

void RegistriereSepafenster();

}  // namespace zaq::gui
