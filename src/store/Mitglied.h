#pragma once
// One member of the club.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/Blockpool.h"
#include "store/DateiEA.h"
#include "store/Konto.h"
#include "store/Lebenszeichen.h"
#include "store/Notiz.h"
#include "store/Verweis.h"

namespace zaq {

class TZAQ;

// Payment kinds.
enum Zahlart : std::uint8_t { zaRechnung = 0, zaLastschrift = 1, zaMitfinanziert = 2 };

// The list icon of a member, by priority.
enum class Statussymbol { Selektiert, Austritt, Ehrenmitglied, Maennlich, Weiblich };

struct Jubilaeum {
  int jahre = 0;
  std::int32_t datum = 0;
};

class TMitglied : public TFeldDatensatz<TMitglied>, public AusBlockpool<TMitglied> {
 public:
  explicit TMitglied(TZAQ* liste = nullptr, std::uint16_t nummer = 0);
  // A copy is detached from every list but keeps the list as context.
  TMitglied(const TMitglied& q);
  TMitglied& operator=(const TMitglied& q);
  ~TMitglied() override;

  const char* KlassenName() const override { return "TMitglied"; }
  static std::span<const Feldbeschreibung<TMitglied>> Felder();
  void StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const override;
  void StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) override;

  // Context: the list whose users, master data and number format apply.
  TZAQ* Liste() const { return FListe; }
  void SetzeListe(TZAQ* liste);
  bool ImArchiv() const { return FArchiviert; }
  bool InListe() const { return FIndex >= 0; }
  int Index() const { return FIndex; }
  TMitglied* Vorgaenger() const;
  TMitglied* Nachfolger() const;

  // Stamps.
  void Geaendert();
  void SetzeSelektiert(bool wert);
  double LetzteAenderung() const;
  bool VerweistAufBenutzer(const TBenutzer& benutzer) const;

  // Derived values; a reference date of 0 means the age reference date.
  std::string MitgliedsnummerText() const;
  int Alter(std::int32_t stichtag = 0) const;
  int Mitgliedsjahre(std::int32_t stichtag = 0) const;
  int AlterBeitrag() const;
  int Geburtstagsnummer() const;
  bool IstEhrenmitglied() const { return FEhrenmitgliedSeit > 0; }
  bool TrittAus() const { return FAustrittsdatum > 0; }
  Statussymbol Symbol() const;
  int FaelligeEhrung(std::int32_t stichtag = 0) const;
  Jubilaeum Geburtstagsjubilaeum(std::int32_t stichtag = 0) const;

  // The heading of a column kind: short for a table's heading row, long for
  // the template dialog's field list; "?" for a number without one.
  static std::string SpaltenTitel(std::int32_t art, bool kurz);

  // Text forms.
  std::string NameKomplett() const;
  std::string NameAnzeige() const;
  std::string Adresszeile() const;
  std::string KurzName(int n) const;
  std::string Anschrift() const;
  std::string GruppenText(bool kurz) const;
  std::string GruppenBits() const;
  std::string MandatsreferenzVorschlag(const std::string& text, std::int32_t datum) const;
  std::string BuchungsKennung() const;
  std::string Zwischenablagetext(bool nurAnschrift) const;
  void KopiereInZwischenablage(bool nurAnschrift) const;

  // Groups and departments.
  bool InGruppe(int i) const;
  void SetzeGruppe(int i, bool an);
  std::uint32_t SetzeGruppenBits(const std::string& text);
  bool InGruppenMaske(std::uint32_t maske) const { return maske == 0 || (maske & FGruppen) != 0; }
  bool InAbteilung(const std::string& filter) const;

  // Co-financing.
  int ErmittleZahltFuer(bool nurSelektierte);
  const std::vector<TMitglied*>& ZahltFuerListe() const { return FZahltFuer; }

  // Account and payer (absent when none).
  TMitgliedskonto* Konto() { return FKonto.get(); }
  const TMitgliedskonto* Konto() const { return FKonto.get(); }
  TMitgliedskonto& KontoAnlegen();
  void KontoEntfernen() { FKonto.reset(); }
  TVerweisMitgl* Zahler() { return FZahler.get(); }
  const TVerweisMitgl* Zahler() const { return FZahler.get(); }
  TVerweisMitgl& ZahlerAnlegen();
  void ZahlerEntfernen() { FZahler.reset(); }

