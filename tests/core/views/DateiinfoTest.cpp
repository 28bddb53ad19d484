// The file information lines and the record information texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/Benutzer.h"
#include "store/BtrKlasse.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "views/Dateiinfo.h"

namespace zaq {
namespace {

class Dateiinfo : public test::MitOberflaeche {
 protected:
  Dateiinfo() : liste(TZAQ::CreateNeu(false, true)) {
    liste->SetzeAktuellerBenutzer(liste->Administrator());
    liste->Administrator()->FVollerName = "Anna Admin";
  }
  std::string Wert(const TfrmDateiInfo& d, const std::string& key) {
    const auto it = std::find_if(d.Zeilen.begin(), d.Zeilen.end(), [&](const auto& z) { return z.first == key; });
    return it == d.Zeilen.end() ? "<fehlt>" : it->second;
  }
  std::unique_ptr<TZAQ> liste;
};

TEST(Tausender, Gruppen) {
  for (const auto& [zahl, text] : std::vector<std::pair<long long, std::string>>{
           {0, "0"}, {999, "999"}, {1000, "1.000"}, {1234567, "1.234.567"}, {-4500, "-4.500"}})
    EXPECT_EQ(Tausender(zahl), text);
}

TEST_F(Dateiinfo, ZeilenDerDateiUndDesVereins) {
  liste->FDateiname = dir / "verein.zaq";
  liste->FBeschreibung = "Testverein";
  liste->FMitgliederGroesse = 123456;
  liste->FAnzahlUnbekannt = 2;
  liste->FStammdaten.FVereinsPLZ = "74321";
  liste->FStammdaten.FVereinsort = "Musterstadt";
  liste->FStammdaten.FGeburtstage = "60;70";
  auto& k = liste->FStammdaten.FVereinskonten.Hinzufuegen();
  k.FKontoSchluessel = "HAUPT";
  k.FBezeichnung = "Hauptkonto";
  k.FIBAN = "DE89370400440532013000";
  auto klasse = std::make_unique<TBtrKlasse>();
  klasse->FSchluessel = "FAM";
  klasse->FFamilienbeitrag = true;
  klasse->FFamilienMax = 2;
  klasse->FAltKlassen.resize(1);
  klasse->FAltKlassen[0].FBetrag = 1234.5f;
  klasse->FAltKlassen[0].Zaehle(246900);
  liste->FStammdaten.FBtrKlassen.Hinzufuegen(std::move(klasse));
  liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), 1));
  TfrmDateiInfo d(*liste, {"ZAQ Mitgliederverwaltung", "SEPA-Lastschriften - [a.slv]"});
  EXPECT_EQ(d.Zeilen.front(), (std::pair<std::string, std::string>{"Dateibeschreibung:", "Testverein"}));
  EXPECT_EQ(Wert(d, "Dateiname:"), "verein.zaq");
  EXPECT_EQ(Wert(d, "Größe der Mitgliedsdaten:"), "123.456 Bytes bei 1 Datensätzen");
  EXPECT_EQ(Wert(d, "Zahl unbekannter Dateielemente:"), "2");
  EXPECT_EQ(Wert(d, "Status:"), "nicht geändert");
  const auto ref = std::find_if(d.Zeilen.begin(), d.Zeilen.end(), [](const auto& z) {
    return z.first == "Referenzen auf globales Vereinsobjekt: 2";
  });
  ASSERT_NE(ref, d.Zeilen.end());
  EXPECT_EQ(ref->second, "ZAQ Mitgliederverwaltung");
  EXPECT_EQ(*(ref + 1), (std::pair<std::string, std::string>{"", "SEPA-Lastschriften - [a.slv]"}));
  EXPECT_EQ(Wert(d, "FTP-Dateiname:"), "<fehlt>");
  EXPECT_EQ(Wert(d, "Name des Administrators:"), "Anna Admin");
  EXPECT_EQ(Wert(d, "Ort des Vereins:"), "74321 Musterstadt");
  EXPECT_EQ(Wert(d, "Jubiläum Geburtstag:"), "60, 70");
  EXPECT_EQ(Wert(d, "Vereinskonto HAUPT:"), "Hauptkonto");
  EXPECT_EQ(Wert(d, "  >  IBAN:"), "DE89 3704 0044 0532 0130 00");
  EXPECT_EQ(Wert(d, "  >  Betrag:"), "1234,50 €");
  EXPECT_EQ(Wert(d, "  >  Rechensumme"), "2469,00 €");
  EXPECT_EQ(Wert(d, "  >  Rechenanzahl"), "1 Mitglied(er)");
  EXPECT_EQ(Wert(d, "  >  Beschränkung:"), "maximal 2 Erwachsene");
  d.Kopieren();
  EXPECT_TRUE(ui.ZwischenablageText.starts_with("ZAQ Mitgliederverwaltung\r\nDateibeschreibung:\tTestverein\r\n"));
}

TEST_F(Dateiinfo, Datensatzinfo) {
  auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), 7));
  m.FName = "Muster";
  m.FVorname = "Eva";
  m.FErstelltVon.FZeit = KodiereDatum(2020, 3, 1) + 0.5;
  m.FGroesse = 1234;
  TfrmDatensatzInfo d(m);
  EXPECT_EQ(d.Aufnahme, m.NameAnzeige() + " wurde am 01.03.2020, 12:00:00\r\nvon Anna Admin angelegt.");
  EXPECT_EQ(d.Aenderung, "Der Datensatz wurde noch nicht bearbeitet.");
  EXPECT_EQ(d.Austritt, "Es liegt keine Austrittserklärung vor.");
  EXPECT_EQ(d.Speicherbedarf, "Der Speicherbedarf beträgt 1.234 Bytes.");
  m.FErstelltVon.Setze(nullptr, false);
  m.FAustrittsdatum = KodiereDatum(2026, 12, 31);
  m.FAustrittsgrund = "Umzug";
  m.FAustrittVon.Setze(liste->Administrator());
  m.FAustrittVon.FZeit = KodiereDatum(2026, 11, 2);
  TfrmDatensatzInfo aus(m);
  EXPECT_EQ(aus.Aufnahme, "Ersteller nicht vorhanden");
  EXPECT_EQ(aus.Austritt, "Am 31.12.2026 endet die " + std::to_string(m.Mitgliedsjahre()) +
                              "jährige Mitgliedschaft. \r\nAls Austrittsgrund ist angegeben: Umzug\r\n"
                              "Das Löschen wurde am 02.11.2026, 00:00:00\r\nvon Anna Admin eingeleitet.");
}

}  // namespace
}  // namespace zaq
