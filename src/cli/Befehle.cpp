#include "cli/Befehle.h"

#include <functional>
#include <map>

#include "base/Datum.h"
#include "base/Text.h"
#include "cli/BankBefehle.h"
#include "cli/BeitragsBefehle.h"
#include "cli/CliOberflaeche.h"
#include "cli/Demo.h"
#include "interaction/Einstellungen.h"
#include "store/Anmeldung.h"
#include "store/ZAQ.h"

namespace zaq::cli {
namespace {

constexpr const char* kHilfe =
    "Aufruf: zaq-cli BEFEHL [ARGUMENTE] [OPTIONEN]\n"
    "\n"
    "Befehle:\n"
    "  new DATEI            neue Mitgliederliste anlegen und als DATEI speichern\n"
    "  dump DATEI           ganze Liste als JSON ausgeben\n"
    "  resave EIN AUS       EIN öffnen und unter AUS speichern\n"
    "  demo DATEI [--members N] [--seed S]\n"
    "                       erfundenen Demoverein erzeugen (Vorgabe: 60 Mitglieder)\n"
    "  blz-import BBK-DATEI VERZ [--iban-regeln DATEI]\n"
    "                       ZAQ-BLZ.DAT und ZAQ-BLZ.IND aus der Bankleitzahlendatei der\n"
    "                       Bundesbank in VERZ erzeugen (nur Hauptdatensätze); die\n"
    "                       IBAN-Regeln (Zeilen \"BLZ;Regel*100+Version\") braucht eine\n"
    "                       Datei ohne Regelspalte; Bericht auf stdout\n"
    "  bank BLZ             Bank aus dem Bankverzeichnis des Programmverzeichnisses als\n"
    "                       JSON-Objekt: blz, bezeichnung, kurzbezeichnung, plz, ort, bic,\n"
    "                       pruefverfahren (Zahl; A0..E4 = 100..144),\n"
    "                       pruefverfahrenKennzeichen (\"06\", \"C1\"),\n"
    "                       pruefverfahrenImplementiert, ibanRegel, ibanRegelVersion,\n"
    "                       ibanRegelImplementiert; Exit 1: Bank unbekannt\n"
    "  konto BLZ KONTO      Kontonummer mit dem Prüfziffernverfahren der Bank prüfen;\n"
    "                       eine JSON-Zeile: blz, konto (10 Stellen), pruefverfahren,\n"
    "                       pruefverfahrenKennzeichen, ergebnis (\"gültig\", \"ungültig\",\n"
    "                       \"nicht prüfbar\", \"nicht implementiert\");\n"
    "                       Exit 0 gültig, 1 ungültig, 2 Eingabe fehlerhaft,\n"
    "                       3 nicht prüfbar, Verfahren nicht implementiert oder Bank unbekannt\n"
    "  fees DATEI [--date TT.MM.JJJJ] [--full-year] [--selected] [--zahlarten 0,1,2]\n"
    "                       Beitragslauf ohne Änderung der Datei; JSON-Objekt mit Summe\n"
    "                       (Cent), Zahlerliste (Mitgliedsnummer, Betrag in Cent,\n"
    "                       Verwendungszweck) und Hinweisliste (Mitgliedsnummer, Hinweise);\n"
    "                       Vorgaben: Stichtag der Beitragsberechnung, Zahlart 1 (Lastschrift)\n"
    "\n"
    "Optionen:\n"
    "  --yes                Fragen bestätigen statt ablehnen\n"
    "  --user NAME          Anmeldename\n"
    "  --password KENNWORT  Kennwort\n"
    "  --config VERZ        Einstellungsdatei aus VERZ verwenden\n"
    "  --iban-regeln DATEI  Tabelle der IBAN-Regeln für blz-import\n"
    "  --date TT.MM.JJJJ    Rechendatum für fees\n"
    "  --full-year          fees: vollen Jahresbeitrag berechnen\n"
    "  --selected           fees: nur selektierte Mitglieder\n"
    "  --zahlarten LISTE    fees: Zahlarten der Zahler (0 Rechnung, 1 Lastschrift, 2 mitfinanziert)\n";

struct Aufruf {
  std::string befehl;
  std::vector<std::string> argumente;
  bool ja = false;
  std::string benutzer, kennwort, konfiguration, ibanRegeln;
  bool mitBenutzer = false, mitKennwort = false;
  int mitglieder = 60;
  unsigned saat = 1;
  Beitragsaufruf beitraege;
};

struct Kontext {
  Aufruf& aufruf;
  std::ostream& aus;
  std::ostream& fehler;
  CliOberflaeche& ui;
};

using Befehl = std::function<int(Kontext&)>;

struct Beschreibung {
  std::size_t argumente;
  Befehl ausfuehren;
};

int Neu(Kontext& k) {
  auto liste = TZAQ::CreateNeu(true, true);
  return liste->SpeichernAls(k.aufruf.argumente[0], false) ? 0 : 1;
}

int Dump(Kontext& k) {
  auto liste = TZAQ::CreateAusDatei(k.aufruf.argumente[0]);
  if (!liste) return 1;
  Json j;
  liste->ZuJson(j);
  k.aus << j.dump(1) << '\n';
  return 0;
}

int Demo(Kontext& k) {
  auto liste = ErzeugeDemoverein(k.aufruf.mitglieder, k.aufruf.saat);
  return liste->SpeichernAls(k.aufruf.argumente[0], false) ? 0 : 1;
}

int Resave(Kontext& k) {
  auto liste = TZAQ::CreateAusDatei(k.aufruf.argumente[0]);
  if (!liste) return 1;
  return liste->SpeichernAls(k.aufruf.argumente[1], false) ? 0 : 1;
}

// The login dialog and the password question are answered from --user and
// --password; without them opening a file fails unless the settings log in.
void MeldeAn(CliOberflaeche& ui, const Aufruf& aufruf, std::ostream& fehler) {
  ui.DialogAntworten[std::string(TAnmeldeDialog::kArt)] = [&aufruf, &fehler](DialogDaten& d) {
    auto& anmeldung = static_cast<TAnmeldeDialog&>(d);
    if (!aufruf.mitBenutzer) {
      fehler << "Fehler: Für diese Datei ist eine Anmeldung erforderlich. Geben Sie --user und --password an "
                "oder hinterlegen Sie eine automatische Anmeldung in den Einstellungen.\n";
      return false;
    }
    const auto& zeilen = anmeldung.Zeilen();
    for (std::size_t i = 0; i < zeilen.size(); ++i)
      if (zeilen[i].benutzer->FLogin == aufruf.benutzer) return anmeldung.Waehle(static_cast<int>(i));
    fehler << "Fehler: Den Benutzer \"" << aufruf.benutzer << "\" gibt es in dieser Datei nicht.\n";
    return false;
  };
  ui.DialogAntworten[std::string(TKennwortDialog::kArt)] = [&aufruf](DialogDaten& d) {
    static_cast<TKennwortDialog&>(d).FKennwort = aufruf.kennwort;
    return true;
  };
}

const std::map<std::string, Beschreibung, std::less<>>& Befehle() {
  static const std::map<std::string, Beschreibung, std::less<>> befehle = {
      {"new", {1, Neu}},
      {"dump", {1, Dump}},
      {"resave", {2, Resave}},
      {"demo", {1, Demo}},
      {"blz-import", {2, [](Kontext& k) {
         return BLZImport(k.aufruf.argumente[0], k.aufruf.argumente[1], k.aufruf.ibanRegeln, k.aus);
       }}},
      {"bank", {1, [](Kontext& k) { return BankZeigen(k.aufruf.argumente[0], k.aus); }}},
      {"konto", {2, [](Kontext& k) { return KontoPruefen(k.aufruf.argumente[0], k.aufruf.argumente[1], k.aus); }}},
      {"fees", {1, [](Kontext& k) { return Beitraege(k.aufruf.argumente[0], k.aufruf.beitraege, k.aus); }}},
  };
  return befehle;
}

}  // namespace

int Run(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  Aufruf aufruf;
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& a = argumente[i];
    auto wert = [&](std::string& ziel) {
      if (i + 1 >= argumente.size()) return false;
      ziel = argumente[++i];
      return true;
    };
    if (a == "--yes") aufruf.ja = true;
    else if (a == "--user") {
      if (!wert(aufruf.benutzer)) return fehler << kHilfe, 2;
      aufruf.mitBenutzer = true;
    } else if (a == "--password") {
      if (!wert(aufruf.kennwort)) return fehler << kHilfe, 2;
      aufruf.mitKennwort = true;
    } else if (a == "--config") {
      if (!wert(aufruf.konfiguration)) return fehler << kHilfe, 2;
    } else if (a == "--members" || a == "--seed") {
      std::string text;
      auto zahl = wert(text) ? ZuZahl(text) : std::nullopt;
      if (!zahl || *zahl < 0 || (a == "--members" && *zahl > 65000)) return fehler << kHilfe, 2;
      if (a == "--members") aufruf.mitglieder = *zahl;
      else aufruf.saat = static_cast<unsigned>(*zahl);
    } else if (a == "--iban-regeln") {
      if (!wert(aufruf.ibanRegeln)) return fehler << kHilfe, 2;
    } else if (a == "--date") {
      std::string text;
      auto datum = wert(text) ? TextZuDatum(text) : std::nullopt;
      if (!datum) return fehler << kHilfe, 2;
      aufruf.beitraege.datum = *datum;
    } else if (a == "--full-year") {
      aufruf.beitraege.vollesJahr = true;
    } else if (a == "--selected") {
      aufruf.beitraege.nurSelektierte = true;
    } else if (a == "--zahlarten") {
      std::string text;
      if (!wert(text) || !LeseZahlarten(text, aufruf.beitraege.zahlarten)) return fehler << kHilfe, 2;
    } else if (a == "--help" || a == "-h") {
      aus << kHilfe;
      return 0;
    } else if (a.starts_with("--")) {
      fehler << "Unbekannte Option: " << a << "\n" << kHilfe;
      return 2;
    } else if (aufruf.befehl.empty()) aufruf.befehl = a;
    else aufruf.argumente.push_back(a);
  }
  auto it = Befehle().find(aufruf.befehl);
  if (it == Befehle().end()) {
    if (!aufruf.befehl.empty()) fehler << "Unbekannter Befehl: " << aufruf.befehl << "\n";
    fehler << kHilfe;
    return 2;
  }
  if (aufruf.argumente.size() != it->second.argumente) {
    fehler << kHilfe;
    return 2;
  }
  if (!aufruf.konfiguration.empty()) SetzeEinstellungsVerzeichnis(aufruf.konfiguration);
  CliOberflaeche ui(fehler, aufruf.ja);
  MeldeAn(ui, aufruf, fehler);
  OberflaecheSetzen setzen(ui);
  Kontext kontext{aufruf, aus, fehler, ui};
  int ergebnis = it->second.ausfuehren(kontext);
  if (!aufruf.konfiguration.empty()) SetzeEinstellungsVerzeichnis("");
  return ergebnis;
}

}  // namespace zaq::cli
