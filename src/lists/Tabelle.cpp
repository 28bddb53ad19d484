#include "lists/Tabelle.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "base/Text.h"
#include "fees/Beitrag.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "lists/Sortierung.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"
#include "store/Benutzer.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

std::string Zahl(std::int64_t n) { return std::to_string(n); }
// "#": no leading zeros, empty for 0.
std::string ZahlOderLeer(std::int64_t n) { return n == 0 ? std::string() : std::to_string(n); }
std::string DatumOderLeer(Tag tag) { return tag == 0 ? std::string() : DatumText(tag); }

std::string Verbunden(const std::string& a, const std::string& b) {
  return Trim(a + (!a.empty() && !b.empty() ? "; " : "") + b);
}

// The resolved user of a stamp, among the users and then the former users.
const TBenutzer* Stempel(const TVerweisBen& v) { return v.GetZiel(); }

std::string StempelName(const TVerweisBen& v) {
  const TBenutzer* b = Stempel(v);
  return b ? b->FVollerName : std::string();
}

std::string StempelZeit(const TVerweisBen& v) { return Stempel(v) ? DatumZeitText(v.FZeit) : std::string(); }

// Annual fee (83) and computed fee (84): no class gives nothing; an error,
// an unresolved family payer among them, comes before the family mark.
std::string BeitragZelle(TMitglied& m, Tag rechendatum, bool vollesJahr) {
  TBtrKlasse* klasse = KlasseVon(m);
  if (!klasse) return {};
  const TBeitrag b = Beitrag(klasse, m, rechendatum, false, vollesJahr);
  if (!b.Berechnet()) return "Fehler!";
  if (klasse->FFamilienbeitrag && HatZahlerVerweis(m)) return BetragText(0) + " € F";
  return BetragText(b.cent) + " €";
}

std::string BeitragsWert(TMitglied& m, std::int32_t art, Tag rechen) {
  const TMitgliedskonto* k = m.Konto();
  if (art >= 101 && art <= 110 && !k) return {};
  switch (art) {
    case 81: return m.FBeitragsschluessel.wert;
    case 82: return BeitragsklasseText(m);
    case 83: return BeitragZelle(m, 0, true);
    case 84: return BeitragZelle(m, rechen, rechen == 0);
    case 85: return DatumText(m.FBezahltBis);
    case 86: return m.FZahlart == zaRechnung ? "Rechnung" : m.FZahlart == zaLastschrift ? "Lastschrift" : "Mitfin.";
    case 101: return IBANText(k->FIBAN);
    case 102: return BLZText(k->FBLZ);
    case 103: return KontoText(k->FKontonummer);
    case 104: {
      TBank* bank = Bankverzeichnis();
      return bank ? bank->BezeichnungZu(k->FBLZ, k->FIBAN) : std::string();
    }
    case 105: return k->FInhaber;
    case 106: return k->FEmpfaengerKonto.wert;
    case 107: return k->FMandatsreferenz;
    case 108: return DatumOderLeer(k->FMandatsdatum);
    case 109: return DatumOderLeer(k->FErstlastschrift);
    case 110: return k->FErstlastschrift > 0 ? "Folge" : "Erst";
    case 121: {
      const TMitglied* z = ZahlerVon(m);
      return z ? z->MitgliedsnummerText() : std::string();
    }
    case 122: {
      const TMitglied* z = ZahlerVon(m);
      return z ? z->NameKomplett() : std::string();
    }
    default: return "?";
  }
}

}  // namespace

