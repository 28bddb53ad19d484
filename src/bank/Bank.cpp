#include "bank/Bank.h"

#include <array>
#include <filesystem>
#include <utility>

#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"

namespace zaq {
namespace fs = std::filesystem;

namespace {

std::int32_t LE32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 |
                                   static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t LE16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// A short text: length byte, then the characters.  A length beyond the
// field means the record is damaged.
bool KurzText(const std::uint8_t* satz, std::size_t offset, std::size_t groesse, std::string& ziel) {
  std::size_t laenge = satz[offset];
  if (laenge >= groesse) return false;
  ziel = Cp1252ZuUtf8(std::string_view(reinterpret_cast<const char*>(satz + offset + 1), laenge));
  return true;
}

std::unique_ptr<TBank>& Verzeichnis() {
  static std::unique_ptr<TBank> bank;
  return bank;
}

// The current record before the first successful lookup.
const Bankdatensatz kAnfang;

// Decodes one record; false when a length byte runs beyond its field.
bool DekodiereSatz(const std::uint8_t* s, Bankdatensatz& satz) {
  using namespace blzsatz;
  if (!KurzText(s, kBLZ, kBLZGroesse, satz.FBLZ) || !KurzText(s, kBezeichnung, kBezeichnungGroesse, satz.FBezeichnung) ||
      !KurzText(s, kKurz, kKurzGroesse, satz.FKurzbezeichnung) || !KurzText(s, kPLZ, kPLZGroesse, satz.FPLZ) ||
      !KurzText(s, kOrt, kOrtGroesse, satz.FOrt) || !KurzText(s, kBIC, kBICGroesse, satz.FBIC))
    return false;
  satz.FPruefverfahren = s[kVerfahren];
  satz.FIBANRegel = LE16(s + kRegel);
  satz.FIBANRegelVersion = s[kRegelVersion];
  return true;
}

constexpr std::array<int, 18> kImplementiert = {0, 1, 6, 10, 13, 20, 24, 28, 32, 63, 70, 76, 81, 82, 84, 88, 95, 99};

}  // namespace

int VerfahrenAusKennzeichen(std::string_view k) {
  if (k.size() != 2 || k[1] < '0' || k[1] > '9') return -1;
  if (k[0] >= '0' && k[0] <= '9') return (k[0] - '0') * 10 + (k[1] - '0');
  if (k[0] >= 'A' && k[0] <= 'E') return 100 + (k[0] - 'A') * 10 + (k[1] - '0');
  return -1;
}

std::string KennzeichenVonVerfahren(int v) {
  if (v < 0 || v > 149) return {};
  std::string k(2, '0');
  if (v < 100) k[0] = static_cast<char>('0' + v / 10);
  else k[0] = static_cast<char>('A' + (v - 100) / 10);
  k[1] = static_cast<char>('0' + v % 10);
  return k;
}

TBank::TBank() : FAktuell(&kAnfang) { Oeffnen(plattform::ProgrammVerzeichnis()); }

TBank::TBank(const std::string& verzeichnis) : FAktuell(&kAnfang) { Oeffnen(verzeichnis); }

void TBank::Oeffnen(const std::string& verzeichnis) {
  const std::string fehlen =
      "Die Dateien \"ZAQ-BLZ.IND\" und \"ZAQ-BLZ.DAT\" für die BLZ-Datenbank fehlen oder sind unvollständig. "
      "Ohne diese Dateien kann ZAQ Mitgliederverwaltung nicht ausgeführt werden. Bitte richten Sie das "
      "Programm neu ein!";
  fs::path basis = plattform::Pfad(verzeichnis);
  fs::path dat = basis / kBLZDatei, ind = basis / kBLZIndex;
  std::error_code f1, f2;
  if (!fs::is_regular_file(dat, f1) || !fs::is_regular_file(ind, f2)) {
    Meldung(fehlen, MeldungsArt::Fehler);
    return;
  }
  std::vector<std::uint8_t> daten;
  if (!plattform::LeseDatei(dat, daten)) {
    Meldung("Datei ZAQ-BLZ.DAT kann nicht geöffnet werden.", MeldungsArt::Fehler);
    return;
  }
  if (!plattform::LeseDatei(ind, FIndex)) {
    FIndex.clear();
    Meldung("Datei ZAQ-BLZ.IND kann nicht geöffnet werden.", MeldungsArt::Fehler);
    return;
  }
  // A cut-off file would shift every later record: refuse it as incomplete.
  if (daten.empty() || daten.size() % kBLZSatzLaenge != 0 || FIndex.empty() ||
      FIndex.size() % kBLZKnotenLaenge != 0) {
    FIndex.clear();
    Meldung(fehlen, MeldungsArt::Fehler);
    return;
  }
  const std::size_t anzahl = daten.size() / kBLZSatzLaenge;
  FBanken.resize(anzahl);
  FLesbar.resize(anzahl);
  for (std::size_t i = 0; i < anzahl; ++i) FLesbar[i] = DekodiereSatz(daten.data() + i * kBLZSatzLaenge, FBanken[i]);
  FGeoeffnet = true;
}

std::int32_t TBank::SucheBLZ(std::string_view blz) const {
  if (blz.empty() || blz == "00000000") return -1;
  const std::size_t n = blz.size();
  const std::size_t knoten = FIndex.size() / kBLZKnotenLaenge;
  std::size_t pos = 0, ende = 0, stufe = 1;
  while (pos < knoten) {
    const std::uint8_t* k = FIndex.data() + pos * kBLZKnotenLaenge;
    const std::int32_t wert = LE32(k + 1);
    const std::uint16_t anzahl = LE16(k + 5);
    if (wert == -1) return -1;
    if (stufe > 1 && pos > ende) return -1;
    if (static_cast<char>(k[0]) != blz[stufe - 1]) {
      ++pos;
    } else if (anzahl == 0) {
      if (stufe == n) return wert;
      ++pos;
    } else {
      // A code that ends on an inner node is only the beginning of longer ones.
      if (stufe == n || wert < 0) return -1;
      pos = static_cast<std::size_t>(wert);
      ende = pos + anzahl - 1;
      ++stufe;
    }
  }
  return -1;
}

bool TBank::Lade(std::string_view blz) {
  std::int32_t nr = SucheBLZ(blz);
  if (nr < 0 || static_cast<std::size_t>(nr) >= FBanken.size() || !FLesbar[static_cast<std::size_t>(nr)]) return false;
  const Bankdatensatz& satz = FBanken[static_cast<std::size_t>(nr)];
  // The record must carry the code we looked for: a directory whose two
  // files do not belong together must not name the wrong bank.
  if (satz.FBLZ != blz) return false;
  FAktuell = &satz;
  return true;
}

bool TBank::LadeBank(std::string_view blz, std::string_view iban) {
  std::string code = Trim(blz);
  std::string i = Trim(iban);
  if (i.size() > 12 && i.starts_with("DE")) code = i.substr(4, 8);
  if (code.empty()) return false;
  return Lade(code);
}

std::string TBank::BezeichnungZu(std::string_view blz, std::string_view iban) {
  return LadeBank(blz, iban) ? Bezeichnung() : std::string();
}

std::string TBank::KurzbezeichnungZu(std::string_view blz, std::string_view iban) {
  return LadeBank(blz, iban) ? Kurzbezeichnung() : std::string();
}

bool TBank::VerfahrenImplementiert(int verfahren) {
  for (int v : kImplementiert)
    if (v == verfahren) return true;
  return false;
}

bool TBank::IBANRegelImplementiert(int regel, int version) { return regel == 0 && version == 0; }

TBank* Bankverzeichnis() { return Verzeichnis().get(); }

bool LadeBankverzeichnis() {
  auto bank = std::make_unique<TBank>();
  if (!bank->Geoeffnet()) {
    Verzeichnis().reset();
    return false;
  }
  Verzeichnis() = std::move(bank);
  return true;
}

void SetzeBankverzeichnis(std::unique_ptr<TBank> bank) { Verzeichnis() = std::move(bank); }

BankverzeichnisSetzen::BankverzeichnisSetzen(std::unique_ptr<TBank> bank)
    : FAlt(std::exchange(Verzeichnis(), std::move(bank))) {}

BankverzeichnisSetzen::~BankverzeichnisSetzen() { Verzeichnis() = std::move(FAlt); }

std::string BankText(std::string_view blz, std::string_view iban) {
  TBank* bank = Bankverzeichnis();
  if (!bank || !bank->LadeBank(OhneLeerzeichen(blz), OhneLeerzeichen(iban))) return {};
  return bank->Bezeichnung() + ", " + bank->PLZ() + " " + bank->Ort();
}

}  // namespace zaq
