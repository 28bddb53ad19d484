#pragma once
// The bank directory: "ZAQ-BLZ.DAT" (one 154-byte record per bank code) and
// "ZAQ-BLZ.IND" (a digit tree of 7-byte nodes leading to the record number).
// Both files are small, so they are read and decoded once at opening; a
// lookup then walks a few dozen index nodes and touches neither the disk nor
// the heap.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zaq {

inline constexpr const char* kBLZDatei = "ZAQ-BLZ.DAT";
inline constexpr const char* kBLZIndex = "ZAQ-BLZ.IND";
inline constexpr std::size_t kBLZSatzLaenge = 154;
inline constexpr std::size_t kBLZKnotenLaenge = 7;

// Byte layout of a record of "ZAQ-BLZ.DAT": offset and size of each field.
// Text fields are one length byte followed by the Windows-1252 characters.
namespace blzsatz {
inline constexpr std::size_t kBLZ = 0, kBLZGroesse = 9;
inline constexpr std::size_t kBezeichnung = 9, kBezeichnungGroesse = 59;
inline constexpr std::size_t kKurz = 68, kKurzGroesse = 28;
inline constexpr std::size_t kPLZ = 96, kPLZGroesse = 6;
inline constexpr std::size_t kOrt = 102, kOrtGroesse = 36;
inline constexpr std::size_t kVerfahren = 138;
inline constexpr std::size_t kBIC = 139, kBICGroesse = 12;
inline constexpr std::size_t kRegel = 151;
inline constexpr std::size_t kRegelVersion = 153;
}  // namespace blzsatz

// One bank as the directory holds it; texts are UTF-8 here.
struct Bankdatensatz {
  std::string FBLZ = "00000000";
  std::string FBezeichnung;
  std::string FKurzbezeichnung;
  std::string FPLZ;
  std::string FOrt;
  std::string FBIC;
  int FPruefverfahren = 0;
  int FIBANRegel = 0;
  int FIBANRegelVersion = 0;
};

// The Bundesbank's method codes "00".."99" are stored as such; the letter
// codes "A0".."E4" become 100 + 10 * letter + digit (A0 = 100, E4 = 144).
int VerfahrenAusKennzeichen(std::string_view kennzeichen);  // -1 when no method code
std::string KennzeichenVonVerfahren(int verfahren);          // "06", "C1"; empty when out of range

class TBank {
 public:
  // Opens both files in the program directory (messages on failure).
  TBank();
  // The same for another directory (tests, tools).
  explicit TBank(const std::string& verzeichnis);
  // The current record points into the object's own data.
  TBank(const TBank&) = delete;
  TBank& operator=(const TBank&) = delete;

  bool Geoeffnet() const { return FGeoeffnet; }
  // Record number in "ZAQ-BLZ.DAT", or -1.
  std::int32_t SucheBLZ(std::string_view blz) const;
  // True when found; the record then becomes the current one.
  bool Lade(std::string_view blz);
  // Takes the bank code from a German IBAN when one is given.
  bool LadeBank(std::string_view blz, std::string_view iban);

  const std::string& BLZ() const { return FAktuell->FBLZ; }
  const std::string& Bezeichnung() const { return FAktuell->FBezeichnung; }
  const std::string& Kurzbezeichnung() const { return FAktuell->FKurzbezeichnung; }
  const std::string& PLZ() const { return FAktuell->FPLZ; }
  const std::string& Ort() const { return FAktuell->FOrt; }
  const std::string& BIC() const { return FAktuell->FBIC; }
  int Pruefverfahren() const { return FAktuell->FPruefverfahren; }
  int IBANRegel() const { return FAktuell->FIBANRegel; }
  int IBANRegelVersion() const { return FAktuell->FIBANRegelVersion; }
  const Bankdatensatz& Aktuell() const { return *FAktuell; }

  std::string BezeichnungZu(std::string_view blz, std::string_view iban);
  std::string KurzbezeichnungZu(std::string_view blz, std::string_view iban);

  static bool VerfahrenImplementiert(int verfahren);
  static bool IBANRegelImplementiert(int regel, int version);

  std::size_t AnzahlBanken() const { return FBanken.size(); }

 private:
  void Oeffnen(const std::string& verzeichnis);

  std::vector<Bankdatensatz> FBanken;  // the records of "ZAQ-BLZ.DAT" in file order
  std::vector<bool> FLesbar;           // false for a damaged record
  std::vector<std::uint8_t> FIndex;
  bool FGeoeffnet = false;
  const Bankdatensatz* FAktuell;
};

// The one directory of the run.  nullptr until the start-up loaded it.
TBank* Bankverzeichnis();
// Creates the directory from the program directory; false (after the
// message) when it cannot be opened.  The program does not run without it.
bool LadeBankverzeichnis();
// Replaces (or with nullptr frees) the directory of the run.
void SetzeBankverzeichnis(std::unique_ptr<TBank> bank);

// Installs a directory for a scope and puts the previous one back.
class BankverzeichnisSetzen {
 public:
  explicit BankverzeichnisSetzen(std::unique_ptr<TBank> bank);
  ~BankverzeichnisSetzen();
  BankverzeichnisSetzen(const BankverzeichnisSetzen&) = delete;
  BankverzeichnisSetzen& operator=(const BankverzeichnisSetzen&) = delete;

 private:
  std::unique_ptr<TBank> FAlt;
};

// The bank text shown beside a bank connection: "name, postcode town", or
// empty when the bank is not known.
std::string BankText(std::string_view blz, std::string_view iban);

}  // namespace zaq
