#pragma once
// The fee engine: what one member owes from its fee class, the checks of a
// member's fee data, purpose texts, and Beitragslauf, the one run over all
// members that the fee check, the invoices and the collection runs share.
//
// Money: a class amount is a stored 32-bit float; each fee is rounded once to
// whole cents (ties to the even cent) and from there on is integer cents.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Datum.h"
#include "store/BtrKlasse.h"
#include "store/Mitglied.h"

namespace zaq {

class TZAQ;
class TMitglied;

// Findings of PruefeBeitragsdaten, in the order their texts are written.
enum Beitragsbefund : std::uint32_t {
  bbKeineBeitragsklasse = 0x02,
  bbFalscheBeitragsklasse = 0x04,
  bbFehlerInBeitragsklasse = 0x08,
  bbFalscheZahlart = 0x10,
  bbVerweisFehlt = 0x20,
  bbZahlerFehlt = 0x40,
  bbZahlerNichtSelbstzahlend = 0x80,
  bbKeinKonto = 0x100,
  bbKeineIBAN = 0x200,
  bbKeineMandatsreferenz = 0x400,
  bbKeinMandatsdatum = 0x800,
  bbKeinEmpfaengerkonto = 0x1000,
  bbFalschesEmpfaengerkonto = 0x2000,
};
// Findings of PruefeFamilie.
enum Familienbefund : std::uint32_t {
  fbFehlerhafteZahlung = 1,
  fbFalscheErwachsenenzahl = 2,
  fbZuVieleErwachsene = 4,
};
// The texts of the set flags, "; "-separated.
std::string BeitragsbefundText(std::uint32_t befund);
std::string FamilienbefundText(std::uint32_t befund);


// Exact cents of betrag × zaehler ÷ nenner, rounded half to even.  Negative,
// non-finite or absurd (above 10^9 euro) amounts give -1.
std::int64_t RundeCent(float betrag, std::int64_t zaehler = 1, std::int64_t nenner = 1);
// "1.234,50" (thousands separator, two decimals, decimal comma); without
// the separator "1234,50".
std::string BetragText(std::int64_t cent, bool tausender = true);

struct TBeitrag {
  std::int64_t cent = -1;           // below 0: the fee cannot be computed
  std::string teil;                 // the purpose part of the member
  TAltKlasse* altKlasse = nullptr;  // the age class that counts it
  bool Berechnet() const { return cent >= 0; }
};

// The fee class the member's key names, or none.
TBtrKlasse* KlasseVon(const TMitglied& m);
// The fee of member m in class klasse (none: cannot be computed).  A
// calculation date of 0 or vollesJahr charges the annual amount; zaehlen adds
// the result to the age class's statistics.
TBeitrag Beitrag(TBtrKlasse* klasse, TMitglied& m, Tag rechendatum, bool zaehlen, bool vollesJahr);
// The member's fee by its key; -1 when it cannot be computed, 0 for a
// co-financed member of a family class.
std::int64_t BeitragBetrag(TMitglied& m, Tag rechendatum, bool vollesJahr);
// "1.234,50 €", "0,00 € F" for a co-financed family member, "Fehler!".
std::string BeitragText(TMitglied& m, Tag rechendatum, bool vollesJahr);
std::string BeitragsklasseText(const TMitglied& m);

// The findings of a member's fee data; ohneBeitrag skips the fee class
// checks.  The fee class found (or none) is handed back.
std::uint32_t PruefeBeitragsdaten(TMitglied& m, Tag rechendatum, TBtrKlasse** klasse = nullptr,
                                  bool ohneBeitrag = false);
// The family check of a payer over the members it pays for (itself first
// where the list order puts it).
std::uint32_t PruefeFamilie(const TMitglied& zahler, const std::vector<TMitglied*>& zahltFuer, Tag rechendatum);

// The name of a member in purpose texts, shortened by about k characters.
std::string ZweckName(const TMitglied& m, int k);

struct TVerwendungszweck {
  std::string text;
  std::int64_t cent = 0;
};
// The purpose text of a payer's booking: the template with its placeholders
// replaced (none: empty), then one entry per member "number name (part)",
// separated by trenner, names shortened so that maxLaenge (0: none) holds.
// The amount is the sum of the members' fees.
TVerwendungszweck Verwendungszweck(TZAQ& liste, const std::vector<TMitglied*>& zahltFuer, Tag rechendatum,
                                   const std::string& vorlage, const std::string& trenner, int maxLaenge,
                                   bool zaehlen, bool vorlDatumSetzen, bool vollesJahr);
// The purpose text of a special booking: template, then "number name" per member.
std::string SonderVerwendungszweck(const std::vector<TMitglied*>& zahltFuer, int maxLaenge,
                                   const std::string& vorlage, const std::string& trenner);

// One payer of a run.  Pointers stay valid until the member list changes.
struct TZahler {
  TMitglied* mitglied = nullptr;
  std::vector<TMitglied*> zahltFuer;  // in list order, the payer included
  std::int64_t cent = 0;
  std::string verwendungszweck;  // "; "-separated member listing
};

struct TBeitragslaufOptionen {
  // Payment kinds that make a member a payer: bit k = kind k (0..7).
  std::uint8_t Zahlarten = 0;
  bool MitZahlerliste = false;
  bool MitNullbetrag = false;
  bool VorlDatumSetzen = false;
  bool NurSelektierte = false;
  bool OhneBerechnung = false;

  // Results.
  std::int64_t Summe = 0;  // cents
  std::vector<TZahler> Zahlerliste;
  std::vector<TMitglied*> Hinweisliste;

  static constexpr std::uint8_t Zahlart(int art) { return static_cast<std::uint8_t>(1u << art); }
  bool IstZahlart(std::uint8_t art) const { return art < 8 && (Zahlarten >> art & 1u); }
};

// The fee run over all active members.  A date of 0 means the fee age
// reference date.  Linear in the number of members.
void Beitragslauf(TZAQ& liste, Tag rechendatum, bool vollesJahr, TBeitragslaufOptionen& optionen);

// Takes every preliminary pay date over as paid-until date; the number of
// members changed.
int UebernehmeVorlDaten(TZAQ& liste);

}  // namespace zaq
