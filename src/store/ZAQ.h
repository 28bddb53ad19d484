#pragma once
// TZAQ, the open member list, and the member file container around it:
// header, scrambling pad, optional shared-key XOR, CRC-32.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/Benutzer.h"
#include "store/DateiEA.h"
#include "store/Mitglied.h"
#include "store/Notiz.h"
#include "store/Stammdaten.h"
#include "store/Verweis.h"

namespace zaq {

inline constexpr char kZAQMagie[] = "ZAQ32**700";
inline constexpr std::size_t kKopfGroesse = 266;
inline constexpr std::int32_t kFormatVersion = 704;

// Load states of CreateAusDatei; 0 = loaded.
enum class Ladezustand : int {
  Ok = 0,
  DateiIDFehler = 1,
  LesenFehler = 2,
  StreamFehler = 3,
  VersionFehler = 4,
  EndungFehler = 5,
  DatenbankFehlt = 6,
  ZusatzdateiFehlt = 7,
  VersionUnbekannt = 8,
  DatenbankOeffnen = 10,
  KeineDatensaetze = 11,
  StammdatenFehler = 12,
  PruefsummeFehler = 13,
  DatensaetzeFehler = 14,
  Abgelehnt = 100,
  Abgebrochen = 200,
};

class TZAQ : public TFeldDatensatz<TZAQ>, public std::enable_shared_from_this<TZAQ> {
 public:
  TZAQ();
  ~TZAQ() override;
  TZAQ(const TZAQ&) = delete;
  TZAQ& operator=(const TZAQ&) = delete;

  // A new list (CreateNeu).
  static std::unique_ptr<TZAQ> CreateNeu(bool mitMitglied, bool mitAdministrator);
  // Loads a file; nullptr after the failure has been reported (CreateAusDatei).
  static std::unique_ptr<TZAQ> CreateAusDatei(const std::string& name,
                                              Ladezustand* zustand = nullptr);
  // The list received from the shared server, enciphered with the key of
  // vorlage, the open list it replaces: it takes over the key, the logged-in
  // user, the local shared-server fields, the local passwords of users who
  // do not share, the archive kept here, and the file name.  nullptr when
  // the bytes are no member file this key opens (CreateAusStream).
  static std::unique_ptr<TZAQ> CreateAusStream(Bytes daten, const TZAQ& vorlage);

  const char* KlassenName() const override { return "TZAQ"; }
  void FeldLesen(std::uint16_t id, TZAQStream& s, bool& ok, bool& unbekannt, std::int32_t groesse) override;
  static std::span<const Feldbeschreibung<TZAQ>> Felder();

  // Container.
  bool SchreibeStream(TZAQStream& s, std::uint32_t flags);
  bool LeseStream(TZAQStream& s);
  bool SchreibeDatei(const std::string& name, const std::string& warteText, std::uint32_t flags);
  bool Speichern();
  bool SpeichernAls(const std::string& name, bool kopie);
  void Sicherungskopie();
  bool IstDatei(const std::string& name) const;
  bool HatDateiname() const;
  std::string Verzeichnis() const;
  void Geaendert();

  // The shared key of the list (empty: none).
  const Bytes& Schluessel() const { return FFtpDaten.FSchluessel; }

  // Users.
  TBenutzer* SucheBenutzer(const std::string& login, std::uint16_t nummer);
  TBenutzer* Administrator() { return SucheBenutzer("Admin", 0); }
  TBenutzer* GleicherBenutzer(const TBenutzer& benutzer);
  bool IstAngemeldet(const TBenutzer* benutzer) const {
    return benutzer && benutzer == FAktuellerBenutzer.Get();
  }
  TBenutzer* AktuellerBenutzer() const { return FAktuellerBenutzer.Get(); }
  void SetzeAktuellerBenutzer(TBenutzer* benutzer);

  // The first active member with this number, or none.
  TMitglied* SucheNummer(std::uint16_t nummer);

  // Login and rights.
  bool Anmelden(bool automatischErlaubt);
  bool PruefeRecht(std::uint32_t m1, std::uint32_t m2 = 0, std::uint32_t m3 = 0, std::uint32_t m4 = 0);

