#include "cli/Befehle.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <optional>
#include <string_view>

#include "base/Datum.h"
#include "base/Text.h"
#include "cli/BankBefehle.h"
#include "cli/BeitragsBefehle.h"
#include "cli/CliOberflaeche.h"
#include "cli/Demo.h"
#include "cli/DruckBefehle.h"
#include "cli/FtpBefehle.h"
#include "cli/ListenBefehle.h"
#include "cli/SepaBefehle.h"
#include "cli/StatistikBefehle.h"
#include "cli/TransferBefehle.h"
#include "debits/sepa/SEPADirectDebit.h"
#include "lists/Sortierung.h"
#include "interaction/Einstellungen.h"
#include "platform/Version.h"
#include "store/Anmeldung.h"
#include "store/ZAQ.h"

namespace zaq::cli {
namespace {

struct Aufruf {
  std::string befehl;
  std::vector<std::string> argumente;
  bool ja = false;
  std::string benutzer, kennwort, konfiguration, ibanRegeln;
  bool mitBenutzer = false, mitKennwort = false;
  int mitglieder = 60;
  unsigned saat = 1;
  Tag datum = 0;
  std::string schema;
  Beitragsaufruf beitraege;
  std::optional<Sortierschluessel> schluessel;
  Exportform form = Exportform::Tabulator;
  EinzugAufruf einzug;
  Selektionsaufruf selektion;
  std::string mitgliederdatei;
  Druckaufruf druck;
  ImportAufruf import;
  StatistikAufruf statistik;
};

struct Kontext {
  Aufruf& aufruf;
  std::istream& ein;
  std::ostream& aus;
  std::ostream& fehler;
  CliOberflaeche& ui;
};

// An option: its name, the name of its value (none for a switch), its help
// line, and how the value is taken (false: the value is no valid one).
struct Option {
  std::string_view name;
  const char* wert;
  const char* hilfe;
  bool (*setze)(Aufruf& a, const std::string& wert);
};

const std::vector<Option>& Optionen() {
  static const std::vector<Option> optionen = {
      {"--yes", nullptr, "Fragen bestätigen statt ablehnen", [](Aufruf& a, const std::string&) { return a.ja = true; }},
      {"--user", "LOGIN", "Anmeldename",
       [](Aufruf& a, const std::string& w) {
         a.benutzer = w;
         return a.mitBenutzer = true;
       }},
      {"--password", "KENNWORT", "Kennwort",
       [](Aufruf& a, const std::string& w) {
         a.kennwort = w;
         return a.mitKennwort = true;
       }},
      {"--config", "VERZ", "die Einstellungsdatei \"zaq.ini\" aus VERZ verwenden",
       [](Aufruf& a, const std::string& w) {
         a.konfiguration = w;
         return true;
       }},
      {"--members", "N", "Anzahl der Mitglieder (Vorgabe 60, höchstens 65000)",
       [](Aufruf& a, const std::string& w) {
         auto n = ZuZahl(w);
         if (!n || *n < 0 || *n > 65000) return false;
         a.mitglieder = *n;
         return true;
       }},
      {"--seed", "S", "Startwert des Zufallsgenerators (Vorgabe 1)",
       [](Aufruf& a, const std::string& w) {
         auto n = ZuZahl(w);
         if (!n || *n < 0) return false;
         a.saat = static_cast<unsigned>(*n);
         return true;
       }},
      {"--iban-regeln", "DATEI", "Tabelle der IBAN-Regeln (Zeilen \"BLZ;Regel*100+Version\")",
       [](Aufruf& a, const std::string& w) {
         a.ibanRegeln = w;
         return true;
       }},
      {"--date", "TT.MM.JJJJ",
       "fees: Rechendatum (Vorgabe: Stichtag der Beitragsberechnung); sepa-xml: Fälligkeitstag; table: Bezugsdatum",
       [](Aufruf& a, const std::string& w) {
         auto datum = TextZuDatum(w);
         if (!datum) return false;
         a.datum = a.beitraege.datum = a.einzug.datum = *datum;
         return true;
       }},
      {"--schema", "SCHEMA", "pain.008.001.08 (Vorgabe), pain.008.001.02 oder pain.008.003.02",
       [](Aufruf& a, const std::string& w) {
         if (w != sepa::kPain00800108 && w != sepa::kPain00800102 && w != sepa::kPain00800302) return false;
         a.schema = w;
         return true;
       }},
      {"--keys", "K1,K2,...",
       "Sortierschlüssel: Spaltenart (21, -70) oder Text der Sortierauswahl (Nachname, -Eintrittsdatum); "
       "\"-\" absteigend",
       [](Aufruf& a, const std::string& w) {
         Sortierschluessel s;
         for (int i = 1; i <= FeldAnzahl(w, ","); ++i) {
           auto k = LeseSortierSchluessel(Feld(w, ",", i));
           if (!k) return false;
           s.push_back(*k);
         }
         a.schluessel = std::move(s);
         return true;
       }},
      {"--format", "FORM", "tab (Vorgabe), semicolon, comma oder rtf",
       [](Aufruf& a, const std::string& w) {
         const std::pair<const char*, Exportform> formen[] = {{"tab", Exportform::Tabulator},
                                                              {"semicolon", Exportform::Semikolon},
                                                              {"comma", Exportform::Komma},
                                                              {"rtf", Exportform::Rtf}};
         for (const auto& [name, form] : formen)
           if (w == name) return a.form = form, true;
         return false;
       }},
      {"--reset", nullptr, "zuerst jede Selektion aufheben",
       [](Aufruf& a, const std::string&) { return a.selektion.zuruecksetzen = true; }},
      {"--zas", "LISTE.zas", "Selektionsliste laden",
       [](Aufruf& a, const std::string& w) {
         a.selektion.liste = w;
         return true;
       }},
      {"--criteria", "\"NAME=WERT;...\"", "Kriterien der Gesamtselektion (Feldnamen des Dialogs, \"*\" = ungenutzt)",
       [](Aufruf& a, const std::string& w) {
         TSelektionskriterien k = a.selektion.kriterien.value_or(TSelektionskriterien{});
         if (!LeseKriterien(w, k)) return false;
         a.selektion.kriterien = k;
         return true;
       }},
      {"--or", nullptr, "vorhandene Selektion beibehalten (ODER)",
       [](Aufruf& a, const std::string&) {
         a.selektion.kriterien = a.selektion.kriterien.value_or(TSelektionskriterien{});
         a.selektion.kriterien->Option = TSelektionskriterien::oder;
         return true;
       }},
      {"--and", nullptr, "nur selektierte Mitglieder berücksichtigen (UND)",
       [](Aufruf& a, const std::string&) {
         a.selektion.kriterien = a.selektion.kriterien.value_or(TSelektionskriterien{});
         a.selektion.kriterien->Option = TSelektionskriterien::und;
         return true;
       }},
      {"--invert", nullptr, "zuletzt die Selektion umkehren",
       [](Aufruf& a, const std::string&) { return a.selektion.umkehren = true; }},
      {"--full-year", nullptr, "vollen Jahresbeitrag berechnen, gleich was bezahlt ist",
       [](Aufruf& a, const std::string&) { return a.beitraege.vollesJahr = a.einzug.vollesJahr = true; }},
      {"--selected", nullptr, "nur selektierte Mitglieder",
       [](Aufruf& a, const std::string&) { return a.beitraege.nurSelektierte = a.einzug.nurSelektierte = true; }},
      {"--konto", "SCHLÜSSEL", "Vereinskonto, das die Beiträge empfängt",
       [](Aufruf& a, const std::string& w) {
         a.einzug.konto = w;
         return !Trim(w).empty();
       }},
      {"--kontofilter", nullptr, "nur Zahler mit diesem Empfängerkonto (\"Empfängerkonto berücksichtigen\")",
       [](Aufruf& a, const std::string&) { return a.einzug.kontofilter = 1, true; }},
      {"--ohne-kontofilter", nullptr, "alle Zahler, gleich welches Empfängerkonto",
       [](Aufruf& a, const std::string&) { return a.einzug.kontofilter = 0, true; }},
      {"--real", nullptr, "vorläufige Zahldaten setzen und die Mitgliederdatei speichern",
       [](Aufruf& a, const std::string&) { return a.einzug.echt = true; }},
      {"--beschreibung", "TEXT", "Dateibeschreibung der Liste",
       [](Aufruf& a, const std::string& w) {
         a.einzug.beschreibung = w;
         return true;
       }},
      {"--zweck", "TEXT", "Verwendungszweck (Vorlage mit Platzhaltern)",
       [](Aufruf& a, const std::string& w) {
         a.einzug.zweck = w;
         return true;
       }},
      {"--mitglied", "NR", "das Mitgliedsblatt dieses aktiven Mitglieds drucken",
       [](Aufruf& a, const std::string& w) {
         const auto n = NurZiffern(w) ? ZuZahl(w) : std::nullopt;
         if (!n || *n < 1 || *n > 65535) return false;
         a.druck.mitglied = static_cast<std::uint16_t>(*n);
         return true;
       }},
      {"--stammdaten", nullptr, "das Stammdatenblatt drucken",
       [](Aufruf& a, const std::string&) { return a.druck.stammdaten = true; }},
      {"--zaq", "DATEI", "die Mitgliederdatei, aus der Mitglieder eingefügt werden",
       [](Aufruf& a, const std::string& w) {
         a.mitgliederdatei = w;
         return !w.empty();
       }},
      {"--dry-run", nullptr, "nur prüfen (Laden, Trenner, Spalten, Probelauf), nichts speichern",
       [](Aufruf& a, const std::string&) { return a.import.pruefen = true; }},
      {"--apply", nullptr, "importieren (die Frage des Imports wird bejaht) und DATEI speichern",
       [](Aufruf& a, const std::string&) { return a.import.anwenden = true; }},
      {"--fields", "N,N,...", "Feldnummern der Spalten von links (0 oder leer: Spalte ignorieren)",
       [](Aufruf& a, const std::string& w) { return LeseFelder(w, a.import.felder); }},
      {"--header-lines", "N", "Zahl der Kopfzeilen, 0 bis 100 (Vorgabe 1)",
       [](Aufruf& a, const std::string& w) {
         const auto n = NurZiffern(w) && w.size() <= 3 ? ZuZahl(w) : std::nullopt;
         if (!n || *n > 100) return false;
         a.import.kopfzeilen = *n;
         return true;
       }},
      {"--archive", nullptr, "ins Archiv importieren (ehemalige Mitglieder)",
       [](Aufruf& a, const std::string&) { return a.import.archiv = true; }},
      {"--glaettung", "N", "Breite der Glättung: 30, 15 (Vorgabe), 5, 3 oder 1",
       [](Aufruf& a, const std::string& w) {
         const auto n = NurZiffern(w) && w.size() <= 2 ? ZuZahl(w) : std::nullopt;
         if (!n || *n < 1 || *n > 30) return false;
         a.statistik.glaettung = *n;
         return true;
       }},
      {"--bestand", "ART,VON,BIS", "eine Zeile der Bestandszählung (ART alter, geburtsjahr oder geburtsdatum)",
       [](Aufruf& a, const std::string& w) { return LeseBestand(w, a.statistik.bestand); }},
      {"--abteilung", "TEXT", "Bestandszählung nur für diese Abteilung",
       [](Aufruf& a, const std::string& w) {
         a.statistik.abteilung = true;
         a.statistik.abteilungText = w;
         return true;
       }},
      {"--selektion", nullptr, "Bestandszählung nur für selektierte Mitglieder",
       [](Aufruf& a, const std::string&) { return a.statistik.selektion = true; }},
      {"--zahlarten", "LISTE", "Zahlarten der Zahler, z. B. 0,1 (0 Rechnung, 1 Lastschrift, 2 mitfinanziert; Vorgabe 1)",
       [](Aufruf& a, const std::string& w) { return LeseZahlarten(w, a.beitraege.zahlarten); }},
  };
  return optionen;
}

// Options every command takes.
constexpr std::string_view kAllgemein[] = {"--yes", "--user", "--password", "--config"};

const Option* SucheOption(std::string_view name) {
  for (const Option& o : Optionen())
    if (o.name == name) return &o;
  return nullptr;
}

struct Befehl {
  std::string_view name;
  std::vector<const char*> argumente;  // their names, in order
  const char* kurz;                    // one line in the list of commands
  const char* hilfe;                   // what the command does, for BEFEHL --help
  std::vector<std::string_view> optionen;  // besides the general ones
  std::function<int(Kontext&)> ausfuehren;
  std::size_t mindestens = 0;  // arguments that may be left out: all but this many (0: none)
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

int Aufruffehler(std::ostream& fehler, const std::string& text, const Befehl* b);
const Befehl* SucheBefehl(std::string_view name);

// Sorts like the program's sort commands, with the club's reference date,
// and saves like resave.
int Sortiere(Kontext& k) {
  if (!k.aufruf.schluessel) return Aufruffehler(k.fehler, "Die Option --keys fehlt.", SucheBefehl("sort"));
  auto liste = TZAQ::CreateAusDatei(k.aufruf.argumente[0]);
  if (!liste) return 1;
  if (!SortiereMitglieder(*liste, *k.aufruf.schluessel, 0)) return 1;
  return liste->SpeichernAls(k.aufruf.argumente[1], false) ? 0 : 1;
}

const std::vector<Befehl>& Befehle() {
  static const std::vector<Befehl> befehle = {
      {"new", {"DATEI"}, "neue Mitgliederliste (erstes Mitglied, Administrator)",
       "Legt eine neue Mitgliederliste mit einem ersten Mitglied und dem Benutzer \"Admin\" (ohne Kennwort) an\n"
       "und speichert sie als DATEI.",
       {}, Neu},
      {"dump", {"DATEI"}, "die ganze Liste als ein JSON-Objekt auf stdout",
       "Öffnet DATEI und gibt die ganze Liste als ein JSON-Objekt aus: jeder Datensatz als Objekt mit\n"
       "seinen Feldnamen, Texte als UTF-8, Bytefolgen hexadezimal, unbekannte Felder unter \"FUnbekannt\".",
       {}, Dump},
      {"resave", {"EIN", "AUS"}, "EIN öffnen und als AUS speichern", "Öffnet EIN und speichert die Liste als AUS.", {},
       Resave},
      {"sort", {"EIN", "AUS"}, "EIN nach Sortierschlüsseln sortieren und als AUS speichern",
       "Öffnet EIN, sortiert die Mitglieder wie die Sortierbefehle des Programms (stabil, mit dem Stichtag des\n"
       "Vereins) und speichert die Liste als AUS; sonst ändert sich nichts.  Jeder Schlüssel ist eine Spaltenart\n"
       "mit Vorzeichen (21 Nachname, -70 Austrittsdatum absteigend) oder ein Text der Sortierauswahl, mit \"-\"\n"
       "davor absteigend.  0 und Arten, die nicht sortierbar sind, vergleichen nichts.  \"nach Alter\" ist\n"
       "--keys 29,-28,21,22.  Ein anderer Schlüssel ist ein Aufruffehler (Exit 2), und nichts wird geschrieben.",
       {"--keys"}, Sortiere},
      {"table", {"DATEI", "VORLAGE"}, "Tabelle aus einer Vorlage, wie das Tabellenfenster sie speichert",
       "Erstellt die Tabelle der Vorlage und gibt sie genau so aus, wie das Tabellenfenster sie speichert:\n"
       "Windows-1252, jede Zeile mit CR LF.  VORLAGE ist der Titel einer Vereinsvorlage, einer Programmvorlage\n"
       "der Einstellungen oder einer Standardvorlage (in dieser Reihenfolge), oder die Nummer 0 bis 11 einer\n"
       "Standardvorlage.  Standardvorlagen rechnen mit --date oder dem Stichtag des Vereins als Bezugs- und\n"
       "Rechendatum, die übrigen mit --date oder dem Stichtag als Bezugsdatum und ohne Rechendatum.  Es gelten\n"
       "die Rechte des angemeldeten Benutzers.  Eine Tabelle ohne Zeilen oder Spalten oder eine Vorlage, die der\n"
       "Benutzer nicht verwenden darf: Meldung, Exit 1, nichts auf stdout.",
       {"--format", "--date"},
       [](Kontext& k) {
         return Tabelle({k.aufruf.argumente[0], k.aufruf.argumente[1], k.aufruf.form, k.aufruf.datum}, k.aus);
       }},
      {"select", {"DATEI", "AUS"}, "Mitglieder selektieren und als AUS speichern",
       "Setzt die Selektion der Mitglieder von DATEI und speichert die Liste als AUS; DATEI bleibt unverändert.\n"
       "Reihenfolge: --reset, --zas (Selektionsliste laden), --criteria (Gesamtselektion mit ihren Prüfungen,\n"
       "Zählung und Frage; ohne --yes wird sie verneint), --invert.  Kriteriennamen: NachnameVon/Bis,\n"
       "PLZVon/Bis, WohnortVon/Bis, LandVon/Bis, GeburtsdatumVon/Bis, AlterVon/Bis, Maenner, Frauen,\n"
       "EintrittsdatumVon/Bis, MitgliedschaftVon/Bis, AustrittsdatumVon/Bis, EhrungVon/Bis,\n"
       "Ehrenmitglied=egal|ja|nein, Abteilung, Gruppe=1..32, Rechnung, Lastschrift, Mitfinanziert,\n"
       "Beitragsschluessel, BezahltVon/Bis, Empfaengerkonto, BLZVon/Bis, ErstbuchungVon/Bis, ErstelltVon/Bis,\n"
       "GeaendertVon/Bis.  \"*\" heißt ungenutzt, ein leerer Wert ist ein Wert; Schalter nehmen 1 oder 0.\n"
       "Ein unbekannter Name ist ein Aufruffehler (Exit 2); ein ungültiges Feld, kein Treffer, eine verneinte\n"
       "Frage oder eine Selektionsliste, die nicht gelesen werden kann: Meldung, Exit 1, nichts geschrieben.",
       {"--reset", "--zas", "--criteria", "--or", "--and", "--invert"},
       [](Kontext& k) {
         Selektionsaufruf a = k.aufruf.selektion;
         a.datei = k.aufruf.argumente[0];
         a.ziel = k.aufruf.argumente[1];
         return Selektiere(a);
       }},
      {"select-save", {"DATEI", "LISTE.zas"}, "Selektion als Selektionsliste speichern",
       "Schreibt die Selektion von DATEI als Selektionsliste (.zas).  Ohne selektierte Mitglieder: Meldung,\n"
       "Exit 1.",
       {}, [](Kontext& k) { return SelektionSpeichern(k.aufruf.argumente[0], k.aufruf.argumente[1]); }},
      {"demo", {"DATEI"}, "erfundener Demoverein",
       "Erzeugt einen erfundenen Demoverein mit Beitragsklassen, Vereinskonten, gültigen Bankverbindungen\n"
       "und Mandaten und speichert ihn als DATEI.",
       {"--members", "--seed"}, Demo},
      {"fees", {"DATEI"}, "Beitragslauf als JSON; die Datei bleibt unverändert",
       "Rechnet die Beiträge aller Mitglieder von DATEI, ohne die Datei zu ändern, und gibt ein JSON-Objekt aus:\n"
       "Summe (Cent), Zahlerliste (Mitgliedsnummer, Betrag in Cent, Verwendungszweck) und Hinweisliste\n"
       "(Mitgliedsnummer, Hinweise).",
       {"--date", "--full-year", "--selected", "--zahlarten"},
       [](Kontext& k) { return Beitraege(k.aufruf.argumente[0], k.aufruf.beitraege, k.aus); }},
      {"beitragspruefung", {"DATEI"}, "Mitgliedsbeiträge überprüfen, mit Bericht, als JSON",
       "Überprüft die Beiträge wie das Fenster \"Mitgliedsbeiträge überprüfen\" (Zahlarten Rechnung und\n"
       "Lastschrift), ohne die Datei zu ändern, und gibt ein JSON-Objekt aus: Rechendatum, Summe (Cent),\n"
       "Hinweisliste (Mitgliedsnummer, Hinweise), Meldung (die Schlussmeldung) und Bericht (Anzahl, Summe,\n"
       "Beitragsklassen mit Schluessel, Anzahl, Summe und Altersklassen, Zeilen mit \";\" zwischen den\n"
       "Spalten).  --date: Vorgabe 31.12. dieses Jahres, ab Juli des nächsten.",
       {"--date", "--full-year", "--selected"},
       [](Kontext& k) { return Beitragspruefung(k.aufruf.argumente[0], k.aufruf.beitraege, k.aus); }},
      {"bank", {"BLZ"}, "Bank aus dem Bankverzeichnis als JSON",
       "Gibt die Bank aus dem Bankverzeichnis des Programmverzeichnisses als JSON-Objekt aus: blz, bezeichnung,\n"
       "kurzbezeichnung, plz, ort, bic, pruefverfahren (Zahl; A0..E4 = 100..144), pruefverfahrenKennzeichen\n"
       "(\"06\", \"C1\"), pruefverfahrenImplementiert, ibanRegel, ibanRegelVersion, ibanRegelImplementiert.\n"
       "Exit 1: Bank unbekannt; 2: keine Bankleitzahl.",
       {}, [](Kontext& k) { return BankZeigen(k.aufruf.argumente[0], k.aus); }},
      {"konto", {"BLZ", "KONTO"}, "Kontonummer prüfen",
       "Prüft die Kontonummer mit dem Prüfziffernverfahren der Bank und gibt eine JSON-Zeile aus: blz, konto\n"
       "(10 Stellen), pruefverfahren, pruefverfahrenKennzeichen, ergebnis (\"gültig\", \"ungültig\",\n"
       "\"nicht prüfbar\", \"nicht implementiert\").\n"
       "Exit 0 gültig, 1 ungültig, 2 Eingabe fehlerhaft, 3 nicht prüfbar, Verfahren nicht implementiert\n"
       "oder Bank unbekannt.",
       {}, [](Kontext& k) { return KontoPruefen(k.aufruf.argumente[0], k.aufruf.argumente[1], k.aus); }},
      {"iban", {"BLZ", "KONTO"}, "IBAN aus Bankleitzahl und Kontonummer",
       "Berechnet die IBAN aus Bankleitzahl und Kontonummer und gibt sie aus (22 Zeichen, ohne Leerzeichen).\n"
       "Das Programm berechnet nur IBAN von Banken mit der IBAN-Regel 0000.00.\n"
       "Exit 1: keine IBAN (Bank unbekannt oder andere IBAN-Regel); 2: Eingabe fehlerhaft.",
       {}, [](Kontext& k) { return IBANBerechnen(k.aufruf.argumente[0], k.aufruf.argumente[1], k.aus); }},
      {"iban-pruefen", {"IBAN"}, "IBAN prüfen",
       "Prüft Form und Prüfziffern der IBAN und gibt \"gültig\" oder \"ungültig\" aus.\n"
       "Exit 0 gültig, 1 ungültig.",
       {}, [](Kontext& k) { return IBANPruefen(k.aufruf.argumente[0], k.aus); }},
      {"slv-dump", {"LISTE"}, "SEPA-Buchungsliste (.slv) als JSON",
       "Gibt Kopf und Buchungen der SEPA-Buchungsliste als JSON-Objekt aus: Kopf (Kennung, Kontoschluessel, Datum,\n"
       "Sequenz, Beschreibung) und Buchungen (Name, IBAN, Mandatsreferenz, Mandatsdatum, Sequenz, Betrag in Cent,\n"
       "Kundenreferenz, Verwendungszweck).  Daten sind Tageszahlen mit der Uhrzeit als Bruch.",
       {}, [](Kontext& k) { return SlvDump(k.aufruf.argumente[0], k.aus); }},
      {"sepa-xml", {"MITGLIEDERDATEI", "LISTE", "AUS"}, "pain.008-Datei einer SEPA-Buchungsliste",
       "Prüft die Buchungsliste und schreibt die pain.008-Datei für die Bank; die Gläubigerdaten kommen aus dem\n"
       "Vereinskonto des Listenkopfs in der Mitgliederdatei.  Das Dokument wird nach den eigenen Regeln und gegen\n"
       "das amtliche XSD seines Schemas geprüft; bei Befunden stehen sie auf stderr, Exit 1, und nichts wird\n"
       "geschrieben.  Weder die Liste noch die Mitgliederdatei ändern sich.  Fälligkeitstag: morgen bis in\n"
       "14 Tagen (Vorgabe wie im Datumsdialog des Programms).",
       {"--schema", "--date"},
       [](Kontext& k) {
         return SepaXml({k.aufruf.argumente[0], k.aufruf.argumente[1], k.aufruf.argumente[2], k.aufruf.schema,
                         k.aufruf.datum},
                        k.aus);
       }},
      {"drucken", {"DATEI", "VORLAGE", "AUS.pdf"}, "Tabelle, Mitgliedsblatt oder Stammdaten als PDF drucken",
       "Druckt wie das Programm als PDF (A4): die Tabelle der VORLAGE (gesucht wie bei table, mit denselben\n"
       "Daten und Rechten) wie \"OK\" des Druckdialogs mit seinen Vorgaben (alle Zeilen, ein Exemplar, Titel und\n"
       "Skalierung der Vorlage, Hochformat); mit --mitglied NR (ohne VORLAGE) das Mitgliedsblatt, mit\n"
       "--stammdaten (ohne VORLAGE) die Vereinsstammdaten.  Ränder, Blöcke, Zeilenabstand, Schattierung und\n"
       "Schriften kommen aus den Einstellungen von --config.  Eine leere Tabelle, eine Vorlage ohne Spalten oder\n"
       "eine unbekannte oder verbotene Vorlage: Meldung, Exit 1, kein PDF.",
       {"--date", "--mitglied", "--stammdaten"},
       [](Kontext& k) {
         Druckaufruf a = k.aufruf.druck;
         const auto& arg = k.aufruf.argumente;
         const bool blatt = a.mitglied || a.stammdaten;
         if (blatt != (arg.size() == 2) || (a.mitglied && a.stammdaten))
           return Aufruffehler(k.fehler,
                               "drucken erwartet DATEI VORLAGE AUS.pdf, oder DATEI AUS.pdf mit --mitglied oder "
                               "--stammdaten.",
                               SucheBefehl("drucken"));
         a.datei = arg[0];
         a.vorlage = arg.size() == 3 ? arg[1] : std::string();
         a.ziel = arg.back();
         a.datum = k.aufruf.datum;
         return Drucke(a, k.ui);
       },
       2},
      {"slv-edit", {"LISTE"}, "SEPA-Buchungsliste wie im SEPA-Fenster bearbeiten",
       "Liest ein JSON-Feld von Operationen von stdin und führt sie aus wie das SEPA-Fenster; jede Änderung\n"
       "steht sofort in LISTE.  Operationen: {\"op\":\"hinzufuegen\"}; {\"op\":\"aendern\",\"nr\":i, Felder}\n"
       "mit Kontoinhaber, IBAN, Mandatsreferenz, Betrag (\"12,50\"), Mandatsdatum (TT.MM.JJJJ), Kundenreferenz,\n"
       "Verwendungszweck (fehlende Felder behalten, was die Buchung zeigt); {\"op\":\"entfernen\",\"nr\":i};\n"
       "{\"op\":\"sortieren\",\"schluessel\":1..6}; {\"op\":\"stammdaten\", Dateibeschreibung, Abbuchungsdatum,\n"
       "Sequenz (0|2), Kontoschluessel}; {\"op\":\"mitglied\",\"nummer\":\"17\"} (braucht --zaq);\n"
       "{\"op\":\"suchen\",\"text\":T,\"ab\":i}; {\"op\":\"speichern_unter\",\"datei\":PFAD}.  Fragen werden nur\n"
       "mit --yes bejaht.  Ausgabe: {\"Anzahl\", \"Gesamtbetrag\" (Cent), \"Gefunden\"}.  Die erste abgelehnte\n"
       "Operation beendet den Lauf mit Exit 1; die vorigen stehen in der Liste.  Eingabe, die kein JSON-Feld\n"
       "von Objekten ist: Exit 2, die Liste bleibt unverändert.",
       {"--zaq"},
       [](Kontext& k) { return SlvEdit(k.aufruf.argumente[0], k.aufruf.mitgliederdatei, k.ein, k.aus, k.fehler); }},
      {"einzug", {"MITGLIEDERDATEI", "AUS.slv"}, "Mitgliedsbeiträge in eine neue SEPA-Buchungsliste einziehen",
       "Zieht die Mitgliedsbeiträge wie der Assistent \"Mitgliedsbeiträge einziehen\" in eine neue Buchungsliste\n"
       "AUS.slv ein: eine Buchung je Lastschriftzahler mit Mandat, Kopf mit Beschreibung, Kontoschlüssel,\n"
       "Abbuchungstag (heute + 3) und wiederkehrender Sequenz, nach Namen sortiert.  Vorgaben wie im Assistenten:\n"
       "Rechendatum 31.12. dieses Jahres (ab Juli des nächsten), Verwendungszweck der Vereinsstammdaten, der\n"
       "Kontofilter, außer der Verein hat genau ein Konto.  Ausgabe: {\"Buchungen\", \"Summe\" (Cent),\n"
       "\"Hinweisliste\"}.  Mit --real werden die vorläufigen Zahldaten gesetzt und die Mitgliederdatei\n"
       "gespeichert, sonst bleibt sie unverändert.  Ohne Buchungen wird keine Liste geschrieben (Exit 1).",
       {"--konto", "--date", "--full-year", "--selected", "--kontofilter", "--ohne-kontofilter", "--real",
        "--beschreibung", "--zweck"},
       [](Kontext& k) {
         if (k.aufruf.einzug.konto.empty())
           return Aufruffehler(k.fehler, "Die Option --konto fehlt.", SucheBefehl("einzug"));
         EinzugAufruf a = k.aufruf.einzug;
         a.mitgliederdatei = k.aufruf.argumente[0];
         a.liste = k.aufruf.argumente[1];
         return Einzug(a, k.aus);
       }},
      {"export", {"DATEI", "AUS.txt"}, "Mitglieder als Textdatei exportieren",
       "Schreibt die aktiven Mitglieder von DATEI als Textdatei AUS.txt: Windows-1252, Felder durch \";\"\n"
       "getrennt, jede Zeile mit CR LF; zuerst die Kopfzeile (Mitgl.-Nr;Nachname;...;ZMG).  Braucht das Recht\n"
       "\"Anzeigen von Beitragsdaten der Mitglieder\".  AUS.txt darf nicht DATEI selbst sein (auch nicht über einen\n"
       "anderen Pfad).  DATEI bleibt unverändert.",
       {}, [](Kontext& k) { return Export(k.aufruf.argumente[0], k.aufruf.argumente[1]); }},
      {"import", {"DATEI", "EIN.txt"}, "Mitglieder aus einer Textdatei importieren",
       "Importiert Mitglieder aus der getrennten Textdatei EIN.txt (Windows-1252; mit BOM auch UTF-8) wie der\n"
       "Dialog \"Datei importieren\".  --fields nennt die Feldnummern der Spalten von links (10 Mitgliedsnummer,\n"
       "20 Nachname, 21 Vorname, 22 Titel, 23 Zusatz, 24 Geschlecht, 25 Geburtsdatum, 30 Straße, 31 PLZ,\n"
       "32 Wohnort, 33 Land, 34 Festnetz, 35 Mobil, 36 E-Mail, 37 Link, 40 Eintritt, 41 Ehrenmitglied seit,\n"
       "42 Abteilungen, 43 Austritt, 44 Austrittsgrund, 50 Beitragsschlüssel, 51 Gezahlt bis, 52 Zahlart,\n"
       "60 IBAN, 61 BLZ, 62 Kontonummer, 63 Kontoinhaber, 64 Mandatsreferenz, 65 Mandatsdatum, 66 EKS,\n"
       "70 Zahler, 80 Gruppen, 90 Ersteller, 91 Erstelldatum, 92 Bearbeiter, 93 Bearbeitungsdatum; 0 oder leer:\n"
       "ignoriert).  Ohne --fields ist keine Spalte zugeordnet.  --dry-run prüft nur (Exit 0: der Import ginge\n"
       "durch); --apply bejaht die Frage des Imports und speichert DATEI.  Braucht die Rechte für\n"
       "Massenänderungen.  Ein abgelehnter Import: Meldung, Exit 1, DATEI bleibt Byte für Byte unverändert.",
       {"--dry-run", "--apply", "--fields", "--header-lines", "--archive"},
       [](Kontext& k) {
         ImportAufruf a = k.aufruf.import;
         if (a.pruefen == a.anwenden)
           return Aufruffehler(k.fehler, "Geben Sie genau eine der Optionen --dry-run und --apply an.",
                               SucheBefehl("import"));
         a.datei = k.aufruf.argumente[0];
         a.textdatei = k.aufruf.argumente[1];
         return Import(a, k.ui);
       }},
      {"vergleichen", {"A.zaq", "B.zaq"}, "zwei Mitgliederdateien vergleichen, als JSON",
       "Vergleicht die aktiven Mitglieder von A (wie die geöffnete Liste) mit denen von B, wie \"Liste vergleichen\n"
       "mit...\": gleich ist ein Mitglied mit derselben Nummer, demselben Geburts- und Eintrittsdatum, geändert,\n"
       "wenn die Änderungszeiten abweichen.  Ausgabe: Mitglieder (von A, mit Zustand 0/1/2 und den Feldern, die\n"
       "vom Partner abweichen), Vergleichsmitglieder (von B), Tabellen (zusätzliche, geänderte, fehlende, jeweils\n"
       "Titel und Mitgliedsnummern in Tabellenreihenfolge), Identisch und Meldung.  Beide Dateien bleiben\n"
       "unverändert; B darf nicht A sein.",
       {}, [](Kontext& k) { return Vergleichen(k.aufruf.argumente[0], k.aufruf.argumente[1], k.aus); }},
      {"lgv-dump", {"LISTE"}, "Last- oder Gutschriftenliste (.lsv, .gsv) als JSON",
       "Gibt eine Lastschriften- oder Gutschriftenliste als JSON-Objekt aus: Art (1 Lastschriften,\n"
       "2 Gutschriften), Kopf (Textschluessel, BLZ, Kontonummer, Referenznummer, Auftraggeber, Bankname,\n"
       "Beschreibung), Buchungen (Kontoinhaber, BLZ, Kontonummer, Betrag in Cent, Verwendungszweck mit 14 Zeilen)\n"
       "und Kontrollsummen (Anzahl, SummeBLZ, SummeKontonummern, Summe in Cent).  LISTE bleibt unverändert.",
       {}, [](Kontext& k) { return LgvDump(k.aufruf.argumente[0], k.aus); }},
      {"lgv-save", {"LISTE", "NEU"}, "Last- oder Gutschriftenliste unter anderem Namen speichern",
       "Speichert die Liste unter dem Namen NEU; NEU darf nicht LISTE sein (Groß- und Kleinschreibung zählen\n"
       "nicht).",
       {}, [](Kontext& k) { return LgvSpeichern(k.aufruf.argumente[0], k.aufruf.argumente[1]); }},
      {"lgv-sort", {"LISTE", "SCHLÜSSEL"}, "Last- oder Gutschriftenliste sortieren",
       "Sortiert die Buchungen der Liste und schreibt sie zurück: 1 Kontoinhaber, 2 Verwendungszweck (Zeile 1,\n"
       "dann 2), 3 Bankleitzahl und Kontonummer, 4 Betrag.  Gleiche Buchungen behalten ihre Reihenfolge.",
       {},
       [](Kontext& k) {
         const std::string& s = k.aufruf.argumente[1];
         if (s.size() != 1 || s[0] < '1' || s[0] > '4')
           return Aufruffehler(k.fehler, "Der Sortierschlüssel muss 1, 2, 3 oder 4 sein.", SucheBefehl("lgv-sort"));
         return LgvSortieren(k.aufruf.argumente[0], s[0] - '0');
       }},
      {"statistik", {"DATEI"}, "Mitgliederstatistik, Bestandszählung und freie Nummern als JSON",
       "Gibt die Mitgliederstatistik (Alters- und Mitgliedschaftsverteilung je Jahr mit Männern, Frauen und allen,\n"
       "geglättet mit --glaettung, Durchschnitte, Statuszeile), die Bestandszählung (eine Zeile je --bestand,\n"
       "gefiltert mit --abteilung und --selektion) und die freien Mitgliedsnummern als JSON-Objekt aus.  --date\n"
       "ist das Bezugsdatum von beidem; ohne gilt für die Statistik der Stichtag für Alter und Mitgliedschaft und\n"
       "für die Zählung der Stichtag der Beitragsberechnung.  Vertauschte Grenzen oder Grenzen, die keine Zahl oder\n"
       "kein Datum sind: Meldung, Exit 1.  DATEI bleibt unverändert.",
       {"--date", "--glaettung", "--bestand", "--abteilung", "--selektion"},
       [](Kontext& k) {
         StatistikAufruf a = k.aufruf.statistik;
         a.datei = k.aufruf.argumente[0];
         a.datum = k.aufruf.datum;
         return Statistik(a, k.aus);
       }},
      {"ftp-status", {"DATEI"}, "Stand der gemeinsamen Liste auf dem FTP-Server als JSON",
       "Fragt den Stand der gemeinsamen Mitgliederliste auf dem FTP-Server ab (mit der Reparatur eines\n"
       "unterbrochenen Hochladens) und gibt ein JSON-Objekt aus: status, serverVersion, lokaleVersion,\n"
       "schluesselServer, schluesselLokal, reserviert, reserviertVon, reserviertAm, uploadVon, uploadZeit,\n"
       "uploadVersion, ausgespeichertVon; Zeiten kodiert (Tage*1000000+hhmmss), 0 wenn unbekannt.  DATEI wird\n"
       "nie geschrieben.  Exit 0 für die Codes 0 bis 6, sonst 1 mit der Meldung des Codes.  \"FTP passiv\" und\n"
       "\"Verbindungsversuche\" kommen aus den Einstellungen.",
       {}, [](Kontext& k) { return FtpStatus(k.aufruf.argumente[0], k.aus); }},
      {"ausspeichern", {"DATEI"}, "gemeinsame Liste ausspeichern und reservieren",
       "Speichert die gemeinsame Liste vom FTP-Server aus und reserviert sie; bei Erfolg wird DATEI gespeichert.\n"
       "Die Konfliktfrage (lokale Datei neuer) wird mit Abbrechen beantwortet, mit --yes mit Ja (die Version des\n"
       "Servers wird heruntergeladen).",
       {}, [](Kontext& k) { return FtpAusspeichern(k.aufruf.argumente[0]); }},
      {"einspeichern", {"DATEI"}, "gemeinsame Liste einspeichern und freigeben",
       "Lädt die ausgespeicherte Liste auf den FTP-Server hoch und gibt sie frei; bei Erfolg wird DATEI gespeichert.",
       {}, [](Kontext& k) { return FtpEinspeichern(k.aufruf.argumente[0]); }},
      {"herunterladen", {"DATEI"}, "gemeinsame Liste vom FTP-Server herunterladen",
       "Lädt die Version des Servers herunter, wenn sie neuer ist (\"Von Server herunterladen\"); die Selektion\n"
       "bleibt erhalten.  Ergebnis 0 und 200 (nichts zu tun) speichern DATEI und enden mit Exit 0.",
       {}, [](Kontext& k) { return FtpHerunterladen(k.aufruf.argumente[0]); }},
      {"blz-import", {"BBK-DATEI", "VERZ"}, "ZAQ-BLZ.DAT/.IND aus der Bankleitzahlendatei der Bundesbank",
       "Erzeugt ZAQ-BLZ.DAT und ZAQ-BLZ.IND aus der Bankleitzahlendatei der Bundesbank in VERZ (nur\n"
       "Hauptdatensätze); eine Datei ohne Regelspalte braucht --iban-regeln. Bericht auf stdout.",
       {"--iban-regeln"},
       [](Kontext& k) {
         return BLZImport(k.aufruf.argumente[0], k.aufruf.argumente[1], k.aufruf.ibanRegeln, k.aus);
       }},
  };
  return befehle;
}

const Befehl* SucheBefehl(std::string_view name) {
  for (const Befehl& b : Befehle())
    if (b.name == name) return &b;
  return nullptr;
}

std::string Aufrufzeile(const Befehl& b) {
  std::string zeile = "zaq-cli " + std::string(b.name);
  for (const char* a : b.argumente) zeile += std::string(" ") + a;
  for (std::string_view o : b.optionen) {
    const Option* option = SucheOption(o);
    zeile += " [" + std::string(o) + (option->wert ? std::string(" ") + option->wert : std::string()) + "]";
  }
  return zeile;
}

void OptionZeile(std::ostream& aus, const Option& o) {
  std::string links = "  " + std::string(o.name) + (o.wert ? std::string(" ") + o.wert : std::string());
  if (links.size() < 24) links.resize(24, ' ');
  else links += "  ";
  aus << links << o.hilfe << '\n';
}

void Uebersicht(std::ostream& aus) {
  aus << "Aufruf: zaq-cli BEFEHL [ARGUMENTE] [OPTIONEN]\n"
         "        zaq-cli BEFEHL --help    Hilfe zu einem Befehl\n"
         "        zaq-cli --version        Programmausgabe\n"
         "\nBefehle:\n";
  for (const Befehl& b : Befehle()) {
    std::string links = "  " + std::string(b.name);
    for (const char* a : b.argumente) links += std::string(" ") + a;
    if (links.size() < 24) links.resize(24, ' ');
    else links += "  ";
    aus << links << b.kurz << '\n';
  }
  aus << "\nOptionen jedes Befehls:\n";
  for (std::string_view o : kAllgemein) OptionZeile(aus, *SucheOption(o));
  aus << "\nExit-Status: 0 Erfolg; 1 fehlgeschlagen, abgelehnt oder abgebrochen; 2 Aufruf fehlerhaft.\n"
         "Meldungen erscheinen auf stderr als \"Art: Text\", Daten auf stdout.\n";
}

void Hilfe(std::ostream& aus, const Befehl& b) {
  aus << "Aufruf: " << Aufrufzeile(b) << " [OPTIONEN]\n\n" << b.hilfe << '\n';
  if (!b.optionen.empty()) {
    aus << "\nOptionen:\n";
    for (std::string_view o : b.optionen) OptionZeile(aus, *SucheOption(o));
  }
  aus << "\nOptionen jedes Befehls:\n";
  for (std::string_view o : kAllgemein) OptionZeile(aus, *SucheOption(o));
}

// A usage error: the fault in one line, then where to read more.
int Aufruffehler(std::ostream& fehler, const std::string& text, const Befehl* b) {
  fehler << "Fehler: " << text << '\n';
  if (b) fehler << "Aufruf: " << Aufrufzeile(*b) << " (mehr mit zaq-cli " << b->name << " --help)\n";
  else fehler << "Aufruf: zaq-cli BEFEHL [ARGUMENTE] [OPTIONEN] (mehr mit zaq-cli --help)\n";
  return 2;
}

std::string Anzahl(std::size_t n) { return n == 1 ? "ein Argument" : std::to_string(n) + " Argumente"; }

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

}  // namespace

int Run(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler) {
  return Run(argumente, std::cin, aus, fehler);
}

int Run(const std::vector<std::string>& argumente, std::istream& ein, std::ostream& aus, std::ostream& fehler) {
  if (argumente.empty()) return Aufruffehler(fehler, "Kein Befehl angegeben.", nullptr);
  const std::string& erstes = argumente[0];
  if (erstes == "--help" || erstes == "-h") {
    Uebersicht(aus);
    return 0;
  }
  if (erstes == "--version") {
    aus << "ZAQ Mitgliederverwaltung\n" << Ausgabe() << '\n';
    return 0;
  }
  const Befehl* befehl = SucheBefehl(erstes);
  if (!befehl) {
    if (erstes.starts_with("-")) return Aufruffehler(fehler, "Vor der Option " + erstes + " fehlt der Befehl.", nullptr);
    return Aufruffehler(fehler, "Unbekannter Befehl \"" + erstes + "\".", nullptr);
  }

  Aufruf aufruf;
  aufruf.befehl = erstes;
  for (std::size_t i = 1; i < argumente.size(); ++i) {
    const std::string& a = argumente[i];
    if (a == "--help" || a == "-h") {
      Hilfe(aus, *befehl);
      return 0;
    }
    if (!a.starts_with("--")) {
      aufruf.argumente.push_back(a);
      continue;
    }
    const bool erlaubt = std::find(std::begin(kAllgemein), std::end(kAllgemein), a) != std::end(kAllgemein) ||
                         std::find(befehl->optionen.begin(), befehl->optionen.end(), a) != befehl->optionen.end();
    const Option* option = SucheOption(a);
    if (!option) return Aufruffehler(fehler, "Unbekannte Option " + a + ".", befehl);
    if (!erlaubt) return Aufruffehler(fehler, "Die Option " + a + " gibt es bei " + erstes + " nicht.", befehl);
    std::string wert;
    if (option->wert) {
      if (i + 1 >= argumente.size())
        return Aufruffehler(fehler, "Nach " + a + " fehlt " + option->wert + ".", befehl);
      wert = argumente[++i];
    }
    if (!option->setze(aufruf, wert))
      return Aufruffehler(fehler, "Ungültiger Wert \"" + wert + "\" für " + a + ".", befehl);
  }
  const std::size_t mindestens = befehl->mindestens ? befehl->mindestens : befehl->argumente.size();
  if (aufruf.argumente.size() < mindestens || aufruf.argumente.size() > befehl->argumente.size())
    return Aufruffehler(fehler,
                        std::string(befehl->name) + " erwartet " + Anzahl(befehl->argumente.size()) + ", nicht " +
                            std::to_string(aufruf.argumente.size()) + ".",
                        befehl);

  std::optional<EinstellungsVerzeichnisSetzen> konfiguration;
  if (!aufruf.konfiguration.empty()) konfiguration.emplace(aufruf.konfiguration);
  CliOberflaeche ui(fehler, aufruf.ja);
  MeldeAn(ui, aufruf, fehler);
  OberflaecheSetzen setzen(ui);
  Kontext kontext{aufruf, ein, aus, fehler, ui};
  return befehl->ausfuehren(kontext);
}

}  // namespace zaq::cli
