// zaq-cli fees and the fee data of the demo club.
#include <gtest/gtest.h>

#include <sstream>

#include "VereinHilfen.h"
#include "bank/BankHilfen.h"
#include "bank/Pruefung.h"
#include "cli/Befehle.h"
#include "cli/Demo.h"
#include "debits/sepa/SEPACommon.h"
#include "fees/Beitrag.h"

namespace zaq {
namespace {

using test::D;

class BeitragsBefehl : public test::MitVerein {
 protected:
  BeitragsBefehl() {
    Klasse("K", {{"Beitrag", 120, 150}}, 2, true);
    TMitglied& a = Mitglied(1, "K");
    TMitglied& b = Mitglied(2, "K", "Berg", "Bea");
    b.FZahlart = zaRechnung;
    b.KontoEntfernen();
    Kind(3, "K", a).FBezahltBis = D("30.06.2010");
    Mitglied(4, "K", "Kunz", "Kai").Konto()->FMandatsreferenz.clear();
    a.FSelektiert = true;
    datei = dir / "verein.zaq";
    EXPECT_TRUE(liste->SpeichernAls(datei, false));
  }
  int Starte(std::vector<std::string> argumente, Json* j = nullptr) {
    argumente.insert(argumente.begin(), {"fees", datei});
    argumente.insert(argumente.end(), {"--user", "Admin", "--config", dir.Pfad().string()});
    std::ostringstream aus, fehler;
    const int status = cli::Run(argumente, aus, fehler);
    if (j && status == 0) *j = Json::parse(aus.str());
    return status;
  }
  std::string datei;
};

TEST_F(BeitragsBefehl, Ausgabe) {
  const Bytes vorher = test::Lies(datei);
  Json j;
  ASSERT_EQ(Starte({}, &j), 0);
  EXPECT_EQ(j, Json::parse(R"j({
    "Summe": 30000,
    "Zahlerliste": [{"Mitgliedsnummer": 1, "Betrag": 18000,
                     "Verwendungszweck": "001 Muster, Anna (Beitrag); 003 Muster, Kind3 (6/12xBeitrag)"}],
    "Hinweisliste": [{"Mitgliedsnummer": 4,
                      "Hinweise": "Fehlende Mandatsreferenz; 004 Kunz, Kai (Beitrag)"}]})j"));
  // A run never changes the file.
  EXPECT_EQ(test::Lies(datei), vorher);

  ASSERT_EQ(Starte({"--zahlarten", "0", "--date", "30.06.2010"}, &j), 0);
  EXPECT_EQ(j["Summe"], 6000);
  EXPECT_EQ(j["Zahlerliste"][0]["Verwendungszweck"], "002 Berg, Bea (6/12xBeitrag)");
  ASSERT_EQ(Starte({"--zahlarten", "0,1", "--full-year", "--selected"}, &j), 0);
  EXPECT_EQ(j["Summe"], 12000);
  EXPECT_EQ(j["Zahlerliste"].size(), 1u);
  EXPECT_TRUE(j["Hinweisliste"].empty());
  EXPECT_EQ(test::Lies(datei), vorher);
}

TEST_F(BeitragsBefehl, Aufruffehler) {
  for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
           {"--date", "31.02.2010"}, {"--date"}, {"--zahlarten", "8"}, {"--zahlarten", "1;2"}, {"--zahlarten", ""}})
    EXPECT_EQ(Starte(a), 2) << a[0];
  std::ostringstream aus, fehler;
  EXPECT_EQ(cli::Run({"fees", dir / "fehlt.zaq", "--config", dir.Pfad().string()}, aus, fehler), 1);
  EXPECT_TRUE(aus.str().empty());
}

class Demoverein : public test::MitBank {};

TEST_F(Demoverein, BeitragsdatenSindVollstaendig) {
  auto liste = cli::ErzeugeDemoverein(400, 5);
  const TStammdaten& s = liste->FStammdaten;
  EXPECT_TRUE(sepa::IsValidCreditorId(s.KontoGlaeubigerID("HAUPT")));
  const TVereinskonto& haupt = *s.SucheVereinskonto("HAUPT");
  EXPECT_EQ(PruefeBankverbindung(haupt.FBLZ, haupt.FKontonummer, haupt.FIBAN), bpGueltig);
  int familien = 0, ohneIBAN = 0;
  for (const auto& m : liste->FMitglieder) {
    EXPECT_NE(s.SucheBtrKlasse(m->FBeitragsschluessel.wert), nullptr) << m->FMitgliedsnummer;
    if (m->FBeitragsschluessel.wert == "FAM" && m->FZahlart != zaMitfinanziert) ++familien;
    if (const TMitgliedskonto* k = m->Konto()) {
      if (k->FIBAN.empty()) ++ohneIBAN;
      else EXPECT_EQ(PruefeBankverbindung(k->FBLZ, k->FKontonummer, k->FIBAN), bpGueltig) << m->FMitgliedsnummer;
    }
  }
  EXPECT_GT(familien, 0);
  EXPECT_GT(ohneIBAN, 0);
  TBeitragslaufOptionen o;
  o.Zahlarten = 0b011;
  o.MitZahlerliste = true;
  Beitragslauf(*liste, 0, false, o);
  EXPECT_GT(o.Summe, 0);
  for (const TMitglied* m : o.Hinweisliste)
    EXPECT_TRUE(m->FHinweise.starts_with("Fehlende Bankverbindung (d.h. IBAN)") ||
                m->FHinweise == "Zahler-Nullbetrag")
        << m->FHinweise;
}

}  // namespace
}  // namespace zaq