std::string SpaltenWert(TMitglied& m, std::int32_t art, int zeile, Tag bezug, Tag rechen, bool beitragsrecht) {
  switch (art) {
    case 1: return Zahl(zeile);
    case 2: return Zahl(zeile) + (m.FSelektiert ? "*" : "");
    case 3: return m.MitgliedsnummerText();
    case 4: return m.MitgliedsnummerText() + (m.FSelektiert ? "*" : "");
    case 5: return m.FSelektiert ? "X" : "";
    case 21: return m.FName;
    case 22: return m.FVorname;
    case 23: return m.FZusatz;
    case 24: return m.FTitel;
    case 25: return m.NameKomplett();
    case 26: return m.NameAnzeige();
    case 27: return m.FMaennlich ? "m" : "w";
    case 28: return DatumText(m.FGeburtsdatum);
    case 29: return Zahl(m.Alter(bezug));
    case 30: return ZahlOderLeer(m.Geburtstagsjubilaeum(bezug).jahre);
    // The date even when the jubilee lies beyond the horizon.
    case 31: return DatumOderLeer(m.Geburtstagsjubilaeum(bezug).datum);
    case 32: return ZahlOderLeer(m.Geburtstagsnummer());
    case 41: return m.FStrasse;
    case 42: return m.FPLZ;
    case 43: return m.FOrt;
    case 44: return Trim(m.FPLZ + " " + m.FOrt);
    case 45: return m.Adresszeile();
    case 46: return m.FLand;
    case 47: return m.FTelefon;
    case 48: return m.FMobil;
    case 49: return Verbunden(m.FTelefon, m.FMobil);
    case 50: return m.FEMail;
    case 51: return Verbunden(m.FTelefon, m.FEMail);
    case 52: return Verbunden(m.FMobil, m.FEMail);
    case 61: return DatumText(m.FEintrittsdatum);
    case 62: return ZahlOderLeer(m.FAnrechnung);
    case 63: return ZahlOderLeer(m.FEhrung);
    case 64: return ZahlOderLeer(m.FEhrung) + (m.IstEhrenmitglied() ? "*" : "");
    case 65: return Zahl(m.Mitgliedsjahre(bezug));
    case 66: return Zahl(m.Mitgliedsjahre(bezug)) + (m.FAnrechnung > 0 ? "*" : "");
    case 67: return ZahlOderLeer(m.FaelligeEhrung(bezug));
    case 68: return DatumOderLeer(m.FEhrenmitgliedSeit);
    case 69: return m.FAbteilungen;
    case 70: return DatumOderLeer(m.FAustrittsdatum);
    case 71: return m.FAustrittsgrund;
    case 141: return m.GruppenText(false);
    case 142: return m.GruppenText(true);
    case 143: return m.GruppenBits();
    case 161: return StempelName(m.FErstelltVon);
    case 162: return StempelZeit(m.FErstelltVon);
    case 163: return StempelName(m.FGeaendertVon);
    case 164: return StempelZeit(m.FGeaendertVon);
    case 165: return StempelName(m.FAustrittVon);
    case 166: return StempelZeit(m.FAustrittVon);
    case 170: return m.FHinweise;
    default: return beitragsrecht ? BeitragsWert(m, art, rechen) : "***";
  }
}

// --- text measures ---

namespace {

// Advance widths in thousandths of an em, characters 32 to 126 (the
// standard Helvetica metrics).
constexpr std::uint16_t kBreiten[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ to O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,   // P to _
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,   // ` to o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,        // p to ~
};

int Zeichenbreite(char32_t c) {
  if (c >= 32 && c <= 126) return kBreiten[c - 32];
  switch (c) {
    case U'Ä': return 667;
    case U'Ö': return 778;
    case U'Ü': return 722;
    case U'ß': return 611;
    case U'…': return 1000;
    case U'€': return 556;
    case U'\u00A0': return 278;
    default: return 556;
  }
}

double Pixelgroesse(const TSchrift& schrift) {
  return std::max(1, schrift.groesse) * static_cast<double>(kBildschirmDpi) / 72.0;
}

}  // namespace

int TextBreite(const TSchrift& schrift, std::string_view text) {
  std::int64_t summe = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t c = b;
    std::size_t n = 1;
    if (b >= 0xF0) { c = b & 0x07u; n = 4; }
    else if (b >= 0xE0) { c = b & 0x0Fu; n = 3; }
    else if (b >= 0xC0) { c = b & 0x1Fu; n = 2; }
    for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    summe += Zeichenbreite(c);
    i += n;
  }
  // Bold letters are about a twentieth wider.
  if (schrift.stil & 1) summe = summe * 21 / 20;
  return static_cast<int>(std::lround(static_cast<double>(summe) * Pixelgroesse(schrift) / 1000.0));
}

