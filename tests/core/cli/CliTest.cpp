// zaq-cli: exit status, messages on stderr, data on stdout.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "Hilfen.h"
#include "base/Text.h"
#include "cli/Befehle.h"
#include "cli/CliOberflaeche.h"
#include "platform/Version.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

struct Lauf {
  int status;
  std::string aus, fehler;
};

class Cli : public ::testing::Test {
 protected:
  Lauf Starte(std::vector<std::string> argumente) {
    if (!argumente.empty() && (argumente[0] == "dump" || argumente[0] == "resave" || argumente[0] == "sort")) {
      argumente.push_back("--user");
      argumente.push_back("Admin");
    }
    argumente.push_back("--config");
    argumente.push_back(dir.Pfad().string());
    std::ostringstream aus, fehler;
    int status = cli::Run(argumente, aus, fehler);
    return {status, aus.str(), fehler.str()};
  }
  test::TempVerzeichnis dir;
};

TEST_F(Cli, NeuDumpResave) {
  Lauf neu = Starte({"new", dir / "a.zaq"});
  ASSERT_EQ(neu.status, 0) << neu.fehler;
  Lauf dump = Starte({"dump", dir / "a.zaq"});
  ASSERT_EQ(dump.status, 0) << dump.fehler;
  Json j = Json::parse(dump.aus);
  EXPECT_EQ(j["FFormatVersion"], 704);
  EXPECT_EQ(j["FSchreibvorgaenge"], 1);
  EXPECT_EQ(j["FBenutzer"][0]["FLogin"], "Admin");
  EXPECT_EQ(j["FBenutzer"][0]["FVollerName"], "Administrator");
  EXPECT_EQ(j["FMitglieder"].size(), 1u);
  EXPECT_EQ(j["FMitglieder"][0]["FMitgliedsnummer"], 1);
  EXPECT_TRUE(dump.fehler.empty());

  ASSERT_EQ(Starte({"resave", dir / "a.zaq", dir / "b.zaq"}).status, 0);
  Json b = Json::parse(Starte({"dump", dir / "b.zaq"}).aus);
  EXPECT_EQ(b["FSchreibvorgaenge"], 2);
  b["FSchreibvorgaenge"] = 1;
  EXPECT_EQ(b, j);
}

// sort changes the order of the members and nothing else: the same as
// resave with the members in the new order.
TEST_F(Cli, SortWieResaveInNeuerReihenfolge) {
  ASSERT_EQ(Starte({"demo", dir / "d.zaq", "--members", "40", "--seed", "3"}).status, 0);
  ASSERT_EQ(Starte({"resave", dir / "d.zaq", dir / "r.zaq"}).status, 0);
  Json r = Json::parse(Starte({"dump", dir / "r.zaq"}).aus);
  const struct {
    const char* schluessel;
    const char* feld;  // the first key's field, to see the order
    bool absteigend;
  } faelle[] = {
      {"21,22,3", "FName", false},
      {"Nachname,Vorname,Mitgliedsnummer", "FName", false},
      {"-Geburtsdatum,-3", "FGeburtsdatum", true},
      {"-28,Nachname", "FGeburtsdatum", true},
      {"3", "FMitgliedsnummer", false},
  };
  for (const auto& f : faelle) {
    Lauf l = Starte({"sort", dir / "d.zaq", dir / "s.zaq", "--keys", f.schluessel});
    ASSERT_EQ(l.status, 0) << f.schluessel << l.fehler;
    Json s = Json::parse(Starte({"dump", dir / "s.zaq"}).aus);
    ASSERT_EQ(s["FMitglieder"].size(), r["FMitglieder"].size());
    for (std::size_t i = 1; i < s["FMitglieder"].size(); ++i) {
      const Json &a = s["FMitglieder"][i - 1][f.feld], &b = s["FMitglieder"][i][f.feld];
      if (a.is_number()) {
        EXPECT_TRUE(f.absteigend ? a >= b : a <= b) << f.schluessel << " " << i;
      } else {
        const int v = VergleicheText(a.get<std::string>(), b.get<std::string>());
        EXPECT_TRUE(f.absteigend ? v >= 0 : v <= 0) << f.schluessel << " " << i;
      }
    }
    Json neu = s["FMitglieder"], alt = r["FMitglieder"];
    auto nummer = [](const Json& a, const Json& b) { return a["FMitgliedsnummer"] < b["FMitgliedsnummer"]; };
    std::sort(neu.begin(), neu.end(), nummer);
    std::sort(alt.begin(), alt.end(), nummer);
    EXPECT_EQ(neu, alt) << f.schluessel;
    s["FMitglieder"] = r["FMitglieder"];
    EXPECT_EQ(s, r) << f.schluessel;
  }
  ASSERT_EQ(Starte({"sort", dir / "d.zaq", dir / "n.zaq", "--keys", "Nachname"}).status, 0);
  const Json n = Json::parse(Starte({"dump", dir / "n.zaq"}).aus);
  EXPECT_FALSE(n["FMitglieder"] == r["FMitglieder"]) << "the demo club is not in name order";
  EXPECT_EQ(n["FMitglieder"][0]["FName"], "Baumann");

  // Any other key is a usage error, and nothing is written.
  for (const char* falsch : {"nach Alter", "21,x", "nachname", "", "21,,3"}) {
    Lauf l = Starte({"sort", dir / "d.zaq", dir / "f.zaq", "--keys", falsch});
    EXPECT_EQ(l.status, 2) << falsch;
    EXPECT_NE(l.fehler.find("--keys"), std::string::npos) << l.fehler;
    EXPECT_FALSE(std::filesystem::exists(dir / "f.zaq")) << falsch;
  }
  EXPECT_EQ(Starte({"sort", dir / "d.zaq", dir / "f.zaq"}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "f.zaq"));
}

