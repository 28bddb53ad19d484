#include "debits/sepa/Export.h"

#include <cmath>

#include "base/Text.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/SEPASchema.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "store/Konto.h"
#include "store/Stammdaten.h"

namespace zaq {

std::string_view SchemaVonVersion(int version) {
  switch (version) {
    case kSepaVersion37: return sepa::kPain00800108;
    case kSepaVersion30: return sepa::kPain00800102;
    case kSepaVersion29: return sepa::kPain00800302;
    default: return {};
  }
}

std::vector<DateiFilter> XmlDateifilter() {
  return {{"SEPA-Version 3.7 (pain.008.001.08)", "*.xml"},
          {"SEPA-Version 3.0 (pain.008.001.02)", "*.xml"},
          {"SEPA-Version 2.9 (pain.008.003.02)", "*.xml"}};
}

int VersionVonFilter(int filterIndex) {
  static constexpr int kVersionen[] = {kSepaVersion37, kSepaVersion30, kSepaVersion29};
  return filterIndex >= 0 && filterIndex < 3 ? kVersionen[filterIndex] : kSepaVersion37;
}

TAusfuehrungsdatumDialog::TAusfuehrungsdatumDialog(Tag kopfdatum) {
  if (kopfdatum <= Erstes()) FDatum = Erstes();
  else if (kopfdatum < Letztes()) FDatum = kopfdatum;
  else FDatum = Letztes();
}

bool TAusfuehrungsdatumDialog::Bestaetigen() {
  if (FDatum < Erstes()) {
    Meldung("Bitte geben Sie kein Datum an, welches heute ist oder in der Vergangenheit liegt.", MeldungsArt::Fehler);
    return false;
  }
  if (FDatum > Letztes()) {
    Meldung("Das Buchungsdatum darf maximal 14 Tage im Voraus liegen.", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

sepa::TDirectDebitInitiation BaueDokument(const TSepa& liste, const TVereinskonto& konto, std::string_view schema,
                                          Tag ausfuehrung) {
  sepa::TDirectDebitInitiation d;
  d.Schema = std::string(schema);
  d.SetGrpHdrInitgPtyName(konto.FInhaber);
  auto& p = d.Append();
  p.PmtTpInfLclInstrmCd = "CORE";
  p.PmtTpInfSeqTp = liste.Kopf().Sequenz != 0 ? "RCUR" : "OOFF";
  p.ReqdColltnDt = ausfuehrung;
  p.SetCdtrNm(konto.FInhaber);
  p.CdtrAcct.SetIBAN(konto.FIBAN);
  p.CdtrAgt.SetOthrID("NOTPROVIDED");
  p.SetCdtrSchmeIdIdPrvtIdOthrId(konto.FGlaeubigerID);
  p.Transactions.reserve(static_cast<std::size_t>(liste.Anzahl()));
  for (int i = 1; i <= liste.Anzahl(); ++i) {
    const TSepaBuchung b = liste.Lesen(i);
    auto& t = p.Append();
    if (!Trim(b.Kundenreferenz).empty()) t.PmtIdEndToEndId = b.Kundenreferenz;
    // The float of the list holds cents only approximately: 1234.56 is
    // 1234.5600586 there and must not reach the bank as 1234.5601.
    // A value no bank file can carry stays 0, which the checks refuse.
    t.InstdAmt = sepa::Currency::FromCents(BetragInCent(b.Betrag).value_or(0));
    t.SetDbtrNm(b.Name);
    t.DbtrAcct.SetIBAN(b.IBAN);
    t.DbtrAgt.SetOthrID("NOTPROVIDED");
    t.SetRmtInfUstrd(Ersetze(b.Verwendungszweck, "\r\n", "//"));
    t.Mandate.MndtId = b.Mandatsreferenz;
    t.Mandate.DtOfSgntr = b.Mandatsdatum;
    if (i % 256 == 0) Warten().Fortschritt(static_cast<double>(i) / liste.Anzahl());
  }
  return d;
}

sepa::Messages PruefeDokument(const sepa::TDirectDebitInitiation& dokument, const std::string& xml) {
  sepa::Messages m = dokument.Validate();
  for (auto& f : sepa::ValidateAgainstXsd(xml, dokument.EffectiveSchema())) m.push_back(std::move(f));
  return m;
}

bool ErzeugeXML(const TSepa& liste, const TStammdaten& stamm, const std::string& datei, int version) {
  const std::string_view schema = SchemaVonVersion(version);
  if (schema.empty()) {
    Meldung("Ungültige XML-Version an TSepa.ErzeugeXML übergeben.", MeldungsArt::Fehler);
    return false;
  }
  const TVereinskonto* konto = liste.Vereinskonto(stamm);
  if (!konto) {
    Meldung("Konnte das Vereinskonto nicht laden, auf das der Kontoschlüssel in den Buchungsstammdaten zeigt.",
            MeldungsArt::Fehler);
    return false;
  }
  TAusfuehrungsdatumDialog datum(static_cast<Tag>(std::floor(liste.Kopf().Datum)));
  if (!UI().Dialog(datum)) return false;
  WartenSchliessen schliessen;
  Warten().ZeigeStatus("Erstelle XML-Datei");
  sepa::SetExtendedCharsAllowed(true);
  const sepa::TDirectDebitInitiation dokument = BaueDokument(liste, *konto, schema, datum.FDatum);
  const std::string xml = dokument.Write();
  const sepa::Messages funde = PruefeDokument(dokument, xml);
  if (!funde.empty()) {
    std::string text;
    for (const auto& f : funde) text += (text.empty() ? "" : "\r\n") + f;
    if (Warten().WarteMeldung(text, MeldungsArt::Fehler, Knoepfe::OKIgnorieren) != Antwort::Ignorieren) return false;
  }
  if (!plattform::SchreibeDateiSicher(plattform::Pfad(datei), reinterpret_cast<const std::uint8_t*>(xml.data()),
                                      xml.size())) {
    Meldung("Fehler beim Schreiben von " + datei + "!", MeldungsArt::Fehler);
    return false;
  }
  return true;
}

}  // namespace zaq
