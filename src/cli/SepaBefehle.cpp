#include "cli/SepaBefehle.h"

#include <cmath>

#include <algorithm>

#include "base/Text.h"
#include "cli/BankBefehle.h"
#include "cli/BeitragsBefehle.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Einzug.h"
#include "debits/sepa/Export.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "views/Einzug.h"
#include "views/Sepafenster.h"

namespace zaq::cli {

int SlvDump(const std::string& datei, std::ostream& aus) {
  TSepa liste;
  if (!liste.Oeffnen(datei)) return 1;
  const TSepaKopf k = liste.Kopf();
  Json j = Json::object();
  j["Kopf"] = {{"Kennung", k.Kennung},   {"Kontoschluessel", k.Kontoschluessel}, {"Datum", k.Datum},
               {"Sequenz", k.Sequenz},   {"Beschreibung", k.Beschreibung}};
  Json buchungen = Json::array();
  for (int i = 1; i <= liste.Anzahl(); ++i) {
    const TSepaBuchung b = liste.Lesen(i);
    buchungen.push_back({{"Name", b.Name},
                         {"IBAN", b.IBAN},
                         {"Mandatsreferenz", b.Mandatsreferenz},
                         {"Mandatsdatum", b.Mandatsdatum},
                         {"Sequenz", b.Sequenz},
                         {"Betrag", BetragInCent(b.Betrag) ? Json(*BetragInCent(b.Betrag)) : Json()},
                         {"Kundenreferenz", b.Kundenreferenz},
                         {"Verwendungszweck", b.Verwendungszweck}});
  }
  j["Buchungen"] = std::move(buchungen);
  aus << j.dump(1) << '\n';
  return 0;
}

int SepaXml(const SepaXmlAufruf& a, std::ostream&) {
  const std::string_view schema = a.schema.empty() ? sepa::kPain00800108 : std::string_view(a.schema);
  auto verein = TZAQ::CreateAusDatei(a.mitgliederdatei);
  if (!verein) return 1;
  TSepa liste;
  if (!liste.Oeffnen(a.liste)) return 1;
  const TVereinskonto* konto = liste.Vereinskonto(verein->FStammdaten);
  if (!konto) {
    Meldung("Konnte das Vereinskonto nicht laden, auf das der Kontoschlüssel in den Buchungsstammdaten zeigt.",
            MeldungsArt::Fehler);
    return 1;
  }
  // The day as the export's dialog takes it.
  TAusfuehrungsdatumDialog datum(static_cast<Tag>(std::floor(liste.Kopf().Datum)));
  if (a.datum != 0) datum.FDatum = a.datum;
  if (!datum.Bestaetigen()) return 1;
  sepa::SetExtendedCharsAllowed(true);
  const sepa::TDirectDebitInitiation dokument = BaueDokument(liste, *konto, schema, datum.FDatum);
  const std::string xml = dokument.Write();
  const sepa::Messages funde = PruefeDokument(dokument, xml);
  for (const auto& f : funde) Meldung(f, MeldungsArt::Fehler);
  if (!funde.empty()) return 1;
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(a.ziel), reinterpret_cast<const std::uint8_t*>(xml.data()),
                                      xml.size())) {
    Meldung("Fehler beim Schreiben von " + a.ziel + "!", MeldungsArt::Fehler);
    return 1;
  }
  return 0;
}

