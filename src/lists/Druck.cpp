#include "lists/Druck.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "fees/Beitrag.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "lists/Tabelle.h"
#include "platform/Plattform.h"
#include "platform/Version.h"
#include "store/Benutzer.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"

namespace zaq {

int Naechste(double x) { return static_cast<int>(std::nearbyint(x)); }

namespace {

int Zahl(int code) {
  return LeseEinstellungZahl(code).value_or(static_cast<std::int32_t>(FeldZahl(EinstellungsVorgabe(code), ";", 1)));
}

}  // namespace

TSeitenmasse Seitenmasse(const TDruckerMasse& geraet) {
  const TDruckerMasse d = geraet.vorhanden ? geraet : TDruckerMasse{};
  const double v = static_cast<double>(d.VR) / d.VS, h = static_cast<double>(d.HR) / d.HS;
  TSeitenmasse m;
  m.oben = std::max(0, Naechste(Zahl(esDruckabstandOben) * v) - d.OY);
  m.links = std::max(0, Naechste(Zahl(esDruckabstandLinks) * h) - d.OX);
  m.rechts = std::max(0, Naechste(h * Zahl(esDruckabstandRechts)) - (d.PW - d.HR - d.OX));
  m.unten = std::max(0, Naechste(v * Zahl(esDruckabstandUnten)) - (d.PH - d.VR - d.OY));
  m.B = d.HR - m.links - m.rechts;
  m.H = d.VR - m.oben - m.unten;
  m.blockabstand = Naechste(v * Zahl(esBlockAbstand) / 100);
  m.mm = Naechste(v);
  m.dpi = d.dpi;
  m.drucker = geraet.vorhanden;
  return m;
}

TSchrift EinstellungsSchrift(int nummer) {
  // "Name;Größe;Farbe;Fett;Kursiv;Unterstrichen"; what cannot be read keeps
  // the parts read before it.
  const std::string wert = LeseEinstellung(nummer + 100);
  TSchrift s;
  s.name = Trim(Feld(wert, ";", 1));
  const auto zahl = [&](int i) -> std::optional<std::int64_t> {
    const std::string f = Trim(Feld(wert, ";", i));
    if (f.empty() || !NurZiffern(f)) return std::nullopt;
    return ZuZahl(f);
  };
  const auto groesse = zahl(2), farbe = zahl(3);
  if (!groesse || *groesse <= 0 || *groesse > 1000 || !farbe) {
    Meldung("Programmausführungsfehler beim Einstellen der Schriftart " + wert +
                ". Kontrollieren Sie bitte, ob die Schrift korrekt installiert ist!",
            MeldungsArt::Fehler);
    if (groesse && *groesse > 0 && *groesse <= 1000) s.groesse = static_cast<std::int32_t>(*groesse);
    return s;
  }
  s.groesse = static_cast<std::int32_t>(*groesse);
  s.farbe = static_cast<std::uint32_t>(*farbe);
  s.stil = static_cast<std::uint8_t>((Feld(wert, ";", 4) == "1" ? 1 : 0) | (Feld(wert, ";", 5) == "1" ? 2 : 0) |
                                     (Feld(wert, ";", 6) == "1" ? 4 : 0));
  return s;
}

// --- the page engine ---

TSeite::TSeite(TDruckgeraet& geraet) : FGeraet(geraet), FM(Seitenmasse(geraet.Masse())) {}

int TSeite::SetzeSchrift(int nummer, double faktor) { return SetzeSchrift(EinstellungsSchrift(nummer), faktor); }

int TSeite::SetzeSchrift(const TSchrift& schrift, double faktor) {
  FSchrift = schrift;
  FSchrift.groesse = std::max(1, Naechste(schrift.groesse * faktor));
  FGeraet.SetzeSchrift(FSchrift);
  FH = FGeraet.Zellenhoehe();
  return FH;
}

void TSeite::Vorschub(int& y, double faktor) { y += static_cast<int>(FH * faktor); }

void TSeite::DruckeText(int x, int& y, Ausrichtung ausrichtung, std::string_view text, double faktor) {
  switch (ausrichtung) {
    case kLinks:
      if (const auto tab = text.find('\t'); tab != std::string_view::npos) {
        FGeraet.Text(x, y, text.substr(0, tab));
        FGeraet.Text(x + 200, y, text.substr(tab + 1));
      } else {
        FGeraet.Text(x, y, text);
      }
      break;
    case kRechts: FGeraet.Text(x - FGeraet.TextBreite(text), y, text); break;
    case kMitte: FGeraet.Text(x + FGeraet.TextBreite(text) / 2, y, text); break;
  }
  Vorschub(y, faktor);
}

void TSeite::DruckeZelle(int x, int& y, int breite, std::string_view text, double faktor, Senkrecht senkrecht,
                         Ausrichtung waagrecht, int hoehe) {
  const std::string t = Ersetze(text, "\t", "»");
  const int w = FGeraet.TextBreite(t), th = FGeraet.TextHoehe(t);
  const int tx = waagrecht == kRechts ? x + breite - w : waagrecht == kMitte ? x + (breite - w) / 2 : x;
  const int ty = senkrecht == kUnten ? y + hoehe - th : senkrecht == kMittig ? y + (hoehe - th) / 2 : y;
  if (breite > 0 && hoehe > 0 && !t.empty()) FGeraet.TextGeschnitten(x, y, x + breite, y + hoehe, tx, ty, t);
  y += static_cast<int>(hoehe * faktor);
}

void TSeite::DruckeLinie(int& y, int x1, int x2, bool doppelt, double faktor, int stift) {
  Vorschub(y, faktor / 2);
  const int breite = std::max(1, stift);
  FGeraet.Linie(x1, y, x2, y, breite);
  if (doppelt) {
    y += Naechste(breite * 5.0);
    FGeraet.Linie(x1, y, x2, y, breite);
  }
  Vorschub(y, faktor / 2);
}

void TSeite::Schattiere(int x, int y, int breite, std::uint32_t farbe, int hoehe) {
  FGeraet.Rechteck(x, y, x + breite, y + hoehe, farbe);
}

void TSeite::Seitenkopf(const std::string& verein, const std::vector<std::string>& links, int seite,
                        const std::vector<std::string>& rechts, int& y) {
  y = FM.oben;
  const int x = FM.links, b = FM.B;
  const int stift = FM.mm / 5;
  if (seite >= 2) {
    const int s = std::max(SetzeSchrift(2), SetzeSchrift(3));
    int z = y;
    SetzeSchrift(3);
    DruckeZelle(x, z, b, links.empty() ? std::string() : links[0], 0, kUnten, kLinks, s);
    SetzeSchrift(2);
    DruckeZelle(x, y, b, "Seite " + std::to_string(seite), 1, kUnten, kRechts, s);
    // The advance is the header's height, whichever font is current.
    y = FM.oben + s;
  } else {
    int s = SetzeSchrift(1);
    if (seite == 1) s = std::max(s, SetzeSchrift(2));
    int z = y;
    SetzeSchrift(1);
    DruckeZelle(x, z, b, verein, 0, kUnten, kLinks, s);
    if (seite == 1) {
      SetzeSchrift(2);
      z = y;
      DruckeZelle(x, z, b, "Seite 1", 0, kUnten, kRechts, s);
    }
    y += s;
    const int zeile = SetzeSchrift(3);
    DruckeLinie(y, x, x + b, false, 0.25, stift);
    for (std::size_t i = 0; i < std::max(links.size(), rechts.size()); ++i) {
      z = y;
      DruckeZelle(x, z, b, i < links.size() ? links[i] : std::string(), 0, kOben, kLinks, zeile);
      DruckeZelle(x, y, b, i < rechts.size() ? rechts[i] : std::string(), 0, kOben, kRechts, zeile);
      y += zeile;
    }
  }
  const int s = SetzeSchrift(3);
  DruckeLinie(y, x, x + b, false, 0.25, stift);
  y += s;
}

std::string Programmzeile() { return "ZAQ32 " + Ausgabe(); }

bool PruefeDrucker() {
  if (UI().DruckerVorhanden()) return true;
  Meldung(kKeinDrucker, MeldungsArt::Fehler);
  return false;
}

namespace {

std::string Benutzername(const TZAQ& liste) {
  const TBenutzer* b = liste.AktuellerBenutzer();
  return "Benutzer: " + (b ? (b->FVollerName.empty() ? b->FLogin : b->FVollerName) : std::string());
}

std::string Stand(const TZAQ& liste) {
  return "Stand: " + DatumText(static_cast<Tag>(std::floor(GueltigeZeit(liste.FGeaendertAm))));
}

TSchrift AlsSchrift(const TFormat& f) { return f.Schrift(); }

// The wait window's progress and its cancel button.
bool Abgebrochen(double anteil) {
  Warten().Fortschritt(anteil);
  Warten().Verarbeiten();
  return Warten().AbbruchGewuenscht();
}

}  // namespace

// --- tables ---

TTabellendruck Tabellendruck(const TTabelle& tabelle) {
  TTabellendruck d;
  d.titel = tabelle.FKopfLinks[0];
  d.von = 1;
  d.bis = std::max(1, tabelle.Zeilenzahl());
  const std::uint8_t o = tabelle.Vorlage().FDruckOptionen;
  d.skalierung = (o & tdNichtSkalieren) ? tdNichtSkalieren : (o & tdAnpassen) ? tdAnpassen : tdVerkleinern;
  return d;
}

bool DruckeTabelle(TTabelle& tabelle, const TTabellendruck& druck, TDruckgeraet& geraet) {
  TSeite s(geraet);
  const TSeitenmasse& M = s.M();
  const bool schattierung = Zahl(esSchattierung) == 1;
  const auto farbe = static_cast<std::uint32_t>(Zahl(esSchattierfarbe));
  const int block = Zahl(esBlockEintraege);
  const double z = Zahl(esZeilenabstand) / 100.0;
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Drucke Tabelle");

  const std::uint8_t optionen =
      static_cast<std::uint8_t>((tabelle.Vorlage().FDruckOptionen & ~(tdNichtSkalieren | tdAnpassen | tdVerkleinern)) |
                                druck.skalierung);
  const int spalten = tabelle.Spaltenzahl();
  const std::vector<int>& raster = tabelle.Breiten();
  const int T = std::max(1, tabelle.Gesamtbreite());
  std::vector<int> x(static_cast<std::size_t>(spalten)), w(static_cast<std::size_t>(spalten));
  for (int c = 0; c < spalten; ++c) {
    const auto i = static_cast<std::size_t>(c);
    const int g = i < raster.size() ? raster[i] : 0;
    w[i] = (optionen & tdNichtSkalieren) ? Naechste(static_cast<double>((g + 2) * M.dpi) / kBildschirmDpi)
                                         : Naechste(static_cast<double>(g) / T * M.B);
    x[i] = c == 0 ? 0 : x[i - 1] + w[i - 1];
    // A column beyond the page ends at its right margin.
    w[i] = std::clamp(w[i], 0, std::max(0, M.B - x[i]));
  }
  const double randmarke = static_cast<double>(kBildschirmDpi) * M.B / M.dpi;
  double f = randmarke / T;
  const TSchrift kopf = AlsSchrift(tabelle.Vorlage().FKopfFormat), koerper = AlsSchrift(tabelle.Vorlage().FTabellenFormat);
  if (optionen & tdProgrammSchrift) {
    s.SetzeSchrift(12);
    const int programm = std::max(1, geraet.TextBreite("xxxxxxxxxx"));
    s.SetzeSchrift(koerper);
    f = f / programm * geraet.TextBreite("xxxxxxxxxx");
  }
  if (optionen & tdNichtSkalieren) f = 1;
  if (optionen & tdVerkleinern) f = std::min(f, 1.0);
  const auto kopfSchrift = [&] { return (optionen & tdProgrammSchrift) ? s.SetzeSchrift(11, f) : s.SetzeSchrift(kopf, f); };
  const auto koerperSchrift = [&] {
    return (optionen & tdProgrammSchrift) ? s.SetzeSchrift(12, f) : s.SetzeSchrift(koerper, f);
  };

  const std::string verein = tabelle.Liste() ? tabelle.Liste()->FStammdaten.FVereinsname : std::string();
  const std::vector<std::string> links = {druck.titel, tabelle.FKopfLinks[1]};
  const std::vector<std::string> rechts = {tabelle.FKopfRechts[0], tabelle.FKopfRechts[1]};
  const int von = std::max(1, druck.von), bis = std::min(druck.bis, tabelle.Zeilenzahl());
  int y = 0;
  int h = s.SetzeSchrift(12);
  bool schatten = false, abgebrochen = false;
  for (int r = von; r <= bis; ++r) {
    // The row's whole band must fit above the bottom margin.
    if (y + std::max(h, static_cast<int>(h * z)) >= M.oben + M.H) {
      s.NeueSeite();
      y = 0;
    }
    if (y == 0) {
      s.Seitenkopf(verein, links, geraet.Seitennummer(), rechts, y);
      h = kopfSchrift();
      for (int c = 0; c < spalten; ++c) {
        int zy = y;
        s.DruckeZelle(M.links + x[static_cast<std::size_t>(c)], zy, w[static_cast<std::size_t>(c)],
                      tabelle.Zelle(0, c), 0, kOben, kLinks, h);
      }
      y += h;
      s.DruckeLinie(y, M.links, M.links + M.B, true, 0.25, M.mm / 10);
      h = koerperSchrift();
      schatten = false;
    }
    const int band = static_cast<int>(h * z);
    if (schatten) s.Schattiere(M.links, y, M.B, farbe, band);
    if (schattierung) schatten = !schatten;
    for (int c = 0; c < spalten; ++c) {
      int zy = y;
      s.DruckeZelle(M.links + x[static_cast<std::size_t>(c)], zy, w[static_cast<std::size_t>(c)],
                    tabelle.ZelleZeichnen(r, c), 0, kMittig, kLinks, band);
    }
    y += band;
    if (block > 0 && (r - von + 1) % block == 0) y += M.blockabstand;
    if ((r - von) % 64 == 0 && Abgebrochen(static_cast<double>(r - von + 1) / (bis - von + 1))) {
      abgebrochen = true;
      break;
    }
  }
  if (abgebrochen) {
    Meldung("Der Druckauftrag wurde abgebrochen.", MeldungsArt::Information);
    return false;
  }
  if (y <= M.oben + M.H - 3 * h) {
    y = M.oben + M.H - h;
    TSchrift klein = s.Schrift();
    klein.groesse /= 2;
    s.SetzeSchrift(klein);
    s.DruckeText(M.links + M.B, y, kRechts, Programmzeile(), 0);
  }
  return true;
}

// --- the sheets ---

namespace {

// Labels and values down a page that breaks to a new one with its header
// when a line would pass the bottom margin.
class TBlatt {
 public:
  TBlatt(TSeite& seite, double label, double wert, std::function<void(int)> kopf)
      : FS(seite), FLabel(seite.M().links + static_cast<int>(seite.M().B * label)),
        FWert(seite.M().links + static_cast<int>(seite.M().B * wert)), FKopf(std::move(kopf)) {}
  int y = 0;
  void Platz(double zeilen) {
    if (y + static_cast<int>(FS.h() * std::max(zeilen, 1.0)) <= FS.M().oben + FS.M().H) return;
    FS.NeueSeite();
    FKopf(FS.Geraet().Seitennummer());
  }
  void Titel(const std::string& text) {
    Platz(1.25);
    FS.DruckeText(FS.M().links, y, kLinks, text, 1.25);
  }
  void Wert(const std::string& label, const std::string& wert, double vorschub = 1.25, int labelX = -1) {
    Platz(vorschub);
    int ly = y;
    FS.DruckeText(labelX >= 0 ? labelX : FLabel, ly, kLinks, label, 0);
    FS.DruckeText(FWert, y, kLinks, wert, vorschub);
  }
  // A value under the previous one, without a label.
  void Weiter(const std::string& wert, double vorschub = 1.25) { Wert("", wert, vorschub); }
  void Vorschub(double faktor) { FS.Vorschub(y, faktor); }