  // Member list operations (those that ask through dialogs are window logic).
  TMitglied* EntferneMitglied(TMitglied& mitglied, std::vector<std::string>& meldungen);
  TMitglied* AusArchivEntfernen(TMitglied& mitglied);
  int AnzahlFaellig() const;
  void LoescheFaellige();
  void FaelligeAnbieten();
  std::uint16_t NaechsteFreieNummer() const;
  std::uint16_t FreieNummern(std::vector<std::string>* liste) const;
  std::string MitgliedsnummerText(std::uint16_t nummer) const;
  int AendereMitgliedsnummer(TMitglied& mitglied, std::uint16_t neu, bool mitVerweisen);
  // Returns the number of changes; lost payer references are counted in verloren.
  int NeueMitgliedsnummern(int start, int schritt, int& verloren);
  int Position(const TMitglied* mitglied) const;
  TMitglied* Schritt(TMitglied* mitglied, int n) const;
  TMitglied* NaechsterSelektierter(TMitglied* mitglied, bool rueckwaerts, int& position) const;
  int AnzahlMitglieder() const { return FMitglieder.Anzahl(); }
  int AnzahlSelektierte() const;
  // Sets or clears the selection mark; every call forgets the remembered
  // answer whether only the selected members are meant.
  void SetzeSelektion(TMitglied& mitglied, bool an);
  int AnzahlAustretende() const;
  int AnzahlArchiv() const;
  // Compares the member counts before and after a sort.
  // False after the fatal message when a sort changed the number of members.
  bool PruefeSortierung(int mitgliederVorher, int archivVorher) const;
  // Structural changes and number changes make the number index stale.
  void IndexVeraltet() { ++FAenderungszaehler; }

  // Persistent fields.
  std::int32_t FFormatVersion = kFormatVersion;
  double FErstellt = 0;
  double FGeaendertAm = 0;
  std::uint16_t FSchreibvorgaenge = 0;
  std::int16_t FReserviert40 = 0;
  bool FAustrittsliste = true;
  bool FUnbekannteBehalten = true;
  std::string FBeschreibung;
  std::string FZAQFormat = "000";
  bool FNullbetragMelden = true;
  std::string FHauptanwender;
  TVerweisBen FLetzteAenderungVon;
  TStammdaten FStammdaten;
  TFtpDaten FFtpDaten;
  TBenutzerListe FBenutzer;
  TBenutzerListe FVerwaisteBenutzer;
  TNotizListe FNotizen;
  TMitgliederListe FMitglieder;
  TMitgliederListe FArchiv;

  // Run-time fields.
  std::string FDateiname;
  bool FGeaendert = false;
  bool FVerschleiert = true;
  bool FKennwortBestaetigt = false;
  // The remembered answer whether lists cover only the selected members:
  // 0 none, 1 all, 2 only the selected ones.
  int FNurSelektierteAntwort = 0;
  // The list that replaced this one (a download from the shared server); the
  // windows that show this one follow it.
  std::weak_ptr<TZAQ> FNachfolger;

  // Load statistics.
  std::int64_t FGeleseneGroesse = 0;
  std::int64_t FStammdatenGroesse = 0;
  std::int64_t FMitgliederGroesse = 0;
  std::int64_t FArchivGroesse = 0;
  std::int32_t FAnzahlUnbekannt = 0;

 protected:
  bool MeldetFortschritt() const override { return true; }
  void LeseFortschritt(double anteil) override;

 private:
  void SchreibeMitglieder(TZAQStream& s, std::uint32_t flags, bool& ok, bool archiv,
                          std::uint16_t id) const;
  void LeseMitglied(TZAQStream& s, std::int32_t groesse, bool& ok, bool archiv);
  bool ImArchivZeitraum(const TMitglied& m, std::int32_t grenze) const;
  Zwischenspeicher<TBenutzer> FAktuellerBenutzer;
  std::uint64_t FAenderungszaehler = 0;
  std::uint64_t FIndexStand = ~0ull;
  std::unordered_multimap<std::uint16_t, TMitglied*> FNummernIndex;
};

// The list of members a run left out, in the message list window.
void MeldeNichtUebernommene(const std::vector<std::string>& meldungen);

// Same file: equal without case once the last four characters are removed
// (a file and its backup copy count as the same).
bool IstGleicheDatei(const std::string& a, const std::string& b);

}  // namespace zaq
