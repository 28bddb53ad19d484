#include "store/TabVorlage.h"

#include <algorithm>
#include <array>

#include "base/Datum.h"
#include "base/Text.h"
#include "store/Mitglied.h"

namespace zaq {

// --- TFormat ----------------------------------------------------------------

TFormat::TFormat(std::string schriftart, std::int32_t groesse, std::uint8_t stil, std::uint32_t farbe)
    : FSchriftart(std::move(schriftart)), FGroesse(groesse), FStil(stil), FFarbe(farbe) {
  SchriftAusFeldern();
}

std::span<const Feldbeschreibung<TFormat>> TFormat::Felder() {
  using F = TFormat;
  static const Feldbeschreibung<F> felder[] = {
      {10, "FSchriftart", &F::FSchriftart}, {20, "FGroesse", &F::FGroesse}, {30, "FStil", &F::FStil},
      {40, "FFarbe", &F::FFarbe},           {100, "FZweitfarbe", &F::FZweitfarbe},
  };
  return felder;
}

void TFormat::StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) {
  TFeldDatensatz<TFormat>::StreamLesen(s, groesse, ok);
  SchriftAusFeldern();
}

void TFormat::SchriftAusFeldern() { FFont = {FSchriftart, FGroesse, FStil, FFarbe}; }

void TFormat::SetzeGroesse(std::int32_t groesse) {
  FFont.groesse = groesse;
  FGroesse = FFont.groesse;
}

void TFormat::SetzeStil(std::uint8_t stil) {
  FFont.stil = stil & (kFett | kKursiv | kUnterstrichen | kDurchgestrichen);
  FStil = FFont.stil;
}

void TFormat::SetzeFarbe(std::uint32_t farbe) {
  FFont.farbe = farbe & 0xFFFFFF;
  FFarbe = FFont.farbe;
}

void TFormat::SetzeSchrift(const TSchrift& schrift) {
  FFont = schrift;
  FSchriftart = FFont.name;
  SetzeGroesse(schrift.groesse);
  SetzeStil(schrift.stil);
  SetzeFarbe(schrift.farbe);
}

// --- criteria ---------------------------------------------------------------

std::string_view FilterText(int bit) {
  static constexpr std::array<std::string_view, kTabFilter> texte = {
      "Mitglied ist nicht selektiert",
      "Mitglied ist selektiert",
      "Mitglied ohne Austritt",
      "Austretendes Mitglied",
      "Ehrenmitglied",
      "Anstehende Vereinsehrung",
      "Anstehende Geburtstagsjub.",
      "Nur ehemalige Mitglieder (Archiv, schließt andere aus)",
  };
  return bit >= 0 && bit < kTabFilter ? texte[static_cast<std::size_t>(bit)] : std::string_view();
}

// --- TTabVorlage ------------------------------------------------------------

TTabVorlage::TTabVorlage() : FBezugsdatum(Heute()) {}

std::span<const Feldbeschreibung<TTabVorlage>> TTabVorlage::Felder() {
  using T = TTabVorlage;
  static const Feldbeschreibung<T> felder[] = {
      {10, "FTitel", &T::FTitel},
      {20, "FDruckOptionen", &T::FDruckOptionen},
      {30, "FKopfFormat", Unterfeld<T>{[](const T& t) -> const TDateiEA& { return t.FKopfFormat; }}},
      {40, "FTabellenFormat", Unterfeld<T>{[](const T& t) -> const TDateiEA& { return t.FTabellenFormat; }}},
      {100, "FSpalten", &T::FSpalten},
      {200, "FSortierung", &T::FSortierung},
      {300, "FAbteilungen", &T::FAbteilungen},
      {400, "FFilter", &T::FFilter},
      {500, "FGruppen", &T::FGruppen},
  };
  return felder;
}

