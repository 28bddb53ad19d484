#include "bank/BLZImport.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <tuple>

#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"

namespace zaq {
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Lines without their CR LF.
std::vector<std::string_view> ZerlegeZeilen(const Bytes& inhalt) {
  std::vector<std::string_view> zeilen;
  std::string_view text(reinterpret_cast<const char*>(inhalt.data()), inhalt.size());
  while (!text.empty()) {
    std::size_t ende = text.find('\n');
    std::string_view zeile = text.substr(0, ende);
    if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
    zeilen.push_back(zeile);
    if (ende == std::string_view::npos) break;
    text.remove_prefix(ende + 1);
  }
  return zeilen;
}

// The Bundesbank publishes the file in ISO 8859-1; a copy that was saved as
// UTF-8 is read as well.  Columns count characters, so each line becomes
// code points first.
bool IstUtf8MitUmlauten(const Bytes& inhalt) {
  bool nichtAscii = false;
  const auto* s = reinterpret_cast<const std::uint8_t*>(inhalt.data());
  std::int32_t laenge = static_cast<std::int32_t>(inhalt.size()), i = 0;
  while (i < laenge) {
    UChar32 c;
    U8_NEXT(s, i, laenge, c);
    if (c < 0) return false;
    if (c >= 0x80) nichtAscii = true;
  }
  return nichtAscii;
}

std::u32string Dekodiere(std::string_view zeile, bool utf8) {
  std::u32string out;
  if (!utf8) {
    for (unsigned char c : zeile) out += static_cast<char32_t>(c);
    return out;
  }
  const auto* s = reinterpret_cast<const std::uint8_t*>(zeile.data());
  std::int32_t laenge = static_cast<std::int32_t>(zeile.size()), i = 0;
  while (i < laenge) {
    UChar32 c;
    U8_NEXT(s, i, laenge, c);
    out += static_cast<char32_t>(c < 0 ? 0xFFFD : c);
  }
  return out;
}

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    std::uint8_t puffer[4];
    std::int32_t n = 0;
    UBool fehler = false;
    U8_APPEND(puffer, n, 4, static_cast<UChar32>(c), fehler);
    if (fehler) out += '?';
    else out.append(reinterpret_cast<const char*>(puffer), static_cast<std::size_t>(n));
  }
  return out;
}

// Columns von..bis, 1-based and inclusive, without the blanks around.
std::string Spalten(const std::u32string& zeile, std::size_t von, std::size_t bis) {
  if (zeile.size() < von) return {};
  return Trim(Utf8(std::u32string_view(zeile).substr(von - 1, bis - von + 1)));
}

