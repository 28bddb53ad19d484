#pragma once
// The member edit dialog's logic ("Datensatz bearbeiten"): fields, pages by
// rights, input aids, the checks on OK and storing.  It works on a copy that
// the caller takes over.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Datum.h"
#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"
#include "views/Eingabe.h"

namespace zaq {

class TZAQ;
class TMitglied;
class TBenutzer;

enum class Editormodus { Bearbeiten, Hinzufuegen, Duplizieren, Archiv };

class TfrmZAQBearbeiten : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Datensatz bearbeiten";
  std::string_view Art() const override { return kArt; }

  enum class Seite { Persoenlich = 0, Gruppen = 1, Beitrag = 2, Austritt = 3 };
  enum class Auswahl { Keine, Beitragsschluessel, Empfaengerkonto, Zahler };

  // Every text field once: its component name, its caption in messages, the
  // text it edits here, how it takes what is typed, its page, its chooser.
  struct Textfeld {
    const char* name;
    const char* titel;
    std::string TfrmZAQBearbeiten::*text;
    TEingaberegel regel;
    Seite seite;
    Auswahl auswahl = Auswahl::Keine;
  };
  static std::span<const Textfeld> Textfelder();
  static const Textfeld& TextfeldVon(std::string TfrmZAQBearbeiten::*text);

  // LadeMitglied: fills every field from the member.
  TfrmZAQBearbeiten(TMitglied& mitglied, TZAQ& liste, Editormodus modus, std::string titel);

  // --- what the window shows ---
  std::string FTitel;
  Editormodus FModus;
  bool FArchivModus;
  // Active: the page's input can be changed.  A shown page that is not active
  // can still be opened and read.
  bool SeiteAktiv(Seite s) const;
  bool SeiteSichtbar(Seite s) const;
  // Editing opens on the page last used; adding on the personal page.
  Seite Startseite() const;
  void Schliessen(Seite aktuell) { sLetzteSeite = aktuell; }

  // Personal data.
  std::string txtNNa, txtVNa, txtZus, txtTitel;
  bool optGe1 = true;  // "M"; optGe2 = !optGe1
  std::string txtStr, txtPLZ, txtOrt, txtLand, txtTel, txtMob, txtMail, txtLink;
  Tag txtGebDt = 0, txtEinDt = 0;
  std::string txtAbt, txtEMG, txtEhr, txtAnr;
  // Groups: one check box per group in use.
  std::vector<std::string> GruppenNamen() const;
  std::vector<bool> lstGruppen;
  // Fee data.
  std::string txtBTS;
  Tag txtZahlDt = 0;
  bool kntrZahlVorl = false;
  bool kntrZahlVorlAktiv = false;
  std::string kntrZahlVorlText;
  int FZahlart = 1;  // optRechnung 0, optLastschrift 1, optMitfin 2
  std::string txtBLZ, txtKNR, txtIBAN, txtKIN, txtMandref, txtMandDat, txtEKS, txtBnk, txtZMG;
  // Leaving and record.
  std::string txtADt, txtATx;
  struct Erfassung {
    bool sichtbar = false;
    std::string durch, am;
  };
  Erfassung FLoeschung, FAufnahme, FAenderung;

  // Input proposals of the lists.
  static std::vector<std::pair<std::string, std::string>> Laender();  // code, name
  static std::vector<std::string> Austrittsgruende();

  // --- input ---
  // The user typed into a text field: the field's rule applies.
  void Tippe(std::string TfrmZAQBearbeiten::*feld, std::string_view text);
  // The right mouse button or Page Down on a field opens its chooser; true
  // when the field has one and a choice was made.
  bool Feldtaste(std::string TfrmZAQBearbeiten::*feld, zaq::Feldtaste taste);

  // --- input aids ---
  // Typed characters of the postcode: true when input moves on to the town.
  bool PLZEingegeben() const { return Cp1252Laenge(txtPLZ) == 5; }
  void VerlasseEintrittsdatum();
  void BetreteKontoinhaber();
  void BetreteIBAN();
  void BetreteMandatsreferenz();
  void BetreteMandatsdatum();
  void MandatsreferenzGeaendert() { txtMandDat.clear(); }
  // Leaving a date text field: "," becomes ".", rewritten as dd.mm.yyyy;
  // false with "Ungültiges Datum!" when it is no date.
  bool VerlasseDatumstext(std::string& text);
  // Leaving a date field (birth, entry, paid-until) with this text: the day
  // is taken, false with "Ungültiges Datum!" and the day kept when it is no
  // date.  Leaving the entry date runs its input aid.
  bool VerlasseDatumsfeld(Tag TfrmZAQBearbeiten::*feld, std::string_view text);
  void VerlasseBank();
  // The choosers beside the fee class key, the club account key and the payer.
  bool WaehleBeitragsschluessel();
  bool WaehleEmpfaengerkonto();
  bool WaehleZahlerVorschlag();
  // Double-click on group i (1-based): renames it in the master data at once.
  bool GruppeUmbenennen(int gruppe);

  // --- OK and storing ---
  // Runs every check in order; true when the dialog may close.
  bool OK();
  void SpeichereMitglied();

 private:
  inline static Seite sLetzteSeite = Seite::Persoenlich;
  bool Recht(std::uint32_t a, std::uint32_t b = 0) const;
  bool BankdatenVorhanden() const;
  TMitglied& FMitglied;
  TZAQ& FListe;
  std::int32_t FAltesAustrittsdatum;
  std::int32_t FVorlaeufig;
};

}  // namespace zaq