 private:
  TSeite& FS;
  int FLabel, FWert;
  std::function<void(int)> FKopf;
};

std::string Zeit(const TVerweisBen& v) { return v.FZeit > 0 ? FormatDatum("dd.mm.yyyy, hh:nn:ss", v.FZeit) : ""; }

std::string Name(const TVerweisBen& v) {
  const TBenutzer* b = v.GetZiel();
  return "von " + (b ? b->FVollerName : v.FLogin);
}

bool Beitragsrecht(const TZAQ& liste) {
  const TBenutzer* b = liste.AktuellerBenutzer();
  return b && b->HatRecht(rBeitragsdatenAnzeigen);
}

std::string Betrag(float betrag) { return BetragText(std::max<std::int64_t>(0, RundeCent(betrag)), false) + " €"; }

}  // namespace

bool DruckeMitglied(TZAQ& liste, TMitglied& m, TDruckgeraet& geraet) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Drucke Mitglied");
  TSeite s(geraet);
  const std::string verein = liste.FStammdaten.FVereinsname;
  const std::string stand = Stand(liste);
  TBlatt b(s, 0.025, 0.3, [&](int seite) {
    s.Seitenkopf(verein, {"Einzelausdruck Mitgliedsdaten"}, seite, {stand}, b.y);
    s.SetzeSchrift(13);
  });
  s.Seitenkopf(verein, {"Einzelausdruck Mitgliedsdaten", Benutzername(liste)}, 0,
               {stand, "Ausdruck: " + DatumText(Heute())}, b.y);
  s.SetzeSchrift(13);
  Warten().ZeigeStatus("Drucke Mitgliedsdaten");

