#include "store/Mitglied.h"

#include <algorithm>

#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

// Character-wise helpers on UTF-8 text (names may hold umlauts).
std::size_t Zeichen(const std::string& s) { return Cp1252Laenge(s); }

std::string Links(const std::string& s, std::size_t n) {
  std::size_t i = 0, gezaehlt = 0;
  while (i < s.size() && gezaehlt < n) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    ++gezaehlt;
  }
  return s.substr(0, i);
}

// Shortens a name by n characters; returns how many characters are still to be saved.
int Kuerze(std::string& name, int n) {
  if (n <= 0 || name.empty()) return n;
  const int laenge = static_cast<int>(Zeichen(name));
  if (laenge - n < 3) {
    std::string neu = Links(name, 1) + ".";
    int gespart = std::max(0, laenge - 2);
    name = neu;
    return std::max(0, n - gespart);
  }
  name = Links(name, static_cast<std::size_t>(laenge - n - 1)) + "-";
  return 0;
}

// Entries of a ";" list up to the first one that is not a whole number.
std::vector<int> Zahlenliste(const std::string& text, bool nurZiffern) {
  std::vector<int> werte;
  for (int i = 1; i <= FeldAnzahl(text, ";"); ++i) {
    std::string e = Trim(Feld(text, ";", i));
    if (e.empty()) break;
    if (nurZiffern ? !NurZiffern(e) : !ZuZahl(e)) break;
    werte.push_back(*ZuZahl(e));
  }
  return werte;
}

constexpr int kTageVorMonat[12] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

}  // namespace

int VolleJahreBis(std::int32_t a, std::int32_t b) { return VolleJahre(a, b); }

TMitglied::TMitglied(TZAQ* liste, std::uint16_t nummer)
    : FMitgliedsnummer(nummer),
      FErstelltVon(liste),
      FGeaendertVon(liste),
      FAustrittVon(liste),
      FNotizen(liste),
      FListe(liste) {
  FGeburtsdatum = Heute();
  FEintrittsdatum = FGeburtsdatum;
  if (liste) FErstelltVon.Setze(liste->AktuellerBenutzer());
}

TMitglied::TMitglied(const TMitglied& q)
    : TFeldDatensatz<TMitglied>(q),
      FErstelltVon(q.FListe),
      FGeaendertVon(q.FListe),
      FAustrittVon(q.FListe),
      FNotizen(q.FListe),
      FListe(q.FListe) {
  *this = q;
}

TMitglied& TMitglied::operator=(const TMitglied& q) {
  if (this == &q) return *this;
  TDateiEA::operator=(q);
  FMitgliedsnummer = q.FMitgliedsnummer;
  FSelektiert = q.FSelektiert;
  FErstelltVon = q.FErstelltVon;
  FGeaendertVon = q.FGeaendertVon;
  FAustrittVon = q.FAustrittVon;
  FName = q.FName;
  FVorname = q.FVorname;
  FZusatz = q.FZusatz;
  FTitel = q.FTitel;
  FMaennlich = q.FMaennlich;
  FGeburtsdatum = q.FGeburtsdatum;
  FStrasse = q.FStrasse;
  FPLZ = q.FPLZ;
  FOrt = q.FOrt;
  FLand = q.FLand;
  FTelefon = q.FTelefon;
  FMobil = q.FMobil;
  FEMail = q.FEMail;
  FHomepage = q.FHomepage;
  FEintrittsdatum = q.FEintrittsdatum;
  FEhrenmitgliedSeit = q.FEhrenmitgliedSeit;
  FAustrittsdatum = q.FAustrittsdatum;
  FAustrittsgrund = q.FAustrittsgrund;
  FAnrechnung = q.FAnrechnung;
  FEhrung = q.FEhrung;
  FAbteilungen = q.FAbteilungen;
  FGruppen = q.FGruppen;
  FBeitragsschluessel = q.FBeitragsschluessel;
  FZahlart = q.FZahlart;
  FBezahltBis = q.FBezahltBis;
  FVorlaeufigBezahltBis = q.FVorlaeufigBezahltBis;
  FNotizen = q.FNotizen;
  FGroesse = q.FGroesse;
  FHinweise = q.FHinweise;
  FKonto = q.FKonto ? std::make_unique<TMitgliedskonto>(*q.FKonto) : nullptr;
  FZahler = q.FZahler ? std::make_unique<TVerweisMitgl>(*q.FZahler) : nullptr;
  FZahltFuer = q.FZahltFuer;
  SetzeListe(FListe);
  return *this;
}

TMitglied::~TMitglied() = default;