int TextHoehe(const TSchrift& schrift) { return static_cast<int>(std::ceil(Pixelgroesse(schrift) * 1.2)); }

std::vector<DateiFilter> TabellenDateifilter() {
  return {{"Textdateien (*.txt) mit Tabs als Trennzeichen", "*.txt"},
          {"Textdateien (*.csv) mit Semikolon als Trennzeichen", "*.csv"},
          {"Textdateien (*.csv) mit Komma als Trennzeichen", "*.csv"},
          {"Formatierte Textdatei (Rich-Text-Format)", "*.rtf"}};
}

// --- the table ---

TTabelle::TTabelle(TZAQ& liste, const TTabVorlage& vorlage, bool filterTabelle)
    : FListe(&liste), FHalter(liste.weak_from_this().lock()), FVorlage(vorlage), FFilterTabelle(filterTabelle) {
  FBeitragsrecht = Beitragsrecht();
}

TTabelle::TTabelle(std::string titel, std::vector<std::string> kopf, const std::vector<std::vector<std::string>>& zeilen) {
  FVorlage.FTitel = std::move(titel);
  FVorlage.FSortierung.clear();
  FVorlage.FSpalten.assign(kopf.size(), 0);
  FSpaltenzahl = static_cast<int>(kopf.size());
  FZeilen.resize(zeilen.size());
  FZellen = std::move(kopf);
  for (const auto& z : zeilen)
    for (std::size_t s = 0; s < static_cast<std::size_t>(FSpaltenzahl); ++s)
      FZellen.push_back(s < z.size() ? z[s] : std::string());
  FKopfLinks = {FVorlage.FTitel, ""};
  FStatus = {"Tabelle ohne Vereinsbezug", "", "", ""};
  Spaltenbreiten();
}

TTabelle::~TTabelle() = default;

bool TTabelle::Beitragsrecht() const {
  const TBenutzer* b = FListe ? FListe->AktuellerBenutzer() : nullptr;
  return b && b->HatRecht(rBeitragsdatenAnzeigen);
}

bool TTabelle::Archivrecht() const {
  const TBenutzer* b = FListe ? FListe->AktuellerBenutzer() : nullptr;
  return b && b->HatRecht(rArchiv);
}

void TTabelle::Anhaengen(TMitglied& m) {
  Zeile z;
  z.ziel.Setze(&m);
  z.nummer = m.FMitgliedsnummer;
  z.geburtsdatum = m.FGeburtsdatum;
  z.archiv = m.ImArchiv();
  FZeilen.push_back(std::move(z));
}

TMitglied* TTabelle::Aufloesen(const Zeile& z) const {
  if (TMitglied* m = z.ziel.Get()) return m;
  // The member was replaced (a reload): found again by number and birth date.
  if (!FListe) return nullptr;
  if (!z.archiv) {
    TMitglied* m = FListe->SucheNummer(z.nummer);
    return m && m->FGeburtsdatum == z.geburtsdatum ? m : nullptr;
  }
  for (const auto& m : FListe->FArchiv)
    if (m->FMitgliedsnummer == z.nummer && m->FGeburtsdatum == z.geburtsdatum) return m.get();
  return nullptr;
}

TMitglied* TTabelle::Mitglied(int zeile) const {
  if (zeile < 1 || zeile > Zeilenzahl()) return nullptr;
  return Aufloesen(FZeilen[static_cast<std::size_t>(zeile - 1)]);
}

bool TTabelle::FolgeListe() {
  if (!FListe) return false;
  std::shared_ptr<TZAQ> neu = FListe->FNachfolger.lock();
  if (!neu) return false;
  while (auto weiter = neu->FNachfolger.lock()) neu = weiter;
  FListe = neu.get();
  FHalter = std::move(neu);
  for (Zeile& z : FZeilen) z.ziel.Leeren();
  Aufbauen();
  return true;
}