TEST_F(Cli, AufrufFehlerSindStatusZwei) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"gibtsnicht"}, {"dump"}, {"dump", "a", "b"}, {"dump", "a", "--bunt"}, {"dump", "a", "--user"}}) {
    Lauf l = Starte(args);
    EXPECT_EQ(l.status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_TRUE(l.aus.empty());
    EXPECT_NE(l.fehler.find("Aufruf: zaq-cli"), std::string::npos);
  }
}

// A usage error names the fault in one line and where to read more.
TEST_F(Cli, AufrufFehlerInEinerZeile) {
  const struct {
    std::vector<std::string> argumente;
    std::string fehler;
  } faelle[] = {
      {{}, "Fehler: Kein Befehl angegeben.\nAufruf: zaq-cli BEFEHL [ARGUMENTE] [OPTIONEN] (mehr mit zaq-cli --help)\n"},
      {{"gibtsnicht"},
       "Fehler: Unbekannter Befehl \"gibtsnicht\".\nAufruf: zaq-cli BEFEHL [ARGUMENTE] [OPTIONEN] (mehr mit zaq-cli "
       "--help)\n"},
      {{"dump"}, "Fehler: dump erwartet ein Argument, nicht 0.\nAufruf: zaq-cli dump DATEI (mehr mit zaq-cli dump --help)\n"},
      {{"dump", "a", "--bunt"},
       "Fehler: Unbekannte Option --bunt.\nAufruf: zaq-cli dump DATEI (mehr mit zaq-cli dump --help)\n"},
      {{"dump", "a", "--date", "01.01.2020"},
       "Fehler: Die Option --date gibt es bei dump nicht.\nAufruf: zaq-cli dump DATEI (mehr mit zaq-cli dump --help)\n"},
      {{"fees", "a", "--date", "32.01.2020"},
       "Fehler: Ungültiger Wert \"32.01.2020\" für --date.\nAufruf: zaq-cli fees DATEI [--date TT.MM.JJJJ] [--full-year] "
       "[--selected] [--zahlarten LISTE] (mehr mit zaq-cli fees --help)\n"},
      {{"resave", "a", "--user"},
       "Fehler: Nach --user fehlt LOGIN.\nAufruf: zaq-cli resave EIN AUS (mehr mit zaq-cli resave --help)\n"},
  };
  for (const auto& f : faelle) {
    std::ostringstream aus, fehler;
    EXPECT_EQ(cli::Run(f.argumente, aus, fehler), 2) << f.fehler;
    EXPECT_EQ(fehler.str(), f.fehler);
    EXPECT_EQ(aus.str(), "");
  }
}

TEST_F(Cli, HilfeUndVersion) {
  std::ostringstream aus, fehler;
  EXPECT_EQ(cli::Run({"--version"}, aus, fehler), 0);
  EXPECT_EQ(aus.str(), "ZAQ Mitgliederverwaltung\nAusgabe " + ProgrammVersion() + ", Februar 2019\n");
  aus.str("");
  EXPECT_EQ(cli::Run({"--help"}, aus, fehler), 0);
  EXPECT_NE(aus.str().find("\n  iban BLZ KONTO        IBAN aus Bankleitzahl und Kontonummer\n"), std::string::npos);
  aus.str("");
  EXPECT_EQ(cli::Run({"fees", "--help"}, aus, fehler), 0);
  EXPECT_TRUE(aus.str().starts_with("Aufruf: zaq-cli fees DATEI [--date TT.MM.JJJJ]")) << aus.str();
  EXPECT_NE(aus.str().find("  --zahlarten LISTE"), std::string::npos);
  EXPECT_NE(aus.str().find("  --config VERZ"), std::string::npos);
  EXPECT_EQ(fehler.str(), "");
}

TEST_F(Cli, BeschaedigteDateiStatusEinsUndMeldung) {
  ASSERT_EQ(Starte({"new", dir / "a.zaq"}).status, 0);
  Bytes b = test::Lies(dir / "a.zaq");
  b[kKopfGroesse + 3] ^= 1;
  test::Schreibe(dir / "a.zaq", b);
  Lauf l = Starte({"resave", dir / "a.zaq", dir / "b.zaq"});
  EXPECT_EQ(l.status, 1);
  EXPECT_TRUE(l.fehler.starts_with("Frage: Die Prüfsumme der Datei stimmt nicht."));
  EXPECT_NE(l.fehler.find("\nFehler: Fehler beim Einlesen des Datei-Streams zur Aufbereitung der Datenstrukur.\n"),
            std::string::npos);
  EXPECT_EQ(l.fehler.find('\r'), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "b.zaq"));
  EXPECT_EQ(test::Lies(dir / "a.zaq"), b);
}

TEST_F(Cli, AntwortenOhneUndMitJa) {
  using cli::CliOberflaeche;
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::JaNein, false), Antwort::Nein);
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::JaNein, true), Antwort::Ja);
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::JaNeinAbbrechen, false), Antwort::Abbrechen);
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::OKAbbrechen, false), Antwort::Abbrechen);
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::OKAbbrechen, true), Antwort::OK);
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::WiederholenAbbrechen, true), Antwort::Abbrechen);
  EXPECT_EQ(CliOberflaeche::AntwortFuer(Knoepfe::OK, false), Antwort::OK);
}

}  // namespace
}  // namespace zaq