  b.Titel("Persönliche Daten");
  b.Wert("Mitgliedsnummer:", m.MitgliedsnummerText());
  b.Wert("Name:", m.NameKomplett());
  b.Wert("Geschlecht:", m.FMaennlich ? "männlich" : "weiblich");
  b.Wert("Straße:", m.FStrasse);
  b.Wert("Wohnort:", m.FPLZ + " " + m.FOrt);
  b.Wert("Telefon:", m.FTelefon);
  b.Wert("E-Mail:", m.FEMail);
  b.Wert("Geburtsdatum:", DatumText(m.FGeburtsdatum, true), 3);

  b.Titel("Vereinsbezogene Daten");
  b.Wert("Eintrittsdatum:", DatumText(m.FEintrittsdatum, true));
  b.Wert("Anrechnungsjahre:", std::to_string(m.FAnrechnung));
  b.Wert("Ehrung:", std::to_string(m.FEhrung));
  b.Wert("Ehrenmitglied:", m.FEhrenmitgliedSeit > 0 ? DatumText(m.FEhrenmitgliedSeit) : "nein");
  b.Wert("Abteilungen:", m.FAbteilungen);
  std::vector<std::string> gruppen;
  for (int g = 1; g <= kGruppen; ++g)
    if (m.InGruppe(g)) gruppen.push_back(liste.FStammdaten.FGruppenname[static_cast<std::size_t>(g - 1)]);
  if (gruppen.empty()) {
    b.Wert("Gruppen:", "", 3);
  } else {
    b.Wert("Gruppen:", gruppen[0]);
    for (std::size_t i = 1; i < gruppen.size(); ++i) b.Weiter(gruppen[i]);
    b.Vorschub(1.75 - 1.25);
  }
  if (Abgebrochen(0.5)) return false;