bool AlleZiffern(std::string_view t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Hinweis(BLZImportBericht& b, const std::string& text) {
  b.FHinweise.push_back(text);
}

void PutLE16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLE32(std::uint8_t* p, std::int32_t wert) {
  auto v = static_cast<std::uint32_t>(wert);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutText(std::uint8_t* satz, std::size_t offset, std::size_t groesse, const std::string& utf8) {
  std::string cp = Utf8ZuCp1252(utf8);
  if (cp.size() > groesse - 1) cp.resize(groesse - 1);
  satz[offset] = static_cast<std::uint8_t>(cp.size());
  std::copy(cp.begin(), cp.end(), satz + offset + 1);
}

constexpr std::size_t kZeilenlaenge = 168;
constexpr std::size_t kZeilenlaengeMitRegel = 174;

}  // namespace

std::vector<std::string> BLZImportBericht::Zeilen() const {
  std::vector<std::string> z;
  z.push_back("Gelesen: " + std::to_string(FZeilen) + " Zeilen, " + std::to_string(FHauptsaetze) +
              " Banken (Hauptdatensätze), " + std::to_string(FFilialen) + " Filialen übersprungen");
  z.push_back("Prüfziffernverfahren mit Buchstaben (A0 bis E4): " + std::to_string(FBuchstabenverfahren));
  z.push_back("IBAN-Regeln aus der Bankleitzahlendatei: " + std::to_string(FRegelnAusDatei) +
              ", aus der Regeltabelle: " + std::to_string(FRegelnZugeordnet) + " von " +
              std::to_string(FRegelnTabelle) + " Einträgen zugeordnet");
  z.push_back("Übersprungen: " + std::to_string(FFehlerhaft) + " fehlerhafte oder doppelte Zeilen, " +
              std::to_string(FRegelnFehlerhaft) + " fehlerhafte Zeilen der Regeltabelle");
  // A badly damaged file must not bury the summary.
  constexpr std::size_t kHoechstens = 50;
  for (std::size_t i = 0; i < FHinweise.size() && i < kHoechstens; ++i) z.push_back("  " + FHinweise[i]);
  if (FHinweise.size() > kHoechstens)
    z.push_back("  ... und " + std::to_string(FHinweise.size() - kHoechstens) + " weitere");
  z.push_back("Geschrieben: " + std::to_string(FHauptsaetze) + " Datensätze, " + std::to_string(FKnoten) +
              " Indexknoten");
  return z;
}

std::vector<Bankdatensatz> LiesBundesbankDatei(const Bytes& inhalt, BLZImportBericht& bericht) {
  std::vector<Bankdatensatz> banken;
  const bool utf8 = IstUtf8MitUmlauten(inhalt);
  std::size_t nr = 0;
  for (std::string_view roh : ZerlegeZeilen(inhalt)) {
    ++nr;
    if (Trim(roh).empty()) continue;
    ++bericht.FZeilen;
    std::u32string zeile = Dekodiere(roh, utf8);
    const std::string zeilenText = "Zeile " + std::to_string(nr) + ": ";
    auto fehler = [&](const std::string& text) {
      ++bericht.FFehlerhaft;
      Hinweis(bericht, zeilenText + text + ", übersprungen");
    };
    if (zeile.size() < kZeilenlaenge) {
      fehler("zu kurz (" + std::to_string(zeile.size()) + " Zeichen)");
      continue;
    }
    std::string blz = Spalten(zeile, 1, 8);
    std::string merkmal = Spalten(zeile, 9, 9);
    if (merkmal == "2") {
      ++bericht.FFilialen;
      continue;
    }
    if (merkmal != "1") {
      fehler("unbekanntes Merkmal \"" + merkmal + "\"");
      continue;
    }
    if (blz.size() != 8 || !AlleZiffern(blz) || blz == "00000000") {
      fehler("ungültige Bankleitzahl \"" + blz + "\"");
      continue;
    }
    std::string kennzeichen = Spalten(zeile, 151, 152);
    int verfahren = VerfahrenAusKennzeichen(kennzeichen);
    if (verfahren < 0) {
      fehler("ungültiges Prüfziffernverfahren \"" + kennzeichen + "\"");
      continue;
    }
    Bankdatensatz b;
    b.FBLZ = blz;
    b.FBezeichnung = Spalten(zeile, 10, 67);
    b.FPLZ = Spalten(zeile, 68, 72);
    b.FOrt = Spalten(zeile, 73, 107);
    b.FKurzbezeichnung = Spalten(zeile, 108, 134);
    b.FBIC = Spalten(zeile, 140, 150);
    b.FPruefverfahren = verfahren;
    b.FIBANRegel = -1;
    if (zeile.size() >= kZeilenlaengeMitRegel) {
      std::string regel = Spalten(zeile, 169, 174);
      if (regel.size() != 6 || !AlleZiffern(regel)) {
        fehler("ungültige IBAN-Regel \"" + regel + "\"");
        continue;
      }
      b.FIBANRegel = std::stoi(regel.substr(0, 4));
      b.FIBANRegelVersion = std::stoi(regel.substr(4, 2));
      ++bericht.FRegelnAusDatei;
    }
    banken.push_back(std::move(b));
  }
  std::stable_sort(banken.begin(), banken.end(),
                   [](const Bankdatensatz& a, const Bankdatensatz& b) { return a.FBLZ < b.FBLZ; });
  // One record per bank code: a second main record would make the index ambiguous.
  std::vector<Bankdatensatz> eindeutig;
  for (auto& b : banken) {
    if (!eindeutig.empty() && eindeutig.back().FBLZ == b.FBLZ) {
      ++bericht.FFehlerhaft;
      Hinweis(bericht, "Bankleitzahl " + b.FBLZ + ": weiterer Hauptdatensatz, übersprungen");
      continue;
    }
    if (b.FPruefverfahren >= 100) ++bericht.FBuchstabenverfahren;
    eindeutig.push_back(std::move(b));
  }
  bericht.FHauptsaetze = eindeutig.size();
  return eindeutig;
}

std::map<std::string, int> LiesIBANRegeln(const Bytes& inhalt, BLZImportBericht& bericht) {
  std::map<std::string, int> regeln;
  std::size_t nr = 0;
  for (std::string_view roh : ZerlegeZeilen(inhalt)) {
    ++nr;
    std::string zeile = Trim(roh);
    if (zeile.empty() || zeile[0] == '#') continue;
    std::string blz = Trim(Feld(zeile, ";", 1));
    std::string wert = Trim(Feld(zeile, ";", 2));
    if (FeldAnzahl(zeile, ";") != 2 || blz.size() != 8 || !AlleZiffern(blz) || wert.empty() || wert.size() > 6 ||
        !AlleZiffern(wert) || regeln.count(blz)) {
      ++bericht.FRegelnFehlerhaft;
      Hinweis(bericht, "IBAN-Regeln, Zeile " + std::to_string(nr) + ": \"" + Cp1252ZuUtf8(zeile) + "\" übersprungen");
      continue;
    }
    regeln[blz] = std::stoi(wert);
  }
  bericht.FRegelnTabelle = regeln.size();
  return regeln;
}

Bytes BLZDatenDatei(const std::vector<Bankdatensatz>& banken) {
  using namespace blzsatz;
  Bytes daten(banken.size() * kBLZSatzLaenge, 0);
  for (std::size_t i = 0; i < banken.size(); ++i) {
    const Bankdatensatz& b = banken[i];
    std::uint8_t* s = daten.data() + i * kBLZSatzLaenge;
    PutText(s, kBLZ, kBLZGroesse, b.FBLZ);
    PutText(s, kBezeichnung, kBezeichnungGroesse, b.FBezeichnung);
    PutText(s, kKurz, kKurzGroesse, b.FKurzbezeichnung);
    PutText(s, kPLZ, kPLZGroesse, b.FPLZ);
    PutText(s, kOrt, kOrtGroesse, b.FOrt);
    s[kVerfahren] = static_cast<std::uint8_t>(b.FPruefverfahren);
    PutText(s, kBIC, kBICGroesse, b.FBIC);
    PutLE16(s + kRegel, static_cast<std::uint16_t>(std::max(b.FIBANRegel, 0)));
    s[kRegelVersion] = static_cast<std::uint8_t>(b.FIBANRegelVersion);
  }
  return daten;
}

Bytes BLZIndexDatei(const std::vector<Bankdatensatz>& banken) {
  struct Knoten {
    char zeichen;
    std::int32_t wert;
    std::uint16_t anzahl;
  };
  std::vector<Knoten> knoten;
  // Nodes still to be given their children: node, range of banks, next position.
  std::deque<std::tuple<std::size_t, std::size_t, std::size_t, std::size_t>> offen;
  // One node per distinct character at position stelle among the banks von..bis.
  auto kinder = [&](std::size_t von, std::size_t bis, std::size_t stelle) {
    std::size_t a = von;
    while (a < bis) {
      char c = banken[a].FBLZ[stelle];
      std::size_t e = a + 1;
      while (e < bis && banken[e].FBLZ[stelle] == c) ++e;
      offen.emplace_back(knoten.size(), a, e, stelle + 1);
      knoten.push_back({c, 0, 0});
      a = e;
    }
  };
  kinder(0, banken.size(), 0);
  knoten.push_back({'\0', -1, 0});  // ends the first level
  // Breadth first: every node's children lie together, the upper levels at the front.
  while (!offen.empty()) {
    auto [k, von, bis, stelle] = offen.front();
    offen.pop_front();
    if (stelle == 8) {
      knoten[k].wert = static_cast<std::int32_t>(von);
      continue;
    }
    std::size_t erstes = knoten.size();
    kinder(von, bis, stelle);
    knoten[k].wert = static_cast<std::int32_t>(erstes);
    knoten[k].anzahl = static_cast<std::uint16_t>(knoten.size() - erstes);
  }
  Bytes daten(knoten.size() * kBLZKnotenLaenge, 0);
  for (std::size_t i = 0; i < knoten.size(); ++i) {
    std::uint8_t* p = daten.data() + i * kBLZKnotenLaenge;
    p[0] = static_cast<std::uint8_t>(knoten[i].zeichen);
    PutLE32(p + 1, knoten[i].wert);
    PutLE16(p + 5, knoten[i].anzahl);
  }
  return daten;
}

bool ErzeugeBLZVerzeichnis(const std::string& bundesbankDatei, const std::string& zielVerzeichnis,
                           const std::string& regelDatei, BLZImportBericht& bericht) {
  Bytes inhalt;
  if (!plattform::LeseDatei(plattform::Pfad(bundesbankDatei), inhalt)) {
    Meldung("Die Bankleitzahlendatei " + bundesbankDatei + " kann nicht gelesen werden.", MeldungsArt::Fehler);
    return false;
  }
  std::map<std::string, int> regeln;
  if (!regelDatei.empty()) {
    Bytes tabelle;
    if (!plattform::LeseDatei(plattform::Pfad(regelDatei), tabelle)) {
      Meldung("Die Tabelle der IBAN-Regeln " + regelDatei + " kann nicht gelesen werden.", MeldungsArt::Fehler);
      return false;
    }
    regeln = LiesIBANRegeln(tabelle, bericht);
  }
  std::vector<Bankdatensatz> banken = LiesBundesbankDatei(inhalt, bericht);
  if (banken.empty()) {
    Meldung("Die Datei " + bundesbankDatei + " enthält keine Bank der Bankleitzahlendatei der Deutschen Bundesbank.",
            MeldungsArt::Fehler);
    return false;
  }
  bool ohneRegel = false;
  for (auto& b : banken) {
    if (b.FIBANRegel >= 0) continue;
    auto it = regeln.find(b.FBLZ);
    if (it == regeln.end()) {
      ohneRegel = true;
      b.FIBANRegel = 0;
      b.FIBANRegelVersion = 0;
      continue;
    }
    b.FIBANRegel = it->second / 100;
    b.FIBANRegelVersion = it->second % 100;
    ++bericht.FRegelnZugeordnet;
  }
  // Without any rule every bank would get the standard IBAN, which is wrong
  // for the banks with a rule of their own.
  if (ohneRegel && regelDatei.empty()) {
    Meldung("Die Bankleitzahlendatei " + bundesbankDatei +
                " enthält keine IBAN-Regeln, und es ist keine Tabelle der IBAN-Regeln angegeben. Ohne sie "
                "erhielten Banken mit eigener IBAN-Regel falsche IBANs.",
            MeldungsArt::Fehler);
    return false;
  }
  Bytes daten = BLZDatenDatei(banken);
  Bytes index = BLZIndexDatei(banken);
  bericht.FKnoten = index.size() / kBLZKnotenLaenge;
  fs::path ziel = plattform::Pfad(zielVerzeichnis);
  std::error_code fehler;
  fs::create_directories(ziel, fehler);
  for (const auto& [name, bytes] : {std::pair{kBLZDatei, &daten}, std::pair{kBLZIndex, &index}}) {
    fs::path pfad = ziel / name;
    if (!plattform::SchreibeDateiSicher(pfad, *bytes, plattform::Zugriff::Alle)) {
      Meldung("Die Datei " + plattform::PfadText(pfad) + " kann nicht geschrieben werden.", MeldungsArt::Fehler);
      return false;
    }
  }
  return true;
}

}  // namespace zaq