std::span<const Feldbeschreibung<TMitglied>> TMitglied::Felder() {
  using M = TMitglied;
  static const Feldbeschreibung<M> felder[] = {
      {10, "FMitgliedsnummer", &M::FMitgliedsnummer},
      {20, "FSelektiert", &M::FSelektiert},
      {30, "FErstelltVon", Unterfeld<M>{[](const M& m) -> const TDateiEA& { return m.FErstelltVon; }}},
      {40, "FGeaendertVon", Unterfeld<M>{[](const M& m) -> const TDateiEA& { return m.FGeaendertVon; }},
       [](const M& m, std::uint32_t) { return m.FGeaendertVon.IstGesetzt(); }},
      {50, "FAustrittVon", Unterfeld<M>{[](const M& m) -> const TDateiEA& { return m.FAustrittVon; }},
       [](const M& m, std::uint32_t) { return m.FAustrittVon.IstGesetzt(); }},
      {200, "FName", &M::FName},
      {210, "FVorname", &M::FVorname},
      {220, "FZusatz", &M::FZusatz},
      {230, "FTitel", &M::FTitel},
      {240, "FMaennlich", &M::FMaennlich},
      {250, "FGeburtsdatum", &M::FGeburtsdatum},
      {400, "FStrasse", &M::FStrasse},
      {410, "FPLZ", &M::FPLZ},
      {420, "FOrt", &M::FOrt},
      {430, "FLand", &M::FLand},
      {600, "FTelefon", &M::FTelefon},
      {610, "FMobil", &M::FMobil},
      {620, "FEMail", &M::FEMail},
      {630, "FHomepage", &M::FHomepage},
      {800, "FEintrittsdatum", &M::FEintrittsdatum},
      {810, "FEhrenmitgliedSeit", &M::FEhrenmitgliedSeit},
      {820, "FAustrittsdatum", &M::FAustrittsdatum},
      {830, "FAustrittsgrund", &M::FAustrittsgrund},
      {840, "FAnrechnung", &M::FAnrechnung},
      {850, "FEhrung", &M::FEhrung},
      {860, "FAbteilungen", &M::FAbteilungen},
      {870, "FGruppen", &M::FGruppen},
      {1000, "FBeitragsschluessel", &M::FBeitragsschluessel},
      {1010, "FZahlart", &M::FZahlart},
      {1020, "FBezahltBis", &M::FBezahltBis},
      {1021, "FVorlaeufigBezahltBis", &M::FVorlaeufigBezahltBis},
      {1030, "FKonto",
       Sonderfeld<M>{[](const M& m, TZAQStream& s, std::uint16_t id, std::uint32_t flags, bool& ok) {
                       if (m.FKonto) SchreibeUnterblock(s, *m.FKonto, id, flags, ok);
                     },
                     [](M& m, TZAQStream& s, std::int32_t g, bool& ok) { LeseUnterblock(s, m.KontoAnlegen(), g, ok); },
                     [](const M& m, Json& j, const char* name) {
                       if (m.FKonto) m.FKonto->ZuJson(j[name]);
                     }}},
      {1040, "FZahler",
       Sonderfeld<M>{[](const M& m, TZAQStream& s, std::uint16_t id, std::uint32_t flags, bool& ok) {
                       if (m.FZahler) SchreibeUnterblock(s, *m.FZahler, id, flags, ok);
                     },
                     [](M& m, TZAQStream& s, std::int32_t g, bool& ok) { LeseUnterblock(s, m.ZahlerAnlegen(), g, ok); },
                     [](const M& m, Json& j, const char* name) {
                       if (m.FZahler) m.FZahler->ZuJson(j[name]);
                     }}},
      {1200, "FNotizen", Unterfeld<M>{[](const M& m) -> const TDateiEA& { return m.FNotizen; }}},
  };
  return felder;
}

void TMitglied::StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const {
  const std::size_t start = s.Position();
  TFeldDatensatz<TMitglied>::StreamSchreiben(s, flags, ok);
  FGroesse = static_cast<std::int64_t>(s.Position() - start);
}

void TMitglied::StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) {
  TFeldDatensatz<TMitglied>::StreamLesen(s, groesse, ok);
  FGroesse = groesse;
}

void TMitglied::SetzeListe(TZAQ* liste) {
  FListe = liste;
  FErstelltVon.FListe = FGeaendertVon.FListe = FAustrittVon.FListe = liste;
  if (FZahler) FZahler->FListe = liste;
  FNotizen.SetzeListe(liste);
}

TMitgliedskonto& TMitglied::KontoAnlegen() {
  if (!FKonto) FKonto = std::make_unique<TMitgliedskonto>();
  return *FKonto;
}