void TTabelle::ZeilenWaehlen() {
  FZeilen.clear();
  if (!FListe) return;
  const TTabVorlage& v = FVorlage;
  if (v.FFilter & tfArchiv) {
    if (!Archivrecht()) return;
    // The mark of an archived member means it is to be deleted.
    for (const auto& m : FListe->FArchiv)
      if (!m->FSelektiert) Anhaengen(*m);
    return;
  }
  for (const auto& p : FListe->FMitglieder) {
    TMitglied& m = *p;
    const std::uint8_t f = v.FFilter;
    if ((f & tfNichtSelektiert) && m.FSelektiert) continue;
    if ((f & tfSelektiert) && !m.FSelektiert) continue;
    if ((f & tfOhneAustritt) && m.TrittAus()) continue;
    if ((f & tfAustretend) && !m.TrittAus()) continue;
    if ((f & tfEhrenmitglied) && !m.IstEhrenmitglied()) continue;
    if ((f & tfVereinsehrung) && m.FaelligeEhrung(v.FBezugsdatum) == 0) continue;
    if ((f & tfGeburtstagsjubilaeum) && m.Geburtstagsjubilaeum(v.FBezugsdatum).jahre < 1) continue;
    if (!m.InGruppenMaske(v.FGruppen)) continue;
    if (!m.InAbteilung(v.FAbteilungen)) continue;
    Anhaengen(m);
  }
}

void TTabelle::SetzeZeilen(const std::vector<TMitglied*>& mitglieder) {
  FZeilen.clear();
  FZeilen.reserve(mitglieder.size());
  for (TMitglied* m : mitglieder)
    if (m) Anhaengen(*m);
}

void TTabelle::Sortieren() {
  if (FVorlage.FSortierung.empty() || FZeilen.empty()) return;
  // Rows whose member is gone go to the end.
  std::vector<const TMitglied*> mitglieder;
  std::vector<std::size_t> zeileVon, verloren;
  for (std::size_t i = 0; i < FZeilen.size(); ++i) {
    if (const TMitglied* m = Aufloesen(FZeilen[i])) {
      mitglieder.push_back(m);
      zeileVon.push_back(i);
    } else {
      verloren.push_back(i);
    }
  }
  const TSortierwerte werte(mitglieder, FVorlage.FSortierung, FVorlage.FBezugsdatum);
  if (werte.Leer()) return;
  std::vector<std::size_t> ordnung(mitglieder.size());
  std::iota(ordnung.begin(), ordnung.end(), std::size_t{0});
  std::sort(ordnung.begin(), ordnung.end(), [&](std::size_t a, std::size_t b) { return werte.Vor(a, b); });
  std::vector<Zeile> neu;
  neu.reserve(FZeilen.size());
  for (std::size_t i : ordnung) neu.push_back(std::move(FZeilen[zeileVon[i]]));
  for (std::size_t i : verloren) neu.push_back(std::move(FZeilen[i]));
  FZeilen = std::move(neu);
}

std::string TTabelle::Wert(int zeile, int spalte) const {
  TMitglied* m = Mitglied(zeile);
  if (!m) return "?";
  return SpaltenWert(*m, FVorlage.Spalte(spalte), zeile, FVorlage.FBezugsdatum, FVorlage.FRechendatum,
                     FBeitragsrecht);
}