int Einzug(const EinzugAufruf& a, std::ostream& aus) {
  auto verein = TZAQ::CreateAusDatei(a.mitgliederdatei);
  if (!verein) return 1;
  if (!verein->FStammdaten.SucheVereinskonto(a.konto)) {
    Meldung("Das Vereinskonto \"" + a.konto + "\" gibt es in den Vereinsstammdaten nicht.", MeldungsArt::Fehler);
    return 1;
  }
  // The wizard's defaults, changed by the options.
  TfrmSEPAAssistent assistent(*verein, false, Heute());
  if (a.datum != 0) assistent.FRechendatum = a.datum;
  // The description is the wizard's, whose first step comes before the date.
  if (a.beschreibung) assistent.FBeschreibung = *a.beschreibung;
  if (a.zweck) assistent.FZweck = *a.zweck;
  TSepaSammelOptionen o = assistent.Optionen();
  o.Kontoschluessel = a.konto;
  o.VollesJahr = a.vollesJahr;
  o.NurSelektierte = a.nurSelektierte;
  o.VorlDatumSetzen = a.echt;
  if (a.kontofilter >= 0) o.Kontofilter = a.kontofilter == 1;
  TSepa liste;
  if (!liste.Anlegen(a.liste)) return 1;
  const TSammelErgebnis e =
      Einzugslauf(liste, *verein, o, assistent.FBeschreibung, 2, Jetzt() + 3, "Erstelle Mitgliedsbeiträge", false);
  if (e.Buchungen == 0) return 1;
  if (a.echt && !verein->Speichern()) return 1;
  Json j = {{"Buchungen", e.Buchungen}, {"Summe", e.Summe}, {"Hinweisliste", HinweisJson(e.Hinweisliste)}};
  aus << j.dump(1) << '\n';
  return 0;
}

namespace {

// One operation of slv-edit on the window; false when it is refused (its
// message is out).
class SlvOperationen {
 public:
  SlvOperationen(TfrmSEPA& fenster, TZAQ& verein, bool mitVerein, std::ostream& fehler)
      : FFenster(fenster), FVerein(verein), FMitVerein(mitVerein), FFehler(fehler) {}

  bool Ausfuehren(const Json& o, Json& gefunden) {
    if (!o.contains("op") || !o["op"].is_string()) return Fehler("Eine Operation ohne \"op\".");
    const std::string op = o["op"];
    if (op == "hinzufuegen") return FFenster.Hinzufuegen();
    if (op == "aendern") return Aendern(o);
    if (op == "entfernen") {
      int nr = 0;
      if (!Buchung(o, nr) || !FFenster.GeheZu(nr)) return false;
      return FFenster.Entfernen() != Ausgang::Fehler;
    }
    if (op == "sortieren") {
      const int k = o.value("schluessel", 0);
      if (!o.contains("schluessel") || !o["schluessel"].is_number_integer() || k < 1 || k > 6)
        return Fehler("\"schluessel\" muss 1 bis 6 sein.");
      return FFenster.Sortieren(k);
    }
    if (op == "stammdaten") return Stammdaten(o);
    if (op == "mitglied") {
      if (!FMitVerein) return Fehler("\"mitglied\" braucht eine Mitgliederdatei (--zaq).");
      std::string nummer;
      if (!Text(o, "nummer", nummer)) return false;
      return FVerein.PruefeRecht(512) && FFenster.MitgliedEinfuegen(nummer);
    }
    if (op == "suchen") {
      std::string text;
      if (!Text(o, "text", text)) return false;
      if (!o.contains("ab") || !o["ab"].is_number_integer()) return Fehler("\"ab\" fehlt.");
      gefunden.push_back(FFenster.Suche(text, o["ab"].get<int>()));
      return true;
    }
    if (op == "speichern_unter") {
      std::string datei;
      return Text(o, "datei", datei) && FFenster.SpeichernUnter(datei);
    }
    return Fehler("Unbekannte Operation \"" + op + "\".");
  }

