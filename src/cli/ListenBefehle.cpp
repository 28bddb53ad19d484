#include "cli/ListenBefehle.h"

#include "base/Text.h"
#include "cli/BankBefehle.h"
#include "interaction/Oberflaeche.h"
#include "platform/Kodierung.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"

namespace zaq::cli {
namespace {

// The template of a name: a club template by exact title, a program
// template of the settings by title, a standard template by title (the
// first of two alike), a number 0 to 11 for a standard template.
struct Gefunden {
  TTabVorlage vorlage;
  bool standard = false;
};
std::optional<Gefunden> SucheVorlage(const TZAQ& liste, const std::string& name) {
  for (const auto& v : liste.FStammdaten.FTabVorlagen)
    if (v->FTitel == name) {
      return Gefunden{*v, false};
    }
  for (auto& v : Programmvorlagen())
    if (v.FTitel == name) return Gefunden{std::move(v), false};
  for (int n = 0; n < kStandardvorlagen; ++n) {
    TTabVorlage v;
    v.Standardvorlage(n);
    if (v.FTitel == name) return Gefunden{std::move(v), true};
  }
  if (const auto n = ZuZahl(name); n && *n >= 0 && *n < kStandardvorlagen && Trim(name) == name) {
    TTabVorlage v;
    v.Standardvorlage(*n);
    return Gefunden{std::move(v), true};
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<TTabelle> BaueTabelle(TZAQ& liste, const std::string& vorlage, Tag datum) {
  auto gefunden = SucheVorlage(liste, vorlage);
  if (!gefunden) {
    Meldung("Die Tabellenvorlage \"" + vorlage + "\" gibt es nicht.", MeldungsArt::Fehler);
    return nullptr;
  }
  TTabVorlage& v = gefunden->vorlage;
  // Standard tables take the age reference date for both dates, the others
  // the club's reference date and no calculation date.
  v.FBezugsdatum = datum > 0 ? datum : liste.FStammdaten.FAlterStichtag;
  v.FRechendatum = gefunden->standard ? v.FBezugsdatum : 0;
  auto t = std::make_unique<TTabelle>(liste, v, true);
  if ((v.FFilter & tfArchiv) && !t->Archivrecht()) {
    const TBenutzer* b = liste.AktuellerBenutzer();
    Meldung("Sie sind im Moment als " + (b ? b->FVollerName : std::string()) +
                " angemeldet und besitzen leider nicht das Recht auf Zugriff zum Archiv.",
            MeldungsArt::Information);
    return nullptr;
  }
  t->ZeilenWaehlen();
  if (t->Zeilenzahl() == 0) {
    Meldung("Es wurden keine Mitglieder gefunden, die den gewünschten Filterkriterien entsprechen.",
            MeldungsArt::Information);
    return nullptr;
  }
  t->Sortieren();
  if (!t->Fuellen()) return nullptr;
  t->Spaltenbreiten();
  return t;
}

int Tabelle(const Tabellenaufruf& a, std::ostream& aus) {
  // The bank column names banks from the program's directory.
  Befehlsverzeichnis verzeichnis;
  auto liste = TZAQ::CreateAusDatei(a.datei);
  if (!liste) return 1;
  const auto t = BaueTabelle(*liste, a.vorlage, a.datum);
  if (!t) return 1;
  aus << Utf8ZuCp1252(t->Text(a.form));
  return aus ? 0 : 1;
}

bool LeseKriterien(const std::string& text, TSelektionskriterien& k) {
  if (Trim(text).empty()) return true;
  for (int i = 1; i <= FeldAnzahl(text, ";"); ++i) {
    const std::string teil = Feld(text, ";", i);
    const auto gleich = teil.find('=');
    if (gleich == std::string::npos) return false;
    if (!k.Setze(Trim(teil.substr(0, gleich)), teil.substr(gleich + 1))) return false;
  }
  return true;
}

int Selektiere(const Selektionsaufruf& a) {
  auto liste = TZAQ::CreateAusDatei(a.datei);
  if (!liste) return 1;
  if (a.zuruecksetzen) SelektionAufheben(*liste);
  if (!a.liste.empty() && LadeSelektion(*liste, a.liste, true) < 0) return 1;
  if (a.kriterien) {
    TfrmZAQSelGesamt gesamt(*liste);
    gesamt.K = *a.kriterien;
    // The options need a selection to work on, as in the dialog.
    if (!gesamt.OptionenMoeglich()) gesamt.K.Option = TSelektionskriterien::keine;
    if (!gesamt.OK()) return 1;
  }
  if (a.umkehren) SelektionUmkehren(*liste);
  return liste->SpeichernAls(a.ziel, false) ? 0 : 1;
}

int SelektionSpeichern(const std::string& datei, const std::string& ziel) {
  auto liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  if (liste->AnzahlSelektierte() == 0) {
    Meldung("Momentan sind keine Mitgliedern selektiert.", MeldungsArt::Information);
    return 1;
  }
  return SpeichereSelektion(*liste, ziel) ? 0 : 1;
}

}  // namespace zaq::cli