  // Persistent fields.
  std::uint16_t FMitgliedsnummer = 0;
  bool FSelektiert = false;
  TVerweisBen FErstelltVon;
  TVerweisBen FGeaendertVon;
  TVerweisBen FAustrittVon;
  std::string FName;
  std::string FVorname;
  std::string FZusatz;
  std::string FTitel;
  bool FMaennlich = true;
  std::int32_t FGeburtsdatum = 0;
  std::string FStrasse;
  std::string FPLZ;
  std::string FOrt;
  std::string FLand;
  std::string FTelefon;
  std::string FMobil;
  std::string FEMail;
  std::string FHomepage;
  std::int32_t FEintrittsdatum = 0;
  std::int32_t FEhrenmitgliedSeit = 0;
  std::int32_t FAustrittsdatum = 0;
  std::string FAustrittsgrund;
  std::uint8_t FAnrechnung = 0;
  std::uint8_t FEhrung = 0;
  std::string FAbteilungen;
  std::uint32_t FGruppen = 0;
  KurzText<5> FBeitragsschluessel;
  std::uint8_t FZahlart = zaLastschrift;
  std::int32_t FBezahltBis = 36525;
  std::int32_t FVorlaeufigBezahltBis = 0;
  TNotizListe FNotizen;

  // Run-time.
  mutable std::int64_t FGroesse = 0;
  int FVergleich = 0;
  std::string FHinweise;  // findings of the last fee run, "; "-separated
  Lebenszeichen FLebt;

 private:
  friend class TMitgliederListe;
  std::int32_t Stichtag(std::int32_t stichtag) const;
  TZAQ* FListe = nullptr;
  int FIndex = -1;
  bool FArchiviert = false;
  std::unique_ptr<TMitgliedskonto> FKonto;
  std::unique_ptr<TVerweisMitgl> FZahler;
  std::vector<TMitglied*> FZahltFuer;
};

// A member number in the list's number format (plain without a list).
std::string MitgliedsnummerText(const TZAQ* liste, std::uint16_t nummer);

// Full years from a to b, as membership and ages count them.
int VolleJahreBis(std::int32_t a, std::int32_t b);

// A payer reference counts only for a co-financed member: a reference left
// behind when the payment kind changed must not charge the member twice.
bool HatZahlerVerweis(const TMitglied& m);
// The resolved payer of a co-financed member, or none.
TMitglied* ZahlerVon(TMitglied& m);
// True when zahler pays for mitglied.
bool ZahltFuer(const TMitglied& zahler, TMitglied& mitglied);
bool GleichesMitglied(const TMitglied& a, const TMitglied& b);

// The members or the archive of a list, in file order.
class TMitgliederListe {
 public:
  TMitgliederListe(TZAQ* liste, bool archiv) : FListe(liste), FArchiv(archiv) {}
  int Anzahl() const { return static_cast<int>(FElemente.size()); }
  bool Leer() const { return FElemente.empty(); }
  TMitglied& operator[](int i) { return *FElemente[static_cast<std::size_t>(i)]; }
  const TMitglied& operator[](int i) const { return *FElemente[static_cast<std::size_t>(i)]; }
  TMitglied* Erstes() const { return FElemente.empty() ? nullptr : FElemente.front().get(); }
  TMitglied* Letztes() const { return FElemente.empty() ? nullptr : FElemente.back().get(); }
  TMitglied& Anhaengen(std::unique_ptr<TMitglied> m);
  TMitglied& Einfuegen(int index, std::unique_ptr<TMitglied> m);
  // Takes a member out of the list and hands it over.
  std::unique_ptr<TMitglied> Herausnehmen(TMitglied& m);
  void Loeschen(TMitglied& m) { Herausnehmen(m); }
  void Leeren();
  // Reorders by a strict weak ordering, keeping equal members in order.
  template <class Vergleich>
  void Sortieren(Vergleich v) {
    std::stable_sort(FElemente.begin(), FElemente.end(),
                     [&](const auto& a, const auto& b) { return v(*a, *b); });
    Nummerieren(0);
  }
  auto begin() const { return FElemente.begin(); }
  auto end() const { return FElemente.end(); }

 private:
  void Nummerieren(std::size_t ab);
  TZAQ* FListe;
  bool FArchiv;
  std::vector<std::unique_ptr<TMitglied>> FElemente;
};

}  // namespace zaq