 private:
  bool Fehler(const std::string& text) {
    FFehler << "Fehler: " << text << '\n';
    return false;
  }
  bool Text(const Json& o, const char* name, std::string& wert) {
    if (!o.contains(name) || !o[name].is_string()) return Fehler("\"" + std::string(name) + "\" fehlt.");
    wert = o[name].get<std::string>();
    return true;
  }
  bool Buchung(const Json& o, int& nr) {
    if (!o.contains("nr") || !o["nr"].is_number_integer()) return Fehler("\"nr\" fehlt.");
    nr = o["nr"].get<int>();
    if (nr < 1 || nr > FFenster.Liste().Anzahl()) return Fehler("Die Buchung " + std::to_string(nr) + " gibt es nicht.");
    return true;
  }
  // Absent fields keep what showing the booking put there.
  bool Felder(const Json& o, std::initializer_list<std::pair<const char*, std::string*>> felder,
              std::string_view weiteres = {}) {
    for (const auto& [name, ziel] : felder)
      if (o.contains(name) && !Text(o, name, *ziel)) return false;
    for (auto it = o.begin(); it != o.end(); ++it) {
      const std::string& schluessel = it.key();
      if (schluessel == "op" || schluessel == "nr" || schluessel == weiteres) continue;
      if (std::none_of(felder.begin(), felder.end(), [&](const auto& f) { return schluessel == f.first; }))
        return Fehler("Unbekanntes Feld \"" + schluessel + "\".");
    }
    return true;
  }
  bool Aendern(const Json& o) {
    int nr = 0;
    if (!Buchung(o, nr) || !FFenster.GeheZu(nr)) return false;
    TBuchungsfelder& f = FFenster.FFelder;
    if (!Felder(o, {{"Kontoinhaber", &f.Kontoinhaber},
                    {"IBAN", &f.IBAN},
                    {"Mandatsreferenz", &f.Mandatsreferenz},
                    {"Betrag", &f.Betrag},
                    {"Mandatsdatum", &f.Mandatsdatum},
                    {"Kundenreferenz", &f.Kundenreferenz},
                    {"Verwendungszweck", &f.Verwendungszweck}})) {
      FFenster.GeheZu(nr);
      return false;
    }
    FFenster.Geaendert();
    return FFenster.Speichern();
  }
  bool Stammdaten(const Json& o) {
    TfrmBuchungsstammdaten d(FFenster.Liste(), FVerein);
    if (o.contains("Sequenz")) {
      if (!o["Sequenz"].is_number_integer() || (o["Sequenz"] != 0 && o["Sequenz"] != 2))
        return Fehler("\"Sequenz\" muss 0 oder 2 sein.");
      d.FSequenz = o["Sequenz"].get<std::uint8_t>();
    }
    std::string schluessel = d.FSchluessel;
    if (!Felder(o, {{"Dateibeschreibung", &d.FBeschreibung},
                    {"Abbuchungsdatum", &d.FDatum},
                    {"Kontoschluessel", &schluessel}},
                "Sequenz"))
      return false;
    d.FSchluessel = Gross(schluessel);
    return d.OK();
  }

  TfrmSEPA& FFenster;
  TZAQ& FVerein;
  bool FMitVerein;
  std::ostream& FFehler;
};

}  // namespace

int SlvEdit(const std::string& liste, const std::string& mitgliederdatei, std::istream& ein, std::ostream& aus,
            std::ostream& fehler) {
  // The IBAN check looks the bank up.
  Befehlsverzeichnis verzeichnis;
  std::shared_ptr<TZAQ> verein =
      mitgliederdatei.empty() ? std::shared_ptr<TZAQ>(TZAQ::CreateNeu(false, false))
                              : std::shared_ptr<TZAQ>(TZAQ::CreateAusDatei(mitgliederdatei));
  if (!verein) return 1;
  TfrmSEPA fenster(*verein);
  if (!fenster.Oeffnen(liste)) return 1;
  const Json operationen = Json::parse(ein, nullptr, false);
  if (operationen.is_discarded() || !operationen.is_array() ||
      !std::all_of(operationen.begin(), operationen.end(), [](const Json& o) { return o.is_object(); })) {
    fehler << "Fehler: Die Eingabe ist kein JSON-Feld von Operationen.\n";
    return 2;
  }
  SlvOperationen ops(fenster, *verein, !mitgliederdatei.empty(), fehler);
  Json gefunden = Json::array();
  for (const Json& o : operationen)
    if (!ops.Ausfuehren(o, gefunden)) return 1;
  aus << Json{{"Anzahl", fenster.Liste().Anzahl()},
              {"Gesamtbetrag", fenster.Liste().Gesamtbetrag()},
              {"Gefunden", std::move(gefunden)}}
             .dump()
      << '\n';
  return 0;
}

}  // namespace zaq::cli