  if (Beitragsrecht(liste)) {
    b.Titel("Beitragstechnische Daten");
    b.Wert("Beitragsklasse:", BeitragsklasseText(m));
    const char* zahlart = m.FZahlart == zaRechnung      ? "Rechnung"
                          : m.FZahlart == zaLastschrift ? "Lastschrift"
                          : m.FZahlart == zaMitfinanziert ? "mitfinanziert"
                                                          : "";
    b.Wert("Zahlmethode:", zahlart);
    if (const TMitgliedskonto* k = m.Konto()) {
      b.Wert("Bankleitzahl:", BLZText(k->FBLZ));
      b.Wert("Kontonummer:", KontoText(k->FKontonummer));
      b.Wert("IBAN:", IBANText(k->FIBAN));
      b.Wert("SEPA-Mandat:", k->FMandatsreferenz);
      b.Wert("SEPA-Mand.-Datum:", DatumText(k->FMandatsdatum, true));
      b.Wert("Erstlastschrift:", k->FErstlastschrift > 0 ? DatumText(k->FErstlastschrift) : "noch nicht ausgeführt");
      TBank* bank = Bankverzeichnis();
      b.Wert("Geldinstitut:", bank ? bank->BezeichnungZu(k->FBLZ, k->FIBAN) : std::string());
      b.Wert("Kontoinhaber:", k->FInhaber);
      b.Wert("Empfängerkontoschl.:", k->FEmpfaengerKonto.wert);
    }
    if (const TMitglied* zahler = ZahlerVon(m)) b.Wert("Zahlende Mitgliedsnr.:", zahler->MitgliedsnummerText());
    b.Vorschub(3 - 1.25);
  }

