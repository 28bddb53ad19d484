#pragma once
// The Qt SEPA window: one booking at a time with its fields, the commands
// of the window's logic in menus and tool bar, the search window "Zahlung
// suchen" and the dialog "Buchungsstammdaten".
#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <memory>

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

class ZahlungSuchFenster;

class SepaFenster : public QMainWindow {
  Q_OBJECT
 public:
  SepaFenster(std::shared_ptr<TfrmSEPA> logik, QWidget* eltern);
  // Shows the logic's state.
  Q_INVOKABLE void Aktualisieren();
  TfrmSEPA& Logik() { return *FLogik; }
  QLineEdit* Kontoinhaber() const { return FKontoinhaber; }
  QLineEdit* IBAN() const { return FIBAN; }
  QLineEdit* Betrag() const { return FBetrag; }
  QPlainTextEdit* Verwendungszweck() const { return FZweck; }
  QLabel* Formular() const { return FFormular; }
  QLabel* Bank() const { return FBank; }
  QLabel* Summe() const { return FSumme; }
  // A command by its caption without "&".
  QAction* Befehl(const QString& titel) const;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // What is typed goes to the logic at once.
  void Getippt();
  QAction* Neu(QMenu* menue, const QString& titel, std::function<void()> wirkung, bool verfuegbar = true);
  std::shared_ptr<TfrmSEPA> FLogik;
  bool FImDarstellen = false;
  QLabel *FFormular, *FBank, *FZweckBeschriftung, *FDatum, *FSumme;
  QLineEdit *FKontoinhaber, *FIBAN, *FMandatsreferenz, *FBetrag, *FMandatsdatum, *FKundenreferenz;
  QPlainTextEdit* FZweck;
  QScrollBar* FPosition;
  QAction *FVorherige, *FNaechste;
  ZahlungSuchFenster* FSuche = nullptr;
  std::vector<QAction*> FBefehle;
};

// "Zahlung suchen" of a booking list's window; aktualisieren shows the
// window's state after a search.
class ZahlungSuchFenster : public QDialog {
  Q_OBJECT
 public:
  ZahlungSuchFenster(QWidget& fenster, TFormularfenster& logik, std::function<void()> aktualisieren);
  void Aktualisieren();
  QLineEdit* Text() const { return FText; }
  QCheckBox* Automatisch() const { return FAuto; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  TFormularfenster& FLogik;
  std::function<void()> FAktualisieren;
  QLineEdit* FText;
  QCheckBox* FAuto;
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
