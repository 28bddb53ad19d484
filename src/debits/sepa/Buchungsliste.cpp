#include "debits/sepa/Buchungsliste.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"
#include "store/Mitglied.h"
#include "store/Stammdaten.h"

namespace zaq {
namespace {

// Field places of a record: offset and capacity of the short strings.
constexpr std::size_t kName = 0, kIBAN = 36, kMandat = 72, kDatum = 108, kSequenz = 116, kBetrag = 117,
                      kKunde = 121, kZweck = 157;
constexpr std::size_t kKurz = 35, kLang = 140;

std::string LiesText(const std::uint8_t* satz, std::size_t pos, std::size_t kapazitaet) {
  return LiesKurztext(satz, pos, kapazitaet);
}
void SchreibeText(std::uint8_t* satz, std::size_t pos, std::size_t kapazitaet, std::string_view utf8) {
  SchreibeKurztext(satz, pos, kapazitaet, utf8);
}
template <class T>
T LiesWert(const std::uint8_t* satz, std::size_t pos) {
  return LiesSatzwert<T>(satz, pos);
}
template <class T>
void SchreibeWert(std::uint8_t* satz, std::size_t pos, T wert) {
  SchreibeSatzwert(satz, pos, wert);
}

std::string IBANOhneLand(const std::string& iban) { return iban.size() > 4 ? iban.substr(4) : std::string(); }

}  // namespace

std::optional<std::int64_t> BetragInCent(float betrag) {
  const double cent = std::round(static_cast<double>(betrag) * 100.0);
  if (!std::isfinite(cent) || std::fabs(cent) > 1e15) return std::nullopt;
  return static_cast<std::int64_t>(cent);
}

TSepaBuchung TSepaBuchung::Vorgabe() {
  TSepaBuchung b;
  b.Mandatsdatum = Jetzt();
  return b;
}

TSepaKopf TSepaKopf::Neu() {
  TSepaKopf k;
  k.Kennung = std::string(kSepaKennung);
  k.Datum = Jetzt() + 3;
  return k;
}

namespace {

TSepaBuchung Dekodiere(const std::uint8_t* s) {
  TSepaBuchung b;
  b.Name = LiesText(s, kName, kKurz);
  b.IBAN = LiesText(s, kIBAN, kKurz);
  b.Mandatsreferenz = LiesText(s, kMandat, kKurz);
  b.Mandatsdatum = GueltigeZeit(LiesWert<double>(s, kDatum));
  b.Sequenz = s[kSequenz];
  b.Betrag = LiesWert<float>(s, kBetrag);
  b.Kundenreferenz = LiesText(s, kKunde, kKurz);
  b.Verwendungszweck = LiesText(s, kZweck, kLang);
  return b;
}

std::array<std::uint8_t, kSepaSatzgroesse> Kodiere(const TSepaBuchung& b) {
  std::array<std::uint8_t, kSepaSatzgroesse> s{};
  SchreibeText(s.data(), kName, kKurz, b.Name);
  SchreibeText(s.data(), kIBAN, kKurz, b.IBAN);
  SchreibeText(s.data(), kMandat, kKurz, b.Mandatsreferenz);
  SchreibeWert(s.data(), kDatum, b.Mandatsdatum);
  s[kSequenz] = b.Sequenz;
  SchreibeWert(s.data(), kBetrag, b.Betrag);
  SchreibeText(s.data(), kKunde, kKurz, b.Kundenreferenz);
  SchreibeText(s.data(), kZweck, kLang, b.Verwendungszweck);
  return s;
}

std::array<std::uint8_t, kSepaSatzgroesse> KodiereKopf(const TSepaKopf& k) {
  std::array<std::uint8_t, kSepaSatzgroesse> s{};
  SchreibeText(s.data(), kName, kKurz, k.Kennung);
  SchreibeText(s.data(), kIBAN, kKurz, k.Kontoschluessel);
  SchreibeWert(s.data(), kDatum, k.Datum);
  s[kSequenz] = k.Sequenz;
  SchreibeText(s.data(), kZweck, kLang, k.Beschreibung);
  return s;
}

}  // namespace

bool TSepa::Oeffnen(const std::string& datei) {
  Schliessen();
  const auto inhalt = LeseListendatei(datei);
  if (!inhalt) return false;
  if (inhalt->size() < 1 + kSepaKennung.size() || (*inhalt)[0] != kSepaKennung.size() ||
      std::memcmp(inhalt->data() + 1, kSepaKennung.data(), kSepaKennung.size()) != 0) {
    Meldung("Die Datei beinhaltet keine gültigen SEPA-Lastschriften.", MeldungsArt::Fehler);
    return false;
  }
  // The identifier makes a list whatever the size.  Records beyond the last
  // one addressed stay in the file.
  Laden(datei, *inhalt);
  return true;
}

bool TSepa::Anlegen(const std::string& datei, bool melden) {
  Schliessen();
  if (Neu(datei, KodiereKopf(TSepaKopf::Neu()))) return true;
  if (melden) Meldung("Die Datei \"" + datei + "\" kann nicht angelegt werden.", MeldungsArt::Fehler);
  return false;
}

TSepaKopf TSepa::Kopf() const {
  TSepaKopf k;
  if (FSaetze.empty()) return k;
  const std::uint8_t* s = FSaetze[0].data();
  k.Kennung = LiesText(s, kName, kKurz);
  k.Kontoschluessel = LiesText(s, kIBAN, kKurz);
  k.Datum = GueltigeZeit(LiesWert<double>(s, kDatum));
  k.Sequenz = s[kSequenz];
  k.Beschreibung = LiesText(s, kZweck, kLang);
  return k;
}

bool TSepa::SchreibeKopf(const TSepaKopf& kopf) { return !FSaetze.empty() && Ersetzen(0, KodiereKopf(kopf)); }

TSepaBuchung TSepa::Lesen(int i) const {
  if (i < 1 || i > Anzahl()) return {};
  return Dekodiere(FSaetze[static_cast<std::size_t>(i)].data());
}

bool TSepa::Schreiben(const TSepaBuchung& buchung, int i) {
  if (!Offen() || i < 1 || i > Anzahl() + 1) return false;
  if (i == Anzahl() + 1 && Anzahl() >= kSepaHoechstzahl) {
    Meldung("Die Liste ist voll: sie kann höchstens " + std::to_string(kSepaHoechstzahl) + " Buchungen aufnehmen.",
            MeldungsArt::Fehler);
    return false;
  }
  return i == Anzahl() + 1 ? Anfuegen(Kodiere(buchung)) : Ersetzen(static_cast<std::size_t>(i), Kodiere(buchung));
}

bool TSepa::Anhaengen() { return Schreiben(TSepaBuchung::Vorgabe(), Anzahl() + 1); }

bool TSepa::MitgliedAnhaengen(const TMitglied& m) {
  const TMitgliedskonto* k = m.Konto();
  if (!k) return false;
  TSepaBuchung b = TSepaBuchung::Vorgabe();
  b.Name = k->FInhaber;
  b.IBAN = k->FIBAN;
  b.Mandatsdatum = Heute();
  const std::string vorname = Trim(m.FVorname);
  b.Mandatsreferenz = m.MitgliedsnummerText() + ErsteZeichen(vorname, 1) + FormatDatum("ddmmyy-hhnnss", Jetzt());
  return Schreiben(b, Anzahl() + 1);
}

bool TSepa::Loeschen(int i) {
  return Offen() && i >= 1 && i <= Anzahl() && Entfernen(static_cast<std::size_t>(i));
}

int TSepa::Suchen(std::string_view text, int start) const {
  for (int i = std::max(start, 1); i <= Anzahl(); ++i) {
    const TSepaBuchung b = Lesen(i);
    if (EnthaeltAlleWorte(ErsteZeichen(b.Name + b.IBAN, 70), text)) return i;
  }
  return 0;
}

bool TSepa::SpeichernUnter(const std::string& datei) {
  return Offen() && !GleichOhneGross(datei, FDatei) && Umbenennen(datei);
}

void TSepa::SchliessenUndLoeschen() {
  if (Offen()) {
    std::error_code fehler;
    std::filesystem::remove(plattform::Pfad(FDatei), fehler);
  }
  Schliessen();
}

std::int64_t TSepa::Gesamtbetrag() const {
  if (!FSumme) {
    std::int64_t summe = 0;
    for (int i = 1; i <= Anzahl(); ++i)
      summe += BetragInCent(LiesWert<float>(FSaetze[static_cast<std::size_t>(i)].data(), kBetrag)).value_or(0);
    FSumme = summe;
  }
  return *FSumme;
}

const TVereinskonto* TSepa::Vereinskonto(const TStammdaten& stamm) const {
  return stamm.SucheVereinskonto(Kopf().Kontoschluessel);
}

bool TSepa::Sortieren(int schluessel) {
  if (!Offen() || schluessel < 1 || schluessel > 6) return false;
  return SortiereNach(Anzahl(), [&](int i) -> TSortierschluessel {
    const TSepaBuchung b = Lesen(i);
    switch (schluessel) {
      case 1: return {Sortierform(b.Name), {}, 0};
      case 2: return {Sortierform(b.Verwendungszweck), {}, 0};
      case 3: return {Sortierform(b.Mandatsreferenz), {}, 0};
      case 4: return {Sortierform(b.Kundenreferenz), {}, 0};
      case 5: return {Sortierform(IBANOhneLand(b.IBAN)), {}, 0};
      default: return {{}, {}, Sortierbetrag(b.Betrag)};
    }
  });
}

bool TSepa::ZeichenGueltig(std::string_view text) {
  static const std::string erlaubt = Cp1252ZuUtf8("ABCDEFGHIJKLMNOPQRSTUVWXYZ \xC4\xD6\xDC\xDF 0123456789 ':?,.+-()/&*$%");
  const std::string gross = Gross(text);
  for (std::size_t i = 0; i < gross.size();) {
    std::size_t n = 1;
    while (i + n < gross.size() && (static_cast<unsigned char>(gross[i + n]) & 0xC0) == 0x80) ++n;
    if (erlaubt.find(gross.substr(i, n)) == std::string::npos) return false;
    i += n;
  }
  return true;
}

std::string TSepa::AkzenteEntfernen(std::string_view text) {
  static const std::pair<const char*, const char*> kAkzente[] = {
      {"Á", "A"}, {"á", "a"}, {"É", "E"}, {"é", "e"}, {"Í", "I"}, {"í", "i"}, {"Ó", "O"}, {"ó", "o"},
      {"Ú", "U"}, {"ú", "u"}, {"Ý", "Y"}, {"ý", "y"}, {"À", "A"}, {"à", "a"}, {"È", "E"}, {"è", "e"},
      {"Ì", "I"}, {"ì", "i"}, {"Ò", "O"}, {"ò", "o"}, {"Ù", "U"}, {"ù", "u"}, {"Â", "A"}, {"â", "a"},
      {"Ê", "E"}, {"ê", "e"}, {"Î", "I"}, {"î", "i"}, {"Ô", "O"}, {"ô", "o"}, {"Û", "U"}, {"û", "u"},
  };
  std::string out(text);
  for (const auto& [mit, ohne] : kAkzente) out = Ersetze(out, mit, ohne);
  return out;
}

}  // namespace zaq