namespace {

struct Standard {
  const char* titel;
  std::vector<std::int32_t> spalten;
  std::uint8_t filter;
  std::vector<std::int32_t> sortierung;
};

const std::array<Standard, kStandardvorlagen>& Standards() {
  static const std::array<Standard, kStandardvorlagen> s = {{
      {"Persönliche Daten / Adressenliste", {1, 3, 25, 41, 44, 28, 29, 47, 48, 50, 61}, 0, {}},
      {"Vereinstechnische Daten", {1, 3, 25, 41, 44, 28, 30, 61, 63, 65, 68, 69, 142}, 0, {}},
      {"Beitragsdaten", {1, 3, 25, 41, 44, 81, 83, 84, 85, 86, 101, 104, 105, 106, 121, 122}, 0, {}},
      {"Detaillierte Liste",
       {1, 3, 25, 41, 44, 28, 29, 49, 61, 63, 65, 68, 69, 142, 81, 83, 85, 86, 101, 104, 105, 106, 121, 122},
       0,
       {}},
      {"Vereinsehrungen (Jubiläumsliste)", {1, 3, 25, 41, 44, 61, 65, 67, 68, 69}, tfOhneAustritt | tfVereinsehrung,
       {67, 21, 22}},
      {"Vereinsehrungen (Jubiläumsliste)", {1, 3, 25, 41, 44, 61, 63, 67}, tfOhneAustritt | tfVereinsehrung,
       {-61, 21, 22}},
      {"Geburtstage (Jubiläumsliste)", {1, 3, 25, 41, 44, 28, 30, 31}, tfOhneAustritt | tfGeburtstagsjubilaeum,
       {31, 21, 22}},
      {"Ehrenmitglieder", {1, 3, 25, 41, 44, 61, 63, 67, 68, 69}, tfEhrenmitglied, {}},
      {"Austretende Mitglieder", {1, 3, 25, 41, 44, 70, 71}, tfAustretend, {21, 22, 3}},
      {"Mitgliedsbeiträge der Rechnungszahler", {1, 3, 25, 28, 29, 41, 42, 43, 46, 81, 83, 84, 85, 86, 121, 122, 170},
       0,
       {}},
      {"Fehler und Hinweise beim Einziehen von Mitgliedsbeiträgen (nicht übernommene Datensätze!)",
       {1, 3, 25, 44, 81, 84, 85, 86, 106, 121, 122, 170},
       0,
       {}},
      {"Ehemalige Mitglieder (Archiv)", {1, 3, 25, 41, 44, 70, 71}, tfArchiv, {-70, 21, 22}},
  }};
  return s;
}

}  // namespace

void TTabVorlage::Standardvorlage(int n) {
  FSortierung.clear();
  if (n < 0 || n >= kStandardvorlagen) return;
  const Standard& s = Standards()[static_cast<std::size_t>(n)];
  FTitel = s.titel;
  FSpalten = s.spalten;
  // The templates without criteria keep those of the caller's template.
  if (s.filter != 0) FFilter = s.filter;
  FSortierung = s.sortierung;
}

void TTabVorlage::LeseZeile(std::string_view zeile) {
  const int teile = FeldAnzahl(zeile, ";");
  FTitel = Feld(zeile, ";", 1);
  FSpalten.clear();
  for (int i = 2; i <= teile; ++i) FSpalten.push_back(ZuZahl(Feld(zeile, ";", i)).value_or(0));
}

std::string TTabVorlage::SchreibeZeile() const {
  std::string zeile = FTitel;
  for (std::int32_t s : FSpalten) zeile += ";" + std::to_string(s);
  return zeile;
}

void TTabVorlage::SpalteHinzufuegen(std::int32_t art) {
  if (art >= 0 && art <= 255) FSpalten.push_back(art);
}

void TTabVorlage::SpaltenEntfernen(int erste, int letzte) {
  erste = std::max(erste, 0);
  letzte = std::min(letzte, SpaltenAnzahl() - 1);
  if (erste > letzte) return;
  FSpalten.erase(FSpalten.begin() + erste, FSpalten.begin() + letzte + 1);
}

std::int32_t TTabVorlage::Spalte(int i) const {
  return i >= 0 && i < SpaltenAnzahl() ? FSpalten[static_cast<std::size_t>(i)] : 0;
}

void TTabVorlage::SetzeSortierAnzahl(int n) { FSortierung.resize(static_cast<std::size_t>(std::max(n, 0)), 0); }

// --- column kinds -----------------------------------------------------------

