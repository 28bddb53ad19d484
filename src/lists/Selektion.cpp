#include "lists/Selektion.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

// Neither keeps the remembered answer from being used: the marks change,
// the question stays answered.
void SelektionAufheben(TZAQ& liste) {
  for (const auto& m : liste.FMitglieder)
    if (m->FSelektiert) m->SetzeSelektiert(false);
  liste.Geaendert();
}

void SelektionUmkehren(TZAQ& liste) {
  for (const auto& m : liste.FMitglieder) m->SetzeSelektiert(!m->FSelektiert);
  liste.Geaendert();
}

// --- selection list files ---

namespace {

// The lines of a text file; CR LF or LF end a line, a last line may lack one.
std::vector<std::string_view> Zeilen(std::string_view text) {
  std::vector<std::string_view> zeilen;
  while (!text.empty()) {
    const std::size_t ende = text.find('\n');
    std::string_view zeile = text.substr(0, ende);
    if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
    zeilen.push_back(zeile);
    if (ende == std::string_view::npos) break;
    text.remove_prefix(ende + 1);
  }
  return zeilen;
}

// A decimal number with an optional sign; none when the text is no number,
// and a number beyond 64 bits as a value no member can have.
struct Gelesen {
  bool zahl = false;
  std::optional<std::int64_t> wert;
};
Gelesen LiesZahl(std::string_view text) {
  const std::string t = Trim(text);
  std::string_view ziffern = t;
  if (!ziffern.empty() && (ziffern.front() == '-' || ziffern.front() == '+')) ziffern.remove_prefix(1);
  if (ziffern.empty() || !std::all_of(ziffern.begin(), ziffern.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  std::int64_t wert = 0;
  const char* anfang = t.data() + (t.front() == '+' ? 1 : 0);
  const auto [ende, fehler] = std::from_chars(anfang, t.data() + t.size(), wert);
  if (fehler != std::errc() || ende != t.data() + t.size()) return {true, std::nullopt};
  return {true, wert};
}

std::int64_t Pruefwert(const TMitglied& m) {
  return static_cast<std::int64_t>(m.FGeburtsdatum) + static_cast<std::int64_t>(m.FEintrittsdatum);
}

}  // namespace

Selektionslesen LeseSelektionsliste(std::string_view inhalt, TSelektionsliste& liste) {
  liste = {};
  const auto zeilen = Zeilen(inhalt);
  if (zeilen.empty()) return Selektionslesen::Ungueltig;
  if (zeilen[0] == kSelektionKennungAlt) liste.altesFormat = true;
  else if (zeilen[0] != kSelektionKennung) return Selektionslesen::Ungueltig;
  if (zeilen.size() < 3) return Selektionslesen::Ungueltig;
  liste.beschreibung = Cp1252ZuUtf8(zeilen[1]);
  liste.verein = Cp1252ZuUtf8(zeilen[2]);
  for (std::size_t i = 3; i < zeilen.size(); i += 2) {
    const Gelesen nummer = LiesZahl(zeilen[i]);
    if (!nummer.wert || *nummer.wert < 0 || *nummer.wert > 65535) return Selektionslesen::Beschaedigt;
    if (i + 1 >= zeilen.size()) return Selektionslesen::Beschaedigt;
    Gelesen pruef = LiesZahl(zeilen[i + 1]);
    if (!pruef.zahl) return Selektionslesen::Beschaedigt;
    if (pruef.wert && liste.altesFormat) {
      // Far below any member's dates: no overflow, no match.
      pruef.wert = *pruef.wert < INT64_MIN + kSelektionVersatzAlt ? std::nullopt
                                                                  : std::optional(*pruef.wert - kSelektionVersatzAlt);
    }
    liste.paare.push_back({static_cast<std::uint16_t>(*nummer.wert), pruef.wert});
  }
  return Selektionslesen::Ok;
}

bool SpeichereSelektion(const TZAQ& liste, const std::string& datei) {
  // Another spelling or a link of the member file must not overwrite it.
  if (liste.HatDateiname() && plattform::GleicheDatei(liste.FDateiname, datei)) {
    Meldung("Diese Datei ist bereits geöffnet.", MeldungsArt::Fehler);
    return false;
  }
  std::string text = std::string(kSelektionKennung) + "\r\n" + liste.FBeschreibung + "\r\n" +
                     liste.FStammdaten.FVereinsname + "\r\n";
  for (const auto& m : liste.FMitglieder)
    if (m->FSelektiert)
      text += std::to_string(m->FMitgliedsnummer) + "\r\n" + std::to_string(Pruefwert(*m)) + "\r\n";
  const std::string cp = Utf8ZuCp1252(text);
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(cp.data()),
                                      cp.size())) {
    Meldung("Kann " + datei + " nicht anlegen.", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

int LadeSelektion(TZAQ& liste, const std::string& datei, bool fragen) {
  plattform::Bytes bytes;
  if (!plattform::DateiExistiert(datei) || !plattform::LeseDatei(plattform::Pfad(datei), bytes)) {
    Meldung("Kann die gewünschte Selektionsliste nicht öffnen.", MeldungsArt::Fehler);
    return -1;
  }
  // The whole file is checked before a mark changes.
  TSelektionsliste sel;
  switch (LeseSelektionsliste(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), sel)) {
    case Selektionslesen::Ungueltig:
      Meldung("Die Datei beinhaltet keine gültige Selektionsliste.", MeldungsArt::Fehler);
      return -1;
    case Selektionslesen::Beschaedigt:
      Meldung("Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden",
              MeldungsArt::Fehler);
      return -1;
    case Selektionslesen::Ok: break;
  }
  if (fragen && sel.beschreibung != liste.FBeschreibung &&
      Meldung("Die Selektionsliste verweist nicht auf die momentan geöffnete Mitgliederdatei.\r\n"
              "Wollen Sie trotzdem fortfahren?",
              MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
    return -1;
  if (fragen && sel.verein != liste.FStammdaten.FVereinsname &&
      Meldung("Der in der Selektionsliste angegebene Verein ist nicht der momentan geöffnete Verein.\r\n"
              "Wollen Sie trotzdem fortfahren?",
              MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
    return -1;
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Selektiere Datensätze");
  // Numbers are looked up before any mark changes: every change makes the
  // list's own index stale.
  std::vector<TMitglied*> gefunden;
  gefunden.reserve(sel.paare.size());
  for (const auto& p : sel.paare) gefunden.push_back(liste.SucheNummer(p.nummer));
  SelektionAufheben(liste);
  int nichtGefunden = 0;
  for (std::size_t i = 0; i < sel.paare.size(); ++i) {
    const auto& p = sel.paare[i];
    TMitglied* m = gefunden[i];
    if (!m || !p.pruefwert || Pruefwert(*m) != *p.pruefwert) ++nichtGefunden;
    else liste.SetzeSelektion(*m, true);
  }
  liste.FNurSelektierteAntwort = 0;
  return nichtGefunden;
}

// --- only the selected members? ---

std::string SelektionsText(int anzahl, int gesamt) {
  if (anzahl == 1) return "Momentan ist eins von " + std::to_string(gesamt) + " Mitgliedern selektiert.";
  return "Momentan sind " + std::to_string(anzahl) + " von " + std::to_string(gesamt) + " Mitgliedern selektiert.";
}

int FrageNurSelektierte(TZAQ& liste) {
  const int anzahl = liste.AnzahlSelektierte();
  if (anzahl == 0) return 1;
  if (liste.FNurSelektierteAntwort != 0) return liste.FNurSelektierteAntwort;
  TfrmZAQSelFrage d;
  d.FText = SelektionsText(anzahl, liste.AnzahlMitglieder());
  d.FSelektiertZuerst = LeseEinstellung(esSelektion) == "1";
  if (!UI().Dialog(d) || d.FAntwort < 1 || d.FAntwort > 2) return 0;
  SchreibeEinstellungZahl(esSelektion, d.FAntwort == 2 ? 1 : 0);
  if (d.FAntwortMerken) liste.FNurSelektierteAntwort = d.FAntwort;
  return d.FAntwort;
}

// --- the full selection ---

namespace {

bool IstStern(const std::string& s) { return s == "*"; }
bool GueltigesDatumFeld(const std::string& s) { return IstStern(s) || TextZuDatum(s).has_value(); }
bool GueltigeZahlFeld(const std::string& s) { return IstStern(s) || (!s.empty() && NurZiffern(s)); }

// A whole number of digits, capped where no member reaches it.
std::int64_t Zahlwert(const std::string& s) {
  std::int64_t n = 0;
  for (char c : s) n = std::min<std::int64_t>(n * 10 + (c - '0'), 1'000'000'000);
  return n;
}

bool TextImBereich(const std::string& wert, const std::string& von, const std::string& bis) {
  if (!IstStern(von) && VergleicheTextOhneGross(wert, von) < 0) return false;
  if (!IstStern(bis) && VergleicheTextOhneGross(wert, bis) > 0) return false;
  return true;
}

bool ZahlImBereich(std::int64_t wert, const std::string& von, const std::string& bis) {
  if (!IstStern(von) && wert < Zahlwert(von)) return false;
  if (!IstStern(bis) && wert > Zahlwert(bis)) return false;
  return true;
}

bool DatumImBereich(double wert, const std::string& von, const std::string& bis) {
  if (!IstStern(von) && wert < *TextZuDatum(von)) return false;
  if (!IstStern(bis) && wert > *TextZuDatum(bis)) return false;
  return true;
}

std::optional<bool> LiesJaNein(std::string_view w) {
  if (w == "1" || w == "ja" || w == "true") return true;
  if (w == "0" || w == "nein" || w == "false") return false;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> TSelektionskriterien::Pruefe() const {
  const struct {
    bool gueltig;
    const char* meldung;
  } felder[] = {
      {GueltigesDatumFeld(GeburtsdatumVon), "Ungültiges Von-Geburtsdatum."},
      {GueltigesDatumFeld(GeburtsdatumBis), "Ungültiges Bis-Geburtsdatum."},
      {GueltigeZahlFeld(AlterVon), "Ungültiges Von-Alter."},
      {GueltigeZahlFeld(AlterBis), "Ungültiges Bis-Alter."},
      {GueltigesDatumFeld(EintrittsdatumVon), "Ungültiges Von-Eintrittsdatum."},
      {GueltigesDatumFeld(EintrittsdatumBis), "Ungültiges Bis-Eintrittsdatum."},
      {GueltigesDatumFeld(AustrittsdatumVon), "Ungültiges Von-Austrittsdatum."},
      {GueltigesDatumFeld(AustrittsdatumBis), "Ungültiges Bis-Austrittsdatum."},
      {GueltigeZahlFeld(MitgliedschaftVon), "Ungültige Von-Mitgliedschaft."},
      {GueltigeZahlFeld(MitgliedschaftBis), "Ungültige Bis-Mitgliedschaft."},
      {GueltigeZahlFeld(EhrungVon), "Ungültige Von-Ehrung."},
      {GueltigeZahlFeld(EhrungBis), "Ungültige Bis-Ehrung."},
      {Trim(ErstbuchungVon).empty() || GueltigesDatumFeld(ErstbuchungVon), "Ungültiges Von-Erstbuchungsdatum."},
      {GueltigesDatumFeld(ErstbuchungBis), "Ungültiges Bis-Erstbuchungsdatum."},
      {GueltigesDatumFeld(ErstelltVon), "Ungültiges Von-Erstelldatum"},
      {GueltigesDatumFeld(ErstelltBis), "Ungültiges Bis-Erstelldatum"},
      {GueltigesDatumFeld(GeaendertVon), "Ungültiges Von-Änderungsdatum"},
      {GueltigesDatumFeld(GeaendertBis), "Ungültiges Bis-Änderungsdatum"},
  };
  for (const auto& f : felder)
    if (!f.gueltig) return std::string(f.meldung);
  return std::nullopt;
}

bool TSelektionskriterien::Setze(std::string_view name, std::string_view wert) {
  const std::string w(wert);
  std::string* texte[][2] = {
      {&NachnameVon, &NachnameBis},       {&PLZVon, &PLZBis},
      {&WohnortVon, &WohnortBis},         {&LandVon, &LandBis},
      {&GeburtsdatumVon, &GeburtsdatumBis}, {&AlterVon, &AlterBis},
      {&EintrittsdatumVon, &EintrittsdatumBis}, {&MitgliedschaftVon, &MitgliedschaftBis},
      {&AustrittsdatumVon, &AustrittsdatumBis}, {&EhrungVon, &EhrungBis},
      {&BezahltVon, &BezahltBis},         {&BLZVon, &BLZBis},
      {&ErstbuchungVon, &ErstbuchungBis}, {&ErstelltVon, &ErstelltBis},
      {&GeaendertVon, &GeaendertBis},
  };
  static constexpr const char* kPaare[] = {"Nachname", "PLZ", "Wohnort", "Land", "Geburtsdatum",
                                           "Alter", "Eintrittsdatum", "Mitgliedschaft", "Austrittsdatum",
                                           "Ehrung", "Bezahlt", "BLZ", "Erstbuchung", "Erstellt", "Geaendert"};
  for (std::size_t i = 0; i < std::size(kPaare); ++i) {
    const std::string_view paar = kPaare[i];
    if (name == std::string(paar) + "Von") return *texte[i][0] = w, true;
    if (name == std::string(paar) + "Bis") return *texte[i][1] = w, true;
  }
  if (name == "Abteilung") return Abteilung = w, true;
  if (name == "Beitragsschluessel") return Beitragsschluessel = w, true;
  if (name == "Empfaengerkonto") return Empfaengerkonto = w, true;
  bool* schalter[] = {&Maenner, &Frauen, &Rechnung, &Lastschrift, &Mitfinanziert};
  static constexpr const char* kSchalter[] = {"Maenner", "Frauen", "Rechnung", "Lastschrift", "Mitfinanziert"};
  for (std::size_t i = 0; i < std::size(kSchalter); ++i)
    if (name == kSchalter[i]) {
      const auto an = LiesJaNein(wert);
      if (!an) return false;
      *schalter[i] = *an;
      return true;
    }
  if (name == "Ehrenmitglied") {
    if (wert == "egal") Ehrenmitglied = egal;
    else if (wert == "ja") Ehrenmitglied = ja;
    else if (wert == "nein") Ehrenmitglied = nein;
    else return false;
    return true;
  }
  if (name == "Gruppe") {
    if (wert == "*") return Gruppe = 0, true;
    const auto n = ZuZahl(wert);
    if (!n || *n < 1 || *n > kGruppen) return false;
    Gruppe = *n;
    return true;
  }
  return false;
}

TSelektion::TSelektion(TZAQ& liste, const TSelektionskriterien& k) : FListe(liste), FK(k) {}

std::optional<bool> TSelektion::Passt(const TMitglied& m) const {
  const TSelektionskriterien& k = FK;
  const Tag stichtag = FListe.FStammdaten.FAlterStichtag;
  if (!TextImBereich(m.FName, k.NachnameVon, k.NachnameBis)) return false;
  if (!TextImBereich(m.FPLZ, k.PLZVon, k.PLZBis)) return false;
  if (!TextImBereich(m.FOrt, k.WohnortVon, k.WohnortBis)) return false;
  if (!TextImBereich(m.FLand, k.LandVon, k.LandBis)) return false;
  if (!DatumImBereich(m.FGeburtsdatum, k.GeburtsdatumVon, k.GeburtsdatumBis)) return false;
  if (!ZahlImBereich(m.Alter(stichtag), k.AlterVon, k.AlterBis)) return false;
  if (!k.Maenner && m.FMaennlich) return false;
  if (!k.Frauen && !m.FMaennlich) return false;
  if (!DatumImBereich(m.FEintrittsdatum, k.EintrittsdatumVon, k.EintrittsdatumBis)) return false;
  if (!ZahlImBereich(m.Mitgliedsjahre(stichtag), k.MitgliedschaftVon, k.MitgliedschaftBis)) return false;
  if (!DatumImBereich(m.FAustrittsdatum, k.AustrittsdatumVon, k.AustrittsdatumBis)) return false;
  if (!ZahlImBereich(m.FEhrung, k.EhrungVon, k.EhrungBis)) return false;
  if (k.Ehrenmitglied == TSelektionskriterien::ja && !m.IstEhrenmitglied()) return false;
  if (k.Ehrenmitglied == TSelektionskriterien::nein && m.IstEhrenmitglied()) return false;
  if (!IstStern(k.Abteilung) && !m.InAbteilung(k.Abteilung)) return false;
  if (k.Gruppe != 0 && !m.InGruppe(k.Gruppe)) return false;
  if (!k.Rechnung && m.FZahlart == zaRechnung) return false;
  if (!k.Lastschrift && m.FZahlart == zaLastschrift) return false;
  if (!k.Mitfinanziert && m.FZahlart == zaMitfinanziert) return false;
  if (!IstStern(k.Beitragsschluessel) && VergleicheTextOhneGross(m.FBeitragsschluessel.wert, k.Beitragsschluessel) != 0)
    return false;
  for (const std::string* grenze : {&k.BezahltVon, &k.BezahltBis})
    if (!GueltigesDatumFeld(*grenze)) return std::nullopt;
  if (!DatumImBereich(m.FBezahltBis, k.BezahltVon, k.BezahltBis)) return false;
  if (const TMitgliedskonto* konto = m.Konto()) {
    if (!IstStern(k.Empfaengerkonto) && VergleicheTextOhneGross(konto->FEmpfaengerKonto.wert, k.Empfaengerkonto) != 0)
      return false;
    if (!TextImBereich(konto->FBLZ, k.BLZVon, k.BLZBis)) return false;
    if (Trim(k.ErstbuchungVon).empty()) {
      if (konto->FErstlastschrift > 0) return false;
    } else if (!DatumImBereich(konto->FErstlastschrift, k.ErstbuchungVon, k.ErstbuchungBis)) {
      return false;
    }
  }
  // Times from midnight of "from" to midnight of "to".
  if (!DatumImBereich(m.FErstelltVon.FZeit, k.ErstelltVon, k.ErstelltBis)) return false;
  if (!DatumImBereich(m.FGeaendertVon.FZeit, k.GeaendertVon, k.GeaendertBis)) return false;
  return true;
}

bool TSelektion::Nimmt(const TMitglied& m, bool passt) const {
  switch (FK.Option) {
    case TSelektionskriterien::oder: return passt || m.FSelektiert;
    case TSelektionskriterien::und: return passt && m.FSelektiert;
    case TSelektionskriterien::keine: break;
  }
  return passt;
}

std::optional<int> TSelektion::Zaehle() const {
  int anzahl = 0;
  for (const auto& m : FListe.FMitglieder) {
    const auto passt = Passt(*m);
    if (!passt) {
      Meldung("Ungültiges Bezahlt-Datum.", MeldungsArt::Fehler);
      return std::nullopt;
    }
    if (Nimmt(*m, *passt)) ++anzahl;
  }
  return anzahl;
}

std::string TSelektion::Frage(int w) const {
  const int p = FListe.AnzahlSelektierte(), n = FListe.AnzahlMitglieder();
  std::string text = w == 1 ? "Hiermit wird eins von " + std::to_string(n) + " Mitgliedern selektiert. "
                            : "Hiermit werden " + std::to_string(w) + " von " + std::to_string(n) +
                                  " Mitglieder selektiert. ";
  text += "\r\n";
  const bool gleich = w == 1 ? p == 1 : w == p;
  if (!gleich) text += "Die Anzahl der vorher selektierten Mitglieder lautet " + std::to_string(p) + ".\r\n";
  return text + "Wollen Sie fortfahren?";
}

void TSelektion::Anwenden() {
  std::vector<bool> neu;
  neu.reserve(static_cast<std::size_t>(FListe.AnzahlMitglieder()));
  // Decided for every member first: the option reads the marks before any changes.
  for (const auto& m : FListe.FMitglieder) neu.push_back(Nimmt(*m, Passt(*m).value_or(false)));
  std::size_t i = 0;
  for (const auto& m : FListe.FMitglieder) FListe.SetzeSelektion(*m, neu[i++]);
  FListe.FNurSelektierteAntwort = 0;
}

TfrmZAQSelGesamt::TfrmZAQSelGesamt(TZAQ& liste) : FListe(liste) {}

std::string TfrmZAQSelGesamt::Status() const {
  const int anzahl = FListe.AnzahlSelektierte();
  if (anzahl == 0) return "Momentan ist kein Mitglied selektiert.";
  return "Momentan sind " + std::to_string(anzahl) + " von " + std::to_string(FListe.AnzahlMitglieder()) +
         " Mitgliedern selektiert.";
}

bool TfrmZAQSelGesamt::OptionenMoeglich() const { return FListe.AnzahlSelektierte() > 0; }

void TfrmZAQSelGesamt::SetzeMaenner(bool an) {
  K.Maenner = an;
  if (!an && !K.Frauen) K.Frauen = true;
}

void TfrmZAQSelGesamt::SetzeFrauen(bool an) {
  K.Frauen = an;
  if (!an && !K.Maenner) K.Maenner = true;
}

void TfrmZAQSelGesamt::SetzeOption(TSelektionskriterien::Vorhanden option, bool an) {
  if (an) K.Option = option;
  else if (K.Option == option) K.Option = TSelektionskriterien::keine;
}

void TfrmZAQSelGesamt::SetzeErstbuchungVon(const std::string& text) {
  K.ErstbuchungVon = text;
  if (text.empty()) K.ErstbuchungBis = "*";
}

std::vector<std::string> TfrmZAQSelGesamt::Gruppenliste() const {
  std::vector<std::string> liste{"*"};
  const auto& stamm = FListe.FStammdaten;
  for (int i = 0; i < std::min<int>(stamm.FGruppenAnzahl, kGruppen); ++i)
    liste.push_back(stamm.FGruppenname[static_cast<std::size_t>(i)]);
  return liste;
}

bool TfrmZAQSelGesamt::OK() {
  if (auto fehler = K.Pruefe()) {
    Meldung(*fehler, MeldungsArt::Fehler);
    return false;
  }
  TSelektion s(FListe, K);
  const auto w = s.Zaehle();
  if (!w) return false;
  if (*w == 0) {
    Meldung("Es wurden keine Mitglieder gefunden, auf welche die gewählten Eigenschaften passen. ",
            MeldungsArt::Information);
    return false;
  }
  if (Meldung(s.Frage(*w), MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja) return false;
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Selektiere Datensätze");
  s.Anwenden();
  return true;
}

bool GesamtSelektion(TZAQ& liste) {
  TfrmZAQSelGesamt d(liste);
  return UI().Dialog(d);
}

TfrmZAQSelListe::TfrmZAQSelListe(TZAQ& liste) : FListe(liste) {
  FZeilen.reserve(static_cast<std::size_t>(liste.AnzahlMitglieder()));
  for (const auto& m : liste.FMitglieder)
    FZeilen.push_back({m.get(), m->MitgliedsnummerText(), m->NameKomplett(), m->Adresszeile(), m->FSelektiert});
}

void TfrmZAQSelListe::Umschalten(int zeile) {
  if (zeile >= 0 && zeile < static_cast<int>(FZeilen.size()))
    FZeilen[static_cast<std::size_t>(zeile)].selektiert = !FZeilen[static_cast<std::size_t>(zeile)].selektiert;
}

bool TfrmZAQSelListe::Geaendert() const {
  return std::any_of(FZeilen.begin(), FZeilen.end(), [](const Zeile& z) { return z.selektiert != z.mitglied->FSelektiert; });
}

void TfrmZAQSelListe::Uebernehmen() {
  for (const Zeile& z : FZeilen) FListe.SetzeSelektion(*z.mitglied, z.selektiert);
  FListe.FNurSelektierteAntwort = 0;
}

bool TfrmZAQSelListe::Schliessen() {
  if (Meldung(kUebernehmenFrage, MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja) return false;
  Uebernehmen();
  return true;
}

bool ListenSelektion(TZAQ& liste) {
  TfrmZAQSelListe d(liste);
  if (!UI().Dialog(d)) return false;
  d.Uebernehmen();
  return true;
}

}  // namespace zaq
