#pragma once
// The logic of the fee dialogs: the fee class editor, the club account
// editor, the conversion to SEPA, the list choosers for keys and payers, and
// the co-financing window.  Front ends render the fields and call the
// handlers; the core shows them through Oberflaeche::Dialog.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Datum.h"
#include "interaction/Oberflaeche.h"
#include "views/Eingabe.h"
#include "store/BtrKlasse.h"
#include "store/Konto.h"

namespace zaq {

class TZAQ;
class TMitglied;
class TStammdaten;


// --- fee class editor ("Beitragsklasse bearbeiten") ----------------------------

class TfrmBtrKlasse : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Beitragsklasse";
  static constexpr int kZeilen = 7;
  static constexpr const char* kFaktorText = "Faktoren <> 1 an Verwendungszweck hängen (z.B. \"Kind x0,8\")";
  static constexpr const char* kInfo =
      "Familienbeitrag bedeutet, daß das zahlungspflichtige Mitglied einen festen Beitrag zu zahlen hat, "
      "unabhängig davon, wie viele mitfinanzierte Mitglieder derselben Beitragsklasse es hat. Der Betrag "
      "bleibt also derselbe, ob das zahlende Mitglied für kein, ein oder mehrere Mitglieder dieser "
      "Beitragsklasse aufkommt.\r\n\r\nDie Zahl der erwachsenen Mitglieder (standardmäßig ab dem 18. "
      "Lebensjahr) kann dabei fest vorgegeben oder nach oben begrenzt werden; sie wird je Beitragsklasse "
      "gezählt.\r\n\r\nMitfinanzierte Mitglieder einer anderen Beitragsklasse werden wie gewohnt "
      "hinzugerechnet.";

  // The editor on klasse; liste holds the other classes for the key check.
  TfrmBtrKlasse(TBtrKlasse& klasse, const TBtrKlassenListe& liste);
  std::string_view Art() const override { return kArt; }

  struct Zeile {
    std::string zweck;   // "Bezeichnung (Verwendungszweck)"
    int von = 0;         // shown lower bound
    int bis = 150;       // "bis", at least von
    std::string betrag;  // "Beitrag", two decimals
  };

  // The fields' input rules.
  static constexpr TEingaberegel kSchluessel{5, true}, kBezeichnung{50}, kBetrag{15};

  // Shown.
  std::string Titel, Knopf;
  // Input.
  std::string txtSchluessel, txtBezeichnung;
  int cmbTeilberechnung = 0;
  bool chkFaktorText = false;
  bool optFamilienbeitrag = false;  // else "&Altersklassen"
  int txtAnzahl = 1;                // 1..7 rows shown
  bool chkHoechstzahl = false, chkFesteZahl = false;
  int txtFamilienZahl = 1;    // 1..9
  int txtFamilienAlter = 18;  // 0..99
  std::string txtFamilienZweck, txtFamilienBetrag;
  std::array<Zeile, kZeilen> Zeilen;

  // Handlers.
  void txtSchluesselChange();           // upper case, at most 5 characters
  void txtBisChange(int zeile);         // 0-based row whose "bis" changed
  void chkHoechstzahlClick();
  void chkFesteZahlClick();
  // "OK"/"Hinzufügen": checks in order; true when the class took the input.
  bool Speichern();

 private:
  TBtrKlasse& FKlasse;
  const TBtrKlassenListe& FListe;
};

// Edits a class; true when saved.
bool BearbeiteBtrKlasse(TBtrKlasse& klasse, const TBtrKlassenListe& liste);
// Adds a class when its editor was saved; the new class or none.
TBtrKlasse* BtrKlasseHinzufuegen(TBtrKlassenListe& liste);
// Removes a class after the question; true when removed.
bool BtrKlasseEntfernen(TBtrKlassenListe& liste, int index);

// --- club account editor ("Vereinskonto bearbeiten") ---------------------------

class TfrmVereinskonto : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Vereinskonto";

  TfrmVereinskonto(TVereinskonto& konto, const TVereinskontenListe& liste, const std::string& vereinsname);
  std::string_view Art() const override { return kArt; }

  // The fields' input rules.
  static constexpr TEingaberegel kSchluessel{5, true}, kBezeichnung{50}, kInhaber{70}, kBLZ{10}, kKonto{13},
      kIBAN{42}, kGlaeubigerID{35}, kBankname{70};

  std::string Titel, Knopf;
  std::string txtSchluessel, txtBezeichnung, txtInhaber, txtBLZ, txtKonto, txtIBAN, txtGlaeubigerID, txtBankname;

  void txtSchluesselChange();  // upper case, at most 5 characters
  // Entering a field fills it in when it is empty.
  void txtIBANEnter();
  void txtInhaberEnter();
  void txtBanknameEnter();
  bool Speichern();

 private:
  TVereinskonto& FKonto;
  const TVereinskontenListe& FListe;
  std::string FVereinsname;
};