bool TTabelle::Fuellen() {
  // A table without a member list keeps the cells it was given.
  if (!FListe) return true;
  FBeitragsrecht = Beitragsrecht();
  FKopfLinks = {FVorlage.FTitel, ""};
  FKopfRechts = {"", "Bezug: " + DatumText(FVorlage.FBezugsdatum)};
  FStatus = {};
  if (FListe) {
    const TBenutzer* b = FListe->AktuellerBenutzer();
    FKopfLinks[1] = "Benutzer: " + (b ? (b->FVollerName.empty() ? b->FLogin : b->FVollerName) : std::string());
    FKopfRechts[0] = "Stand: " + DatumText(static_cast<Tag>(std::floor(GueltigeZeit(FListe->FGeaendertAm))));
  }
  if (FVorlage.FSpalten.empty()) {
    Meldung("Es wurden keine Felder angegeben. Die Tabelle muß mindestens eine Spalte aufweisen.",
            MeldungsArt::Warnung);
    return false;
  }
  FSpaltenzahl = FVorlage.SpaltenAnzahl();
  const auto breite = static_cast<std::size_t>(FSpaltenzahl);
  FZellen.assign((FZeilen.size() + 1) * breite, std::string());
  for (int s = 0; s < FSpaltenzahl; ++s)
    FZellen[static_cast<std::size_t>(s)] = TMitglied::SpaltenTitel(FVorlage.Spalte(s), true);
  for (int z = 1; z <= Zeilenzahl(); ++z) {
    if (z % 1024 == 0) Warten().Verarbeiten();
    TMitglied* m = Mitglied(z);
    for (int s = 0; s < FSpaltenzahl; ++s)
      FZellen[static_cast<std::size_t>(z) * breite + static_cast<std::size_t>(s)] =
          m ? SpaltenWert(*m, FVorlage.Spalte(s), z, FVorlage.FBezugsdatum, FVorlage.FRechendatum, FBeitragsrecht)
            : std::string("?");
  }
  FErsteSpalteFest = FSpaltenzahl >= 2 && (FVorlage.Spalte(0) == 1 || FVorlage.Spalte(0) == 2);
  if (FListe) {
    FStatus[0] = FKopfRechts[0];
    FStatus[1] = "Bezug: " + DatumText(FVorlage.FBezugsdatum);
    FStatus[2] = std::to_string(Zeilenzahl()) + " von " + std::to_string(FListe->AnzahlMitglieder()) +
                 " Mitgliedern";
    FStatus[3] = FListe->FBeschreibung;
  } else {
    FStatus[0] = "Tabelle ohne Vereinsbezug";
  }
  return true;
}

std::optional<std::size_t> TTabelle::Index(int zeile, int spalte) const {
  if (zeile < 0 || zeile > Zeilenzahl() || spalte < 0 || spalte >= FSpaltenzahl ||
      FZellen.size() != (FZeilen.size() + 1) * static_cast<std::size_t>(FSpaltenzahl))
    return std::nullopt;
  return static_cast<std::size_t>(zeile) * static_cast<std::size_t>(FSpaltenzahl) + static_cast<std::size_t>(spalte);
}

const std::string& TTabelle::Zelle(int zeile, int spalte) const {
  static const std::string leer;
  const auto i = Index(zeile, spalte);
  return i ? FZellen[*i] : leer;
}

const std::string& TTabelle::ZelleZeichnen(int zeile, int spalte) {
  const auto i = Index(zeile, spalte);
  if (!i || zeile == 0 || !FListe) return Zelle(zeile, spalte);
  std::string neu = Wert(zeile, spalte);
  if (neu != FZellen[*i]) FZellen[*i] = std::move(neu);
  return FZellen[*i];
}

void TTabelle::Spaltenbreiten() {
  const TSchrift& text = FVorlage.FTabellenFormat.Schrift();
  const TSchrift& kopf = FVorlage.FKopfFormat.Schrift();
  FZeilenhoehe = TextHoehe(text) + 8;
  FBreiten.assign(static_cast<std::size_t>(FSpaltenzahl), 0);
  std::vector<int> w(FZeilen.size());
  for (int s = 0; s < FSpaltenzahl; ++s) {
    double summe = 0;
    int gefuellt = 0;
    for (int z = 1; z <= Zeilenzahl(); ++z) {
      const std::string& zelle = Zelle(z, s);
      const int b = (zelle.empty() ? 0 : TextBreite(text, zelle)) + 19;
      w[static_cast<std::size_t>(z - 1)] = b;
      if (!zelle.empty()) {
        summe += b;
        ++gefuellt;
      }
    }
    const double mittel = gefuellt > 0 ? summe / gefuellt : 15;
    // Cells far from the mean do not widen the column.
    int m = 0;
    for (int b : w)
      if (std::fabs(mittel - b) / mittel < 0.8) m = std::max(m, b);
    if (s == 0) m += 3;
    m = std::max(m, 30);
    const int kopfbreite = TextBreite(kopf, Zelle(0, s));
    if (m < kopfbreite + 15) m = kopfbreite + 15;
    FBreiten[static_cast<std::size_t>(s)] = m;
  }
}

int TTabelle::Gesamtbreite() const { return std::accumulate(FBreiten.begin(), FBreiten.end(), 0); }