  b.Titel("Datensatz-Info");
  b.Wert("Erstellt:", Name(m.FErstelltVon), 1);
  b.Weiter("am " + Zeit(m.FErstelltVon));
  b.Wert("Letzte Änderung:", Name(m.FGeaendertVon), 1);
  b.Weiter("am " + Zeit(m.FGeaendertVon), 3);
  return !Abgebrochen(1);
}

bool DruckeStammdaten(TZAQ& liste, TDruckgeraet& geraet) {
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Drucke Stammdaten");
  TSeite s(geraet);
  const TStammdaten& st = liste.FStammdaten;
  const std::string stand = Stand(liste);
  TBlatt b(s, 0.025, 0.3, [&](int seite) {
    s.Seitenkopf(st.FVereinsname, {"Vereinsstammdaten"}, seite, {stand}, b.y);
    s.SetzeSchrift(13);
  });
  const int alterX = s.M().links + static_cast<int>(s.M().B * 0.05);
  s.Seitenkopf(st.FVereinsname, {"Vereinsstammdaten", Benutzername(liste)}, 1,
               {stand, "Ausdruck: " + DatumText(Heute())}, b.y);
  s.SetzeSchrift(13);

  b.Titel("Dateiinformationen");
  b.Wert("Beschreibung:", liste.FBeschreibung);
  b.Wert("Dateierstellung:", DatumText(static_cast<Tag>(std::floor(GueltigeZeit(liste.FErstellt))), true));
  b.Wert("Letzte Änderung:", FormatDatum("dd.mm.yyyy, hh:nn:ss", GueltigeZeit(liste.FGeaendertAm)));
  const TFtpDaten& ftp = liste.FFtpDaten;
  if (ftp.FLetzteAktualisierung > 0)
    b.Wert("FTP-Aktualisierung:", FormatDatum("dd.mm.yyyy, hh:nn:ss", GueltigeZeit(ftp.FLetzteAktualisierung)));
  if (!Trim(ftp.FServer).empty()) b.Wert("FTP-Servername:", ftp.FServer);
  if (!Trim(ftp.FServerDatei).empty()) b.Wert("FTP-Dateiname:", ftp.FServerDatei);
  b.Wert("Anzahl von Aufrufen:", std::to_string(liste.FSchreibvorgaenge));
  b.Wert("Datensatzlänge:", "dynamisch");
  // A relative name (given on the command line) still shows where the file is.
  std::error_code fehler;
  auto pfad = std::filesystem::absolute(plattform::Pfad(liste.FDateiname), fehler);
  if (fehler) pfad = plattform::Pfad(liste.FDateiname);
  b.Wert("Mitgliederdatei:", plattform::PfadText(pfad.filename()));
  b.Wert("Verzeichnis:", plattform::PfadText(pfad.parent_path()), 2);

  b.Titel("Verwaltung der Datenbank");
  const TBenutzer* admin = liste.Administrator();
  b.Wert("Administrator:", admin ? admin->FVollerName : std::string());
  const TBenutzer* benutzer = liste.AktuellerBenutzer();
  b.Wert("Benutzer:", benutzer ? benutzer->FVollerName : std::string(), 2);

  b.Titel("Vereinsdaten");
  b.Wert("Vereinsbezeichnung:", st.FVereinsname);
  b.Wert("Ort des Vereins:", st.FVereinsPLZ + " " + st.FVereinsort);
  b.Wert("Gründungsdatum:", DatumText(st.FGruendungsdatum, true));
  b.Wert("Vereinsnummer:", st.FVereinsnummern, 2);

  b.Titel("Jubiläumslisten");
  b.Wert("Indiv. Geburtstage:", Ersetze(st.FGeburtstage, ";", ", "));
  b.Wert("Indiv. Ehrungen:", Ersetze(st.FEhrungen, ";", ", "), 2);

  for (const auto& k : st.FVereinskonten) {
    b.Titel("Vereinskonto " + k->FKontoSchluessel);
    b.Wert("Bezeichnung:", k->FBezeichnung);
    b.Wert("Gläubigername:", k->FInhaber);
    b.Wert("Gläubiger-ID:", k->FGlaeubigerID);
    b.Wert("Kontonummer:", KontoText(k->FKontonummer));
    b.Wert("Bankleitzahl:", BLZText(k->FBLZ));
    b.Wert("IBAN:", IBANText(k->FIBAN));
    b.Wert("Geldinstitut:", k->FBankname, 2);
  }
  if (Abgebrochen(0.5)) return false;

  if (Beitragsrecht(liste) && st.FBtrKlassen.Anzahl() > 0) {
    s.NeueSeite();
    s.Seitenkopf(st.FVereinsname, {"Vereinsstammdaten"}, geraet.Seitennummer(), {stand}, b.y);
    s.SetzeSchrift(13);
    const auto platz = [&] {
      if (b.y + 5 * geraet.TextHoehe("ABC0XYZ") < s.M().oben + s.M().H) return;
      s.NeueSeite();
      s.Seitenkopf(st.FVereinsname, {"Vereinsstammdaten"}, geraet.Seitennummer(), {stand}, b.y);
      s.SetzeSchrift(13);
    };
    for (const auto& k : st.FBtrKlassen) {
      platz();
      b.Titel("Beitragsklasse " + k->FSchluessel);
      b.Wert("Bezeichnung:", k->FBezeichnung);
      const auto& alter = k->FAltKlassen;
      if (k->FFamilienbeitrag) {
        b.Wert("Option:", "Familienbeitrag");
        b.Wert("DTA-Text:", alter.empty() ? std::string() : alter[0].FVerwendungszweck);
        b.Wert("Betrag:", alter.empty() ? std::string() : Betrag(alter[0].FBetrag));
        if (k->FFamilienIst != 0)
          b.Wert("Beschränkung:", "genau " + std::to_string(k->FFamilienIst) + " Erwachsene");
        if (k->FFamilienMax != 0)
          b.Wert("Beschränkung:", "maximal " + std::to_string(k->FFamilienMax) + " Erwachsene");
        if (k->FFamilienIst != 0 || k->FFamilienMax != 0)
          b.Wert("Erwachsen heißt:", "ab " + std::to_string(k->FFamilienAlter) + " Jahren");
      } else if (alter.size() < 2) {
        // A class may have no age class at all.
        b.Wert("Option:", "Festbetrag");
        b.Wert("DTA-Text:", alter.empty() ? std::string() : alter[0].FVerwendungszweck);
        b.Wert("Alter:", alter.empty() ? std::string() : "bis " + std::to_string(alter[0].FAlterBis) + " Jahre");
        b.Wert("Betrag:", alter.empty() ? std::string() : Betrag(alter[0].FBetrag), 1.2);
      } else {
        b.Wert("Option:", "Altersklassen");
        for (std::size_t i = 0; i < alter.size(); ++i) {
          platz();
          b.Wert("Altersklasse " + std::to_string(i + 1), "", 1.25);
          b.Wert("DTA-Text:", alter[i].FVerwendungszweck, 1.25, alterX);
          b.Wert("Alter:", "bis " + std::to_string(alter[i].FAlterBis) + " Jahre", 1.25, alterX);
          b.Wert("Betrag:", Betrag(alter[i].FBetrag), 1.2, alterX);
        }
      }
      b.Vorschub(0.75);
    }
  }
  return !Abgebrochen(1);
}

}  // namespace zaq