bool BearbeiteVereinskonto(TVereinskonto& konto, const TVereinskontenListe& liste, const std::string& vereinsname);
TVereinskonto* VereinskontoHinzufuegen(TVereinskontenListe& liste, const std::string& vereinsname);
bool VereinskontoEntfernen(TVereinskontenListe& liste, int index);

// --- conversion to SEPA ("Umstellung der Datenbank auf SEPA") ------------------

class TfrmSepaUmstellung : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "SEPA-Umstellung";
  static constexpr const char* kBestaetigungIBAN =
      "Die IBAN-Berechnung erfolgt nur bei Bankleitzahlen, die nach der BLZ-Datei der deutschen Bundesbank die "
      "IBAN-Regel 0 Revision 0 verwenden. Alle anderen IBAN müssen manuell bestimmt werden. Für die Richtigkeit "
      "der berechneten IBAN wird keine Gewähr übernommen.";
  static constexpr const char* kBestaetigungEndgueltig =
      "Die Umrechnung von Kontonummern und Bankleitzahlen auf die IBAN kann nicht mehr rückgängig gemacht "
      "werden.";

  explicit TfrmSepaUmstellung(TZAQ& liste);
  std::string_view Art() const override { return kArt; }

  static constexpr TEingaberegel kMandatsdatum{10, false, true};
  bool chkBestaetigung1 = false, chkBestaetigung2 = false;
  std::string txtMandatsdatum;  // "Datum des Mandats:"
  bool KnoepfeAktiv() const { return chkBestaetigung1 && chkBestaetigung2; }

  // "IBAN berechnen" and "Mandate generieren" with their reports.
  void befIBANClick();
  void befMandateClick();

 private:
  TZAQ& FListe;
};

struct Umstellungsergebnis {
  int erfolgreich = 0;
  int fehlgeschlagen = 0;
};
// The two operations on all members, without messages.
Umstellungsergebnis IBANBerechnen(TZAQ& liste);
int MandateGenerieren(TZAQ& liste, Tag mandatsdatum);
// Opens the conversion window.
void ZeigeSepaUmstellung(TZAQ& liste);

// --- list choosers ---------------------------------------------------------------

// A list window of "a;b;c" entries; the first field is the key.
class TfrmAuswahl : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Auswahl";
  std::string_view Art() const override { return kArt; }

  std::string Titel;
  int Breite = 0;                 // window width, 0 = the front end's choice
  std::vector<int> Spaltenbreiten;  // all but the last column
  std::vector<std::string> Eintraege;
  int Index = -1;  // preselected, then chosen entry
};

enum Schluesselart { skVereinskonto = 1, skBeitragsklasse = 2 };
// Chooses a club account key (1) or a fee class key (2); true when chosen.
bool ZeigeSchlAuswahl(const TStammdaten& stamm, std::string& schluessel, int art);
// Proposes payers with the same surname, postcode and place; true when chosen.
bool WaehleZahler(TZAQ& liste, std::uint16_t& zahler, const std::string& name, const std::string& plz,
                  const std::string& ort, std::uint16_t eigeneNummer);
// Whether the member numbered eigeneNummer may be co-financed by zahler.
bool PruefeZahler(TZAQ& liste, std::uint16_t eigeneNummer, std::uint16_t zahler);

// --- co-financing window ("Mitfinanzierungen") -----------------------------------

class TfrmMitfinanzierungen {
 public:
  static constexpr const char* kTitel = "Mitfinanzierungen";

  // The members whose payer m is; none for no member.
  void Fuellen(TZAQ* liste, TMitglied* m);
  const std::vector<std::string>& Eintraege() const { return FEintraege; }
  // The member of an entry, or none when the list changed meanwhile.
  TMitglied* Mitglied(int index) const;

  struct Platz {
    int x = 0, y = 0, breite = 0, hoehe = 0;
  };
  // The stored place; none while no width is stored.
  static std::optional<Platz> GespeicherterPlatz();
  static void SpeicherePlatz(const Platz& platz);

 private:
  TZAQ* FListe = nullptr;
  std::vector<std::string> FEintraege;
  std::vector<std::uint16_t> FNummern;
};

// The command "Vorläufige Rechendaten übernehmen...": asks, takes over, reports.
bool mnuUebernehmeVorlDatenClick(TZAQ& liste);

}  // namespace zaq
