#include "VereinHilfen.h"

namespace zaq::test {

MitVerein::MitVerein() : liste(TZAQ::CreateNeu(false, true)) {
  stamm().FBeitragsberechnung = 3;
  stamm().FBeitragsdatum3 = D("31.12.2010");
  stamm().BerechneStichtage();
  auto& konto = stamm().FVereinskonten.Hinzufuegen();
  konto.FKontoSchluessel = "HAUPT";
  liste->FGeaendert = false;
}

TBtrKlasse& MitVerein::Klasse(const std::string& schluessel, std::initializer_list<Altersstufe> stufen, int modus,
                              bool faktorText) {
  auto& k = stamm().FBtrKlassen.Hinzufuegen();
  k.FSchluessel = schluessel;
  k.FBezeichnung = "Klasse " + schluessel;
  k.FTeilberechnung = static_cast<std::uint8_t>(modus);
  k.FFaktorText = faktorText;
  k.FAltKlassen.clear();
  for (const auto& s : stufen) {
    TAltKlasse& a = k.FAltKlassen.emplace_back();
    a.FVerwendungszweck = s.zweck;
    a.FBetrag = s.betrag;
    a.FAlterBis = static_cast<std::uint8_t>(s.bis);
  }
  return k;
}

TBtrKlasse& MitVerein::Familie(const std::string& schluessel, float betrag, const char* zweck, bool faktorText) {
  TBtrKlasse& k = Klasse(schluessel, {{zweck, betrag, 0}}, 0, faktorText);
  k.FFamilienbeitrag = true;
  return k;
}

TMitglied& MitVerein::Mitglied(std::uint16_t nummer, const std::string& klasse, const std::string& name,
                               const std::string& vorname) {
  auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nummer));
  m.FName = name;
  m.FVorname = vorname;
  m.FGeburtsdatum = D("01.01.1980");
  m.FBeitragsschluessel.wert = klasse;
  m.FZahlart = zaLastschrift;
  m.FBezahltBis = D("31.12.2009");
  auto& k = m.KontoAnlegen();
  k.FIBAN = "DE89370400440532013000";
  k.FMandatsreferenz = "M" + std::to_string(nummer);
  k.FMandatsdatum = D("01.02.2014");
  k.FEmpfaengerKonto.wert = "HAUPT";
  return m;
}

TMitglied& MitVerein::Kind(std::uint16_t nummer, const std::string& klasse, TMitglied& zahler, const char* geburt) {
  TMitglied& m = Mitglied(nummer, klasse, zahler.FName, "Kind" + std::to_string(nummer));
  m.FGeburtsdatum = D(geburt);
  m.FZahlart = zaMitfinanziert;
  m.KontoEntfernen();
  m.ZahlerAnlegen().Setze(&zahler);
  return m;
}

}  // namespace zaq::test
