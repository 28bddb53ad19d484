#pragma once
// The Qt windows of the fee dialogs.  Each renders its logic object of
// fees/Dialoge.h and writes the input back before the logic checks it.
//
// Entry points: RegistriereBeitragsdialoge() once at start; the core then
// shows the dialogs through Oberflaeche::Dialog (BearbeiteBtrKlasse,
// BtrKlasseHinzufuegen, BearbeiteVereinskonto, VereinskontoHinzufuegen,
// ZeigeSepaUmstellung, ZeigeSchlAuswahl, WaehleZahler).  The co-financing
// window is a tool window the main window owns.
#include <QDialog>
#include <array>
#include <functional>

#include "views/Beitragsdialoge.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;

namespace zaq::gui {

// Registers the fee dialogs with the Qt front end.
void RegistriereBeitragsdialoge();

class BtrKlasseDialog : public QDialog {
  Q_OBJECT
 public:
  BtrKlasseDialog(TfrmBtrKlasse& logik, QWidget* eltern = nullptr);
  // "OK"/"Hinzufügen": stays open when the logic refuses.
  void accept() override;

 private:
  struct Zeile {
    QLineEdit* zweck;
    QLabel* von;
    QSpinBox* bis;
    QLineEdit* betrag;
  };
  void Uebernehmen();
  void ZeilenAnzeigen();
  TfrmBtrKlasse& FLogik;
  QLineEdit *FSchluessel, *FBezeichnung, *FFamilienZweck, *FFamilienBetrag;
  QComboBox* FTeilberechnung;
  QCheckBox *FFaktorText, *FHoechstzahl, *FFesteZahl;
  QRadioButton *FAltersklassen, *FFamilienbeitrag;
  QStackedWidget* FSeiten;
  QSpinBox *FAnzahl, *FFamilienZahl, *FFamilienAlter;
  std::array<Zeile, TfrmBtrKlasse::kZeilen> FZeilen;
};

class VereinskontoDialog : public QDialog {
  Q_OBJECT
 public:
  VereinskontoDialog(TfrmVereinskonto& logik, QWidget* eltern = nullptr);
  void accept() override;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void Uebernehmen();
  void Anzeigen();
  TfrmVereinskonto& FLogik;
  QLineEdit *FSchluessel, *FBezeichnung, *FInhaber, *FBLZ, *FKonto, *FIBAN, *FGlaeubigerID, *FBankname;
};

class SepaUmstellungDialog : public QDialog {
  Q_OBJECT
 public:
  SepaUmstellungDialog(TfrmSepaUmstellung& logik, QWidget* eltern = nullptr);

 private:
  void Freigeben();
  TfrmSepaUmstellung& FLogik;
  QCheckBox *FBestaetigung1, *FBestaetigung2;
  QLineEdit* FDatum;
  QPushButton *FIBAN, *FMandate;
};

class AuswahlDialog : public QDialog {
  Q_OBJECT
 public:
  AuswahlDialog(TfrmAuswahl& logik, QWidget* eltern = nullptr);
  void accept() override;

 private:
  TfrmAuswahl& FLogik;
  QTreeWidget* FListe;
};

// "Mitfinanzierungen": the members the shown member pays for.  Choosing one
// calls MitgliedGewaehlt; SichtbarGeaendert reports opening and closing so
// the main window can tick its command.
class MitfinanzierungsFenster : public QDialog {
  Q_OBJECT
 public:
  explicit MitfinanzierungsFenster(QWidget* eltern = nullptr);
  void Zeige(TZAQ* liste, TMitglied* mitglied);
  std::function<void(TMitglied*)> MitgliedGewaehlt;
  std::function<void(bool)> SichtbarGeaendert;

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  TfrmMitfinanzierungen FLogik;
  QListWidget* FListe;
  bool FPlatziert = false;
};

}  // namespace zaq::gui