TVerweisMitgl& TMitglied::ZahlerAnlegen() {
  if (!FZahler) FZahler = std::make_unique<TVerweisMitgl>(FListe);
  return *FZahler;
}

TMitglied* TMitglied::Vorgaenger() const {
  if (!FListe || FIndex <= 0) return nullptr;
  auto& liste = FArchiviert ? FListe->FArchiv : FListe->FMitglieder;
  return &liste[FIndex - 1];
}

TMitglied* TMitglied::Nachfolger() const {
  if (!FListe || FIndex < 0) return nullptr;
  auto& liste = FArchiviert ? FListe->FArchiv : FListe->FMitglieder;
  return FIndex + 1 < liste.Anzahl() ? &liste[FIndex + 1] : nullptr;
}

void TMitglied::Geaendert() {
  if (!FListe) return;
  FGeaendertVon.Setze(FListe->AktuellerBenutzer());
  FListe->Geaendert();
}

void TMitglied::SetzeSelektiert(bool wert) {
  FSelektiert = wert;
  Geaendert();
}

double TMitglied::LetzteAenderung() const {
  return FGeaendertVon.FZeit > 0 ? FGeaendertVon.FZeit : FErstelltVon.FZeit;
}

bool TMitglied::VerweistAufBenutzer(const TBenutzer& b) const {
  auto gleich = [&](const TVerweisBen& v) { return v.FLogin == b.FLogin && v.FBenutzerNr == b.FBenutzerNr; };
  if (gleich(FErstelltVon) || gleich(FGeaendertVon) || gleich(FAustrittVon)) return true;
  for (const auto& n : FNotizen)
    if (gleich(n->FVerfasser) || gleich(n->FBearbeiter)) return true;
  return false;
}

std::string MitgliedsnummerText(const TZAQ* liste, std::uint16_t nummer) {
  std::string zahl = std::to_string(nummer);
  if (!liste) return zahl;
  auto stellen = static_cast<std::size_t>(std::count(liste->FZAQFormat.begin(), liste->FZAQFormat.end(), '0'));
  return NullenAuffuellen(zahl, stellen);
}

std::string TMitglied::MitgliedsnummerText() const { return zaq::MitgliedsnummerText(FListe, FMitgliedsnummer); }

std::int32_t TMitglied::Stichtag(std::int32_t stichtag) const {
  if (stichtag != 0) return stichtag;
  return FListe ? FListe->FStammdaten.FAlterStichtag : Heute();
}

int TMitglied::Alter(std::int32_t stichtag) const {
  std::int32_t s = Stichtag(stichtag);
  std::int32_t ende = FAustrittsdatum > 0 && FAustrittsdatum < s ? FAustrittsdatum : s;
  return VolleJahre(FGeburtsdatum, ende);
}

int TMitglied::Mitgliedsjahre(std::int32_t stichtag) const {
  std::int32_t s = Stichtag(stichtag);
  std::int32_t ende = FAustrittsdatum > 0 && FAustrittsdatum < s ? FAustrittsdatum : s;
  return std::min(65535, VolleJahre(FEintrittsdatum, ende) + FAnrechnung);
}

int TMitglied::AlterBeitrag() const {
  return VolleJahre(FGeburtsdatum, FListe ? FListe->FStammdaten.FBeitragStichtag : Heute());
}

int TMitglied::Geburtstagsnummer() const {
  Datum d = ZerlegeDatum(FGeburtsdatum);
  return kTageVorMonat[d.monat - 1] + d.tag;
}

Statussymbol TMitglied::Symbol() const {
  if (FSelektiert) return Statussymbol::Selektiert;
  if (TrittAus()) return Statussymbol::Austritt;
  if (IstEhrenmitglied()) return Statussymbol::Ehrenmitglied;
  return FMaennlich ? Statussymbol::Maennlich : Statussymbol::Weiblich;
}

int TMitglied::FaelligeEhrung(std::int32_t stichtag) const {
  if (!FListe) return 0;
  const int jahre = Mitgliedsjahre(stichtag);
  int faellig = 0;
  for (int e : Zahlenliste(FListe->FStammdaten.FEhrungen, false))
    if (FEhrung < e && e <= jahre) faellig = std::max(faellig, e);
  return faellig;
}

