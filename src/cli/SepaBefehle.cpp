#include "cli/SepaBefehle.h"

#include <cmath>

#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Einzug.h"
#include "interaction/Warten.h"
#include "views/Einzug.h"
#include "debits/sepa/Export.h"
#include "interaction/Oberflaeche.h"
#include "platform/Plattform.h"
#include "store/ZAQ.h"

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
  Json hinweise = Json::array();
  for (const TMitglied* m : e.Hinweisliste)
    hinweise.push_back({{"Mitgliedsnummer", m->FMitgliedsnummer}, {"Hinweise", m->FHinweise}});
  Json j = {{"Buchungen", e.Buchungen}, {"Summe", e.Summe}, {"Hinweisliste", std::move(hinweise)}};
  aus << j.dump(1) << '\n';
  return 0;
}

}  // namespace zaq::cli