namespace {

struct Spaltenkopf {
  std::int32_t art;
  const char* kurz;
  const char* lang;  // nullptr: the same as kurz
};

constexpr Spaltenkopf kKoepfe[] = {
    {0, "Listenangaben:", nullptr},
    {1, "Pos.", "Lfd. Nummer"},
    {2, "Pos.*", "Lfd. Nummer + *selektiert*"},
    {3, "MNr.", "Mitgliedsnummer"},
    {4, "MNr.*", "Mitgliedsnummer + *selektiert*"},
    {5, "Sel.", "selektiert"},
    {20, "Persönliche Daten:", nullptr},
    {21, "Nachname", nullptr},
    {22, "Vorname", nullptr},
    {23, "Zusatz", nullptr},
    {24, "Titel", nullptr},
    {25, "Name", "Name, Vorname kombiniert"},
    {26, "Name", "Vorname Name kombiniert"},
    {27, "G.", "Geschlecht"},
    {28, "Geburt", "Geburtsdatum"},
    {29, "Alter", nullptr},
    {30, "AJub.", "Altersjubiläum"},
    {31, "AJub.-Dat", "Altersjub.-Datum"},
    {32, "GInd.", "Geburtstagsindex"},
    {40, "Anschrift und Kontakt:", nullptr},
    {41, "Straße", nullptr},
    {42, "PLZ", "Postleitzahl"},
    {43, "Wohnort", nullptr},
    {44, "PLZ Wohnort", nullptr},
    {45, "Adresse", nullptr},
    {46, "Land", nullptr},
    {47, "Festnetz", "Festnetz-Rufnummer"},
    {48, "Mobilruf", "Mobilfunk-Rufnummer"},
    {49, "Telefon", "Festnetz & Mobilruf"},
    {50, "E-Mail-Adresse", nullptr},
    {51, "Festnetz & Mail", nullptr},
    {52, "Mobilruf & Mail", nullptr},
    {60, "Mitgliedschaft:", nullptr},
    {61, "Eintritt", nullptr},
    {62, "Anr.", "Anrechnungsjahre"},
    {63, "Ehr.", "Erhaltene Ehrung"},
    {64, "Ehr.*", "Erhaltene Ehrung + *Ehrenmitglied*"},
    {65, "Mitgl.", "Mitgliedschaft"},
    {66, "Mitgl.*", "Mitgliedschaft + *Ehrenmitglied*"},
    {67, "MJub.", "Mitgliedschafsjubiläum"},
    {68, "Ehrenm.", "Ehrenmitglied seit"},
    {69, "Abt.", "Abteilungen"},
    {70, "Austritt", "Austrittsdatum"},
    {71, "Austrittsgrund", nullptr},
    {80, "Beitragsdaten:", nullptr},
    {81, "BTS", "Beitragsschlüssel"},
    {82, "Beitragsbez.", "Beitragsbezeichnung"},
    {83, "Jahresbtr.", "Jahresbeitrag in Euro"},
    {84, "Rech.-Btr.", "Berechneter Beitrag in Euro"},
    {85, "Gezahlt bis", nullptr},
    {86, "Zahlart", nullptr},
    {100, "Kontoangaben:", nullptr},
    {101, "IBAN", nullptr},
    {102, "BLZ", "Bankleitzahl"},
    {103, "Kto.-Nr.", "Kontonummer"},
    {104, "Bank", "Name der Bank"},
    {105, "Kontoinhaber", nullptr},
    {106, "EKS", "Empfängerkontoschlüssel"},
    {107, "Mandat", "Mandatsreferenznummer"},
    {108, "Mand.-Dat.", "Datum des Mandats"},
    {109, "Erstlastschr.", "Datum der Erstlastschrift"},
    {110, "Sequenz", "SEPA-Sequenz"},
    {120, "Verweis auf Zahler:", nullptr},
    {121, "ZNr.", "Zahlende Mitgliedsnummer"},
    {122, "Zahler", "Name des Zahlers"},
    {140, "Gruppen:", nullptr},
    {141, "Gruppen als Text", nullptr},
    {142, "Gruppen kurz als Text", nullptr},
    {143, "Gruppen binär", nullptr},
    {160, "Erstellt und Geändert:", nullptr},
    {161, "Ersteller", "Name des Erstellers"},
    {162, "Erst.-Zt.", "Zeit des Erstellens"},
    {163, "Bearbeiter", "Name des letzten Bearbeiters"},
    {164, "Bearb.-Zt.", "Zeit der letzten Änderung"},
    {165, "Entferner", "Name des Entferners"},
    {166, "Entf.-Zt.", "Zeit der Entfernung"},
    {170, "Hinweise intern", nullptr},
};

const Spaltenkopf* Kopf(std::int32_t art) {
  const auto* it = std::lower_bound(std::begin(kKoepfe), std::end(kKoepfe), art,
                                    [](const Spaltenkopf& k, std::int32_t a) { return k.art < a; });
  return it != std::end(kKoepfe) && it->art == art ? it : nullptr;
}

struct Sortierbar {
  const char* text;
  std::int32_t art;
};

constexpr Sortierbar kSortierbar[kSortierArten] = {
    {"Mitgliedsnummer", 3},      {"Geschlecht", 27},       {"Nachname", 21},
    {"Vorname", 22},             {"Straße", 41},           {"Postleitzahl", 42},
    {"Wohnort", 43},             {"Land", 46},             {"Geburtstag", 32},
    {"Geburtsdatum", 28},        {"Alter bis Austritt", 29}, {"Altersjubiläum", 30},
    {"Altersjub.-Datum", 31},    {"Eintrittsdatum", 61},   {"Mitgliedschaft bis Austritt", 65},
    {"Ehrungsjubiläum", 67},     {"Austrittsdatum", 70},   {"Abteilung", 69},
    {"Erstelldatum", 162},       {"Änderungsdatum", 164},
};

}  // namespace

std::string TMitglied::SpaltenTitel(std::int32_t art, bool kurz) {
  const Spaltenkopf* k = Kopf(art);
  if (!k) return "?";
  return kurz || !k->lang ? k->kurz : k->lang;
}

bool IstGruppenkopf(std::int32_t art) { return art >= 0 && art <= kHoechsteSpalte && art % 20 == 0; }

std::string_view SortierText(int i) {
  return i >= 0 && i < kSortierArten ? kSortierbar[i].text : "Keine Sortierung";
}

std::int32_t SortierArt(int i) { return i >= 0 && i < kSortierArten ? kSortierbar[i].art : 0; }

int SortierIndex(std::int32_t art) {
  const std::int64_t betrag = art < 0 ? -static_cast<std::int64_t>(art) : art;
  for (int i = 0; i < kSortierArten; ++i)
    if (kSortierbar[i].art == betrag) return i;
  return -1;
}

}  // namespace zaq