Jubilaeum TMitglied::Geburtstagsjubilaeum(std::int32_t stichtag) const {
  if (!FListe) return {};
  const std::int32_t s = Stichtag(stichtag);
  const int alter = Alter(s);
  const auto& stamm = FListe->FStammdaten;
  for (int e : Zahlenliste(stamm.FGeburtstage, true)) {
    if (e < alter) continue;
    Jubilaeum j{e, PlusJahre(FGeburtsdatum, e)};
    if (j.datum > PlusJahre(s, stamm.FGeburtstagsJahre)) j.jahre = 0;
    return j;
  }
  return {};
}

std::string TMitglied::NameKomplett() const {
  return Trim(FName) + ", " + Trim(FTitel + " " + FVorname + " " + FZusatz);
}

std::string TMitglied::NameAnzeige() const {
  return Trim(FTitel + " " + FVorname + " " + FName + " " + FZusatz);
}

std::string TMitglied::Adresszeile() const {
  if (FStrasse.empty()) return Trim(FPLZ + " " + FOrt);
  return Trim(FStrasse + ", " + FPLZ + " " + FOrt);
}

std::string TMitglied::KurzName(int n) const {
  if (n == 0) return NameKomplett();
  std::string name = FName, vorname = FVorname;
  int rest = Kuerze(name, n);
  Kuerze(vorname, rest);
  return Trim(name + ", " + vorname + " " + FZusatz);
}

std::string TMitglied::Anschrift() const {
  return std::string(FMaennlich ? "An Herrn" : "An Frau") + "\r\n" + NameKomplett() + "\r\n" + FStrasse +
         "\r\n" + FPLZ + " " + FOrt;
}

