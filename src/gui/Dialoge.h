#pragma once
// Qt windows of the dialogs the core describes as data: login, password,
// deleting a member, changing a member number, the member editor (a simple
// stand-in until the real editor is built) and read-only text windows.
// Each renders its data object and forwards the buttons to its logic.
#include <QDialog>

#include "debits/sepa/Export.h"
#include "store/Anmeldung.h"
#include "views/Hauptfenster.h"
#include "views/Mitgliederdialoge.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace zaq::gui {

// "Benutzeranmeldung": users with picture, login, name and function.
class AnmeldeFenster : public QDialog {
  Q_OBJECT
 public:
  AnmeldeFenster(TAnmeldeDialog& daten, QWidget* eltern = nullptr);
  QTableWidget* Tabelle() const { return FTabelle; }
  // The user chose a row (click released, Enter).
  void Waehle(int zeile);

 protected:
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  TAnmeldeDialog& FDaten;
  QTableWidget* FTabelle;
};

class KennwortFenster : public QDialog {
  Q_OBJECT
 public:
  KennwortFenster(TKennwortDialog& daten, QWidget* eltern = nullptr);
  QLineEdit* Kennwort() const { return FKennwort; }
  void accept() override;

 private:
  TKennwortDialog& FDaten;
  QLineEdit* FKennwort;
};

// "Mitglied löschen".
class LoeschFenster : public QDialog {
  Q_OBJECT
 public:
  LoeschFenster(TLoeschDialog& daten, QWidget* eltern = nullptr);
  void Druecke(TLoeschDialog::Knopf knopf);
  QComboBox* Datum() const { return FDatum; }
  QComboBox* Begruendung() const { return FBegruendung; }

 private:
  TLoeschDialog& FDaten;
  QComboBox* FDatum;
  QComboBox* FBegruendung;
};

// "Mitgliedsnummer ändern".
class NummerFenster : public QDialog {
  Q_OBJECT
 public:
  NummerFenster(TNummerDialog& daten, QWidget* eltern = nullptr);
  void Ausfuehren();

 private:
  void Anzeigen();
  TNummerDialog& FDaten;
  QLineEdit* FAlt;
  QLineEdit* FNeu;
  QRadioButton* FGlobal;
  QRadioButton* FNurAktuell;
};

class TextFensterQt : public QDialog {
  Q_OBJECT
 public:
  TextFensterQt(const TTextfenster& daten, QWidget* eltern = nullptr);
};

// Registers every window above, and the bank data viewer, with QtOberflaeche.
// "DTA-Datei erstellen": the collection day of the bank file.
class AusfuehrungsdatumFenster : public QDialog {
  Q_OBJECT

 public:
  AusfuehrungsdatumFenster(TAusfuehrungsdatumDialog& daten, QWidget* eltern = nullptr);
  QDateEdit* Datum() const { return FDatum; }
  // "OK": the day from the field; closes when the logic takes it.
  void Bestaetigen();

 private:
  TAusfuehrungsdatumDialog& FDaten;
  QDateEdit* FDatum;
};

void RegistriereDialoge();

}  // namespace zaq::gui