bool TTabelle::Aufbauen() {
  if (FFilterTabelle) ZeilenWaehlen();
  Sortieren();
  if (!Fuellen()) return false;
  Spaltenbreiten();
  return true;
}

// --- copying and saving ---

namespace {

// A cell of a ";" or "," separated row: quoted when it holds the separator,
// a double quote or a line break, so that it stays one cell.
std::string Csv(const std::string& zelle, char trenner) {
  if (zelle.find_first_of(std::string{trenner, '"', '\r', '\n'}) == std::string::npos) return zelle;
  return "\"" + Ersetze(zelle, "\"", "\"\"") + "\"";
}

// A cell in RTF: backslash and braces would start commands and groups.
std::string RtfZelle(std::string_view zelle) {
  std::string out;
  out.reserve(zelle.size());
  for (char c : zelle) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string TTabelle::Text(Exportform form, std::optional<TZellbereich> bereich) const {
  TZellbereich b = bereich.value_or(TZellbereich{0, 1, FSpaltenzahl - 1, Zeilenzahl()});
  b.links = std::max(b.links, 0);
  b.rechts = std::min(b.rechts, FSpaltenzahl - 1);
  b.oben = std::max(b.oben, 1);
  b.unten = std::min(b.unten, Zeilenzahl());
  std::vector<int> zeilen{0};
  for (int z = b.oben; z <= b.unten; ++z) zeilen.push_back(z);
  std::string out;
  if (form == Exportform::Rtf) {
    std::string kopf = "\\trowd";
    int rand = 0;
    for (int s = b.links; s <= b.rechts; ++s) {
      const int breite = s < static_cast<int>(FBreiten.size()) ? FBreiten[static_cast<std::size_t>(s)] : 0;
      rand += breite * 1440 / kBildschirmDpi;
      kopf += "\\cellx" + std::to_string(rand);
    }
    kopf += "\\pard\\intbl";
    out += "{\\rtf1\\ansi\\deff0\r\n";
    for (int z : zeilen) {
      std::string zeile = kopf;
      for (int s = b.links; s <= b.rechts; ++s) zeile += " " + RtfZelle(Zelle(z, s)) + "\\intbl\\cell";
      zeile += "\\row";
      out += (z == 0 ? "\\b" + zeile + "\\b0" : zeile) + "\r\n";
    }
    out += "}\r\n";
    return out;
  }
  const char trenner = form == Exportform::Tabulator ? '\t' : form == Exportform::Semikolon ? ';' : ',';
  for (int z : zeilen) {
    for (int s = b.links; s <= b.rechts; ++s) {
      if (s > b.links) out += trenner;
      out += form == Exportform::Tabulator ? Zelle(z, s) : Csv(Zelle(z, s), trenner);
    }
    out += "\r\n";
  }
  return out;
}

void TTabelle::Kopieren(std::optional<TZellbereich> bereich) const {
  UI().ZwischenablageRtf(Text(Exportform::Tabulator, bereich), Utf8ZuCp1252(Text(Exportform::Rtf, bereich)));
}

bool TTabelle::Speichern(const std::string& datei, Exportform form) const {
  const std::string inhalt = Utf8ZuCp1252(Text(form));
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(inhalt.data()),
                                      inhalt.size())) {
    Meldung("Fehler beim Schreiben von " + datei + "!", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

bool TTabelle::SpeichernUnter() const {
  DateiDialog d;
  d.titel = "Tabelle als Textdatei speichern";
  d.filter = TabellenDateifilter();
  d.vorschlag = FVorlage.FTitel;
  d.endung = "txt";
  d.ueberschreibenFragen = true;
  const auto datei = UI().DateiSpeichern(d);
  if (!datei) return false;
  const int i = std::clamp(d.filterIndex, 0, 3);
  return Speichern(*datei, static_cast<Exportform>(i));
}

// --- the template ---

void TTabelle::SortiereNach(const std::vector<std::int32_t>& schluessel) {
  FVorlage.FSortierung = schluessel;
  Sortieren();
  if (Fuellen()) Spaltenbreiten();
}

void TTabelle::SpaltenAusblenden(int erste, int letzte) {
  if (!FListe || erste < 0 || letzte < erste) return;
  FVorlage.SpaltenEntfernen(erste, letzte);
  if (Fuellen()) Spaltenbreiten();
}

std::string TTabelle::AusblendenText(int erste, int letzte) const {
  if (erste == letzte) return "\"" + Zelle(0, erste) + "\" ausblenden";
  return "Spalten ausblenden";
}

void TTabelle::SpalteVerschieben(int von, int nach) {
  auto& spalten = FVorlage.FSpalten;
  const int n = static_cast<int>(spalten.size());
  if (von < 0 || von >= n || nach < 0 || nach >= n || von == nach) return;
  const std::int32_t art = spalten[static_cast<std::size_t>(von)];
  spalten.erase(spalten.begin() + von);
  spalten.insert(spalten.begin() + nach, art);
  if (Fuellen()) Spaltenbreiten();
}

TMitglied* TTabelle::MitgliedZumAufrufen(int oben, int unten) const {
  if (!FListe || Zeilenzahl() == 0 || oben != unten || oben < 1) return nullptr;
  TMitglied* m = Mitglied(oben);
  if (!m || m->ImArchiv() || !m->InListe() || m->Liste() != FListe) return nullptr;
  return m;
}

// --- entry operations ---

namespace {

std::shared_ptr<TTabelle> Zeige(std::shared_ptr<TTabelle> t) {
  UI().Fenster(t);
  return t;
}

}  // namespace

std::shared_ptr<TTabelle> ZeigeFilterTabelle(TZAQ& liste, const TTabVorlage& vorlage) {
  auto t = std::make_shared<TTabelle>(liste, vorlage, true);
  t->ZeilenWaehlen();
  if (t->Zeilenzahl() == 0) return nullptr;
  t->Sortieren();
  if (t->Fuellen()) t->Spaltenbreiten();
  return Zeige(std::move(t));
}

std::shared_ptr<TTabelle> ZeigeTabelle(TZAQ& liste, const std::vector<TMitglied*>& mitglieder,
                                       const TTabVorlage& vorlage) {
  auto t = std::make_shared<TTabelle>(liste, vorlage, false);
  t->SetzeZeilen(mitglieder);
  t->Sortieren();
  if (t->Fuellen()) t->Spaltenbreiten();
  return Zeige(std::move(t));
}

TTabVorlage Standardtabelle(const TZAQ& liste, int n, Tag bezug, bool nurSelektierte) {
  TTabVorlage v;
  v.Standardvorlage(n);
  if (nurSelektierte) v.FFilter |= tfSelektiert;
  v.FBezugsdatum = bezug > 0 ? bezug : liste.FStammdaten.FAlterStichtag;
  v.FRechendatum = v.FBezugsdatum;
  return v;
}

bool ZeigeStandardtabelle(TZAQ& liste, int n, Tag bezug, bool nurSelektierte) {
  if (ZeigeFilterTabelle(liste, Standardtabelle(liste, n, bezug, nurSelektierte))) return true;
  Meldung("Es wurden keine Mitglieder gefunden, die den gewünschten Filterkriterien entsprechen.",
          MeldungsArt::Information);
  return false;
}

std::vector<TTabVorlage> Programmvorlagen() {
  std::vector<TTabVorlage> vorlagen;
  const auto anzahl = ZuZahl(LeseEinstellung(esTabellen)).value_or(0);
  for (int i = 1; i <= std::min(anzahl, 99); ++i) {
    TTabVorlage v;
    v.LeseZeile(LeseEinstellung(esTabellen + i));
    vorlagen.push_back(std::move(v));
  }
  return vorlagen;
}

void SchreibeProgrammvorlagen(const std::vector<TTabVorlage>& vorlagen) {
  const int anzahl = static_cast<int>(std::min<std::size_t>(vorlagen.size(), 99));
  for (int i = 1; i <= anzahl; ++i)
    SchreibeEinstellung(esTabellen + i, vorlagen[static_cast<std::size_t>(i - 1)].SchreibeZeile());
  SchreibeEinstellungZahl(esTabellen, anzahl);
}

}  // namespace zaq