std::string TMitglied::GruppenText(bool kurz) const {
  std::string text;
  for (int i = 1; i <= kGruppen; ++i) {
    if (!InGruppe(i)) continue;
    std::string name = FListe ? FListe->FStammdaten.FGruppenname[static_cast<std::size_t>(i - 1)] : "";
    if (kurz && Zeichen(name) > 6) name = Trim(Links(name, 6)) + "…";
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

std::string TMitglied::GruppenBits() const {
  int n = FListe ? FListe->FStammdaten.FGruppenAnzahl : kGruppen;
  std::string bits;
  for (int i = 1; i <= n && i <= kGruppen; ++i) bits += InGruppe(i) ? '1' : '0';
  return bits;
}

std::string TMitglied::MandatsreferenzVorschlag(const std::string& text, std::int32_t datum) const {
  return MitgliedsnummerText() + Links(Trim(text), 1) + FormatDatum("ddmmyy", datum);
}

std::string TMitglied::BuchungsKennung() const {
  return MitgliedsnummerText() + Links(FVorname, 1) + FormatDatum("ddmmyy-hhnnss", Jetzt());
}

std::string TMitglied::Zwischenablagetext(bool nurAnschrift) const {
  if (nurAnschrift) return Anschrift();
  std::string t = "ZAQ Mitgliederverwaltung\r\n\r\nMitgliedsnummer:\t" + MitgliedsnummerText() + "\r\n";
  auto zeile = [&](const std::string& titel, const std::string& wert) { t += titel + "\t" + wert + "\r\n"; };
  zeile("Name:", NameKomplett());
  zeile("Geschlecht:", FMaennlich ? "männlich" : "weiblich");
  zeile("Straße:", FStrasse);
  zeile("Postleitzahl:", FPLZ);
  zeile("Ort:", FOrt);
  zeile("Telefon:", FTelefon);
  zeile("Kontakt:", FEMail);
  zeile("Geburtsdatum:", DatumText(FGeburtsdatum));
  zeile("Eintrittsdatum:", DatumText(FEintrittsdatum));
  zeile("Alter [Jahre]:", std::to_string(Alter()));
  zeile("Mitgliedschaft [Jahre]:", std::to_string(Mitgliedsjahre()));
  zeile("Abteilung:", FAbteilungen);
  zeile("Ehrenmitglied:", IstEhrenmitglied() ? "ja" : "nein");
  zeile("Letzte Ehrung:", std::to_string(FEhrung));
  zeile("Beitragsschlüssel:", FBeitragsschluessel.wert);
  if (FKonto) {
    zeile("Bankleitzahl:", FKonto->FBLZ);
    zeile("Kontonummer:", FKonto->FKontonummer);
    zeile("Kontoinhaber:", FKonto->FInhaber);
    zeile("Empfängerkontoschlüssel:", FKonto->FEmpfaengerKonto.wert);
  }
  if (FZahler) {
    TMitglied* zahler = FZahler->GetZiel();
    std::string nummer = zahler ? zahler->MitgliedsnummerText() : std::to_string(FZahler->FNummer);
    zeile("Zahlende Mitgliedsnummer:", nummer);
  }
  t += std::string("Selektiert:\t") + (FSelektiert ? "ja" : "nein");
  return t;
}

void TMitglied::KopiereInZwischenablage(bool nurAnschrift) const {
  UI().Zwischenablage(Zwischenablagetext(nurAnschrift));
}

bool TMitglied::InGruppe(int i) const { return i >= 1 && i <= kGruppen && (FGruppen >> (i - 1) & 1u); }

void TMitglied::SetzeGruppe(int i, bool an) {
  if (i < 1 || i > kGruppen) return;
  if (an) FGruppen |= 1u << (i - 1);
  else FGruppen &= ~(1u << (i - 1));
}

std::uint32_t TMitglied::SetzeGruppenBits(const std::string& text) {
  for (std::size_t p = 0; p < text.size() && p < static_cast<std::size_t>(kGruppen); ++p) {
    if (text[p] == '0') SetzeGruppe(static_cast<int>(p) + 1, false);
    else if (text[p] == '1') SetzeGruppe(static_cast<int>(p) + 1, true);
  }
  return FGruppen;
}

bool TMitglied::InAbteilung(const std::string& filter) const {
  const std::string f = Trim(filter);
  const std::string abteilungen = Trim(FAbteilungen);
  if (f == "*") return true;
  if (f.empty()) return abteilungen.empty();
  const std::string suche = GrossVergleich(f) + ",";
  const int anzahl = std::min(255, FeldAnzahl(abteilungen, ","));
  for (int i = 1; i <= anzahl; ++i) {
    std::string eintrag = GrossVergleich(Trim(Feld(abteilungen, ",", i))) + ",";
    if (eintrag.size() > 1 && suche.find(eintrag) != std::string::npos) return true;
  }
  return false;
}

int TMitglied::ErmittleZahltFuer(bool nurSelektierte) {
  FZahltFuer.clear();
  if (!FListe) return 0;
  for (const auto& m : FListe->FMitglieder) {
    if (nurSelektierte && !m->FSelektiert) continue;
    if (ZahltFuer(*this, *m)) FZahltFuer.push_back(m.get());
  }
  return static_cast<int>(FZahltFuer.size());
}

bool HatZahlerVerweis(const TMitglied& m) { return m.FZahlart == zaMitfinanziert && m.Zahler(); }

TMitglied* ZahlerVon(TMitglied& m) { return HatZahlerVerweis(m) ? m.Zahler()->GetZiel() : nullptr; }

bool ZahltFuer(const TMitglied& zahler, TMitglied& mitglied) {
  if (zahler.FZahlart == zaMitfinanziert) return false;
  return &zahler == &mitglied || ZahlerVon(mitglied) == &zahler;
}

bool GleichesMitglied(const TMitglied& a, const TMitglied& b) {
  return a.FMitgliedsnummer == b.FMitgliedsnummer && a.FGeburtsdatum == b.FGeburtsdatum &&
         a.FEintrittsdatum == b.FEintrittsdatum;
}

// --- the two member lists ---

TMitglied& TMitgliederListe::Anhaengen(std::unique_ptr<TMitglied> m) {
  return Einfuegen(Anzahl(), std::move(m));
}

TMitglied& TMitgliederListe::Einfuegen(int index, std::unique_ptr<TMitglied> m) {
  index = std::clamp(index, 0, Anzahl());
  m->SetzeListe(FListe);
  m->FArchiviert = FArchiv;
  TMitglied& neu = *m;
  FElemente.insert(FElemente.begin() + index, std::move(m));
  Nummerieren(static_cast<std::size_t>(index));
  return neu;
}

std::unique_ptr<TMitglied> TMitgliederListe::Herausnehmen(TMitglied& m) {
  if (m.FIndex < 0 || m.FIndex >= Anzahl() || FElemente[static_cast<std::size_t>(m.FIndex)].get() != &m)
    return nullptr;
  auto pos = FElemente.begin() + m.FIndex;
  std::unique_ptr<TMitglied> heraus = std::move(*pos);
  FElemente.erase(pos);
  Nummerieren(static_cast<std::size_t>(heraus->FIndex));
  heraus->FIndex = -1;
  heraus->FArchiviert = false;
  return heraus;
}

void TMitgliederListe::Leeren() {
  FElemente.clear();
  if (FListe && !FArchiv) FListe->IndexVeraltet();
}

void TMitgliederListe::Nummerieren(std::size_t ab) {
  for (std::size_t i = ab; i < FElemente.size(); ++i) FElemente[i]->FIndex = static_cast<int>(i);
  if (FListe && !FArchiv) FListe->IndexVeraltet();
}

}  // namespace zaq
