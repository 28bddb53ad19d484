// The shared member list against a real FTP server on 127.0.0.1: copies
// that take turns, reservations, both transfer modes, uploads broken at
// every step and repaired by the next connection, and what the server holds.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "FtpServer.h"
#include "cli/Befehle.h"
#include <sstream>
#include "Hilfen.h"
#include "base/Datum.h"
#include "lists/Tabelle.h"
#include "share/Ftp.h"
#include "store/Anmeldung.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

namespace fs = std::filesystem;

Tag D(const char* text) { return TextZuDatum(text).value(); }

// One computer: its copy of the member file and its connection.
struct Rechner {
  std::shared_ptr<TZAQ> liste;
  std::unique_ptr<TFtpSitzung> ftp;
  std::string Name(int nummer) { return liste->SucheNummer(static_cast<std::uint16_t>(nummer))->FName; }
};

class Online : public test::MitOberflaeche {
 protected:
  Online() : server(dir.Pfad()) {
    TFtpSitzung::SetzePausenfaktor(0);
    SchreibeEinstellungZahl(esVerbindungsversuche, 2);
    SchreibeEinstellungZahl(esFtpPassiv, 1);
    SpeichereAutomatischeAnmeldung("Admin", "");
    zeit = D("01.03.2026") + 0.5;
    plattform::SetzeFesteZeit(zeit);
  }
  ~Online() override {
    plattform::SetzeFesteZeit(0);
    TFtpSitzung::SetzePausenfaktor(1);
  }
  // Time goes on by a minute: every change gets its own version.
  void Weiter() { plattform::SetzeFesteZeit(zeit += 1.0 / 1440); }

  // The club, uploaded from computer a.
  Rechner Erster() {
    auto liste = TZAQ::CreateNeu(false, true);
    const char* namen[] = {"Adam", "Berg", "Cem", "Dora", "Ernst"};
    for (std::uint16_t nr = 1; nr <= 5; ++nr) {
      auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
      m.FName = namen[nr - 1];
      m.FGeburtsdatum = D("01.01.1970") + nr;
    }
    // Former members: one within the retention days, one long gone.
    for (const auto& [nr, austritt] : {std::pair{90, "01.01.2026"}, std::pair{91, "01.01.2010"}}) {
      auto& m = liste->FArchiv.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
      m.FName = "Ehemalig" + std::to_string(nr);
      m.FAustrittsdatum = D(austritt);
    }
    auto& kasse = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Kasse"));
    kasse.FBenutzerNr = 2;
    TFtpDaten& ftp = liste->FFtpDaten;
    ftp.FServer = server.Adresse();
    ftp.FFtpBenutzer = test::FtpServer::kBenutzer;
    ftp.FFtpKennwort = test::FtpServer::kKennwort;
    ftp.FServerDatei = "Vereine\\Mein Verein.zaq";
    ftp.NeuerSchluessel();
    fs::create_directories(dir.Pfad() / "a");
    EXPECT_TRUE(liste->SpeichernAls(dir / "a/verein.zaq", false));
    Rechner r{std::move(liste), nullptr};
    r.ftp = std::make_unique<TFtpSitzung>(r.liste);
    EXPECT_EQ(r.ftp->LadeAufServer(true), 0);
    EXPECT_TRUE(r.liste->SpeichernAls(dir / "a/verein.zaq", false));
    return r;
  }
  // Another computer with a copy of a's file as it was saved.
  Rechner Kopie(const std::string& name, const std::string& von = "a") {
    fs::create_directories(dir.Pfad() / name);
    fs::copy_file(dir.Pfad() / von / "verein.zaq", dir.Pfad() / name / "verein.zaq",
                  fs::copy_options::overwrite_existing);
    Rechner r{TZAQ::CreateAusDatei(dir / (name + "/verein.zaq")), nullptr};
    EXPECT_TRUE(r.liste);
    r.ftp = std::make_unique<TFtpSitzung>(r.liste);
    return r;
  }
  void Aendere(Rechner& r, int nummer, const std::string& name) {
    Weiter();
    TMitglied* m = r.liste->SucheNummer(static_cast<std::uint16_t>(nummer));
    m->FName = name;
    m->Geaendert();
  }
  // The member file on the server, read with the key.
  std::unique_ptr<TZAQ> AufDemServer(const TZAQ& vorlage) {
    plattform::Bytes b;
    if (!plattform::LeseDatei(server.Wurzel() / "Mein Verein.zaq", b)) return nullptr;
    return TZAQ::CreateAusStream(std::move(b), vorlage);
  }
  bool OhneTemporaere(const std::string& verzeichnis) {
    for (const char* name : {"~FTP.zai", "~FTP_UPLOAD.zai", "~FTP_DOWNLOAD.zas"})
      if (fs::exists(dir.Pfad() / verzeichnis / name)) return false;
    return true;
  }

  test::FtpServer server;
  double zeit;
};

// Two users take turns; each checks out, changes and checks in, and ends
// with the other's changes.  A third who downloads gets the newest version
// and keeps its own selection.
TEST_F(Online, ZweiKopienAbwechselnd) {
  ASSERT_GT(server.Port(), 0);
  Rechner a = Erster();
  Rechner b = Kopie("b");
  Rechner c = Kopie("c");
  c.liste->SucheNummer(3)->FSelektiert = true;
  TTabVorlage vorlage;
  vorlage.FSortierung = {3};
  TTabelle tabelle(*c.liste, vorlage, true);
  ASSERT_TRUE(tabelle.Aufbauen());
  EXPECT_FALSE(tabelle.FolgeListe());
  EXPECT_TRUE(server.Vorhanden("Mein Verein.zaq"));
  EXPECT_TRUE(server.Vorhanden("Mein Verein.zai"));

  ASSERT_EQ(a.ftp->SetzeStatus(false, true), 0);
  EXPECT_EQ(a.liste->FFtpDaten.FAusgespeichertVon, "Admin");
  Aendere(a, 1, "Anders");
  ASSERT_EQ(a.ftp->SetzeStatus(true, true), 0);
  EXPECT_FALSE(a.liste->FFtpDaten.IstAusgespeichert());
  // Checked in, the copy is the server's version.
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 0);
  EXPECT_TRUE(OhneTemporaere("a"));

  EXPECT_EQ(b.ftp->HoleServerStatus(true), 1);
  ASSERT_EQ(b.ftp->SetzeStatus(false, true), 0);
  EXPECT_EQ(b.Name(1), "Anders") << "checking out brought the newer version";
  Aendere(b, 2, "Bergmann");
  ASSERT_EQ(b.ftp->SetzeStatus(true, true), 0);

  ASSERT_EQ(a.ftp->SetzeStatus(false, true), 0);
  EXPECT_EQ(a.Name(1), "Anders");
  EXPECT_EQ(a.Name(2), "Bergmann");
  Aendere(a, 3, "Celik");
  ASSERT_EQ(a.ftp->SetzeStatus(true, true), 0);

  ASSERT_EQ(c.ftp->LadeVonServer(true, true), 0);
  EXPECT_EQ(c.Name(1), "Anders");
  EXPECT_EQ(c.Name(2), "Bergmann");
  EXPECT_EQ(c.Name(3), "Celik");
  EXPECT_TRUE(c.liste->SucheNummer(3)->FSelektiert) << "the selection survives the download";
  // A table of the old list goes over to the new one.
  EXPECT_TRUE(tabelle.FolgeListe());
  EXPECT_EQ(tabelle.Liste(), c.liste.get());
  EXPECT_EQ(tabelle.Zelle(1, 2), "Anders, ");
  EXPECT_FALSE(c.liste->SucheNummer(1)->FSelektiert);
  EXPECT_EQ(c.liste->FDateiname, dir / "c/verein.zaq");
  EXPECT_EQ(c.ftp->HoleServerStatus(true), 0);
  EXPECT_EQ(c.ftp->LadeVonServer(true, true), 200) << "nothing to do";
  EXPECT_TRUE(OhneTemporaere("c"));
  EXPECT_TRUE(ui.Meldungen.empty()) << ui.Meldungen.front().meldung.text;
}

TEST_F(Online, ReservierungEinesAnderen) {
  Rechner a = Erster();
  Rechner b = Kopie("b");
  Rechner c = Kopie("c");
  b.liste->SetzeAktuellerBenutzer(b.liste->SucheBenutzer("Kasse", 0));
  Weiter();
  ASSERT_EQ(a.ftp->SetzeStatus(false, true), 0);
  const std::string am = DatumZeitText(zeit);
  ui.Leeren();
  EXPECT_EQ(b.ftp->SetzeStatus(false, true), 42);
  EXPECT_EQ(b.ftp->SetzeStatus(true, true), 32);
  const std::string reserviert = "Die Mitgliederliste auf dem Server ist im Moment von Admin ausgespeichert und "
                                 "reserviert.\r\nDie Reservierung erfolgte am " + am + ".\r\n\r\n";
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{
                            reserviert + "Solange die Datei nicht freigegeben wird, kann Sie nicht von Ihnen belegt werden.",
                            reserviert + "Sie können die Datei nicht einspeichern, weil Sie sie auch nicht "
                                         "ausgespeichert haben."}));
  // The same login on another computer: the reservation is not that copy's.
  EXPECT_EQ(c.ftp->HoleServerStatus(true), 3);
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 6);
  ui.Leeren();
  EXPECT_EQ(a.ftp->SetzeStatus(false, true), 41);
  ASSERT_EQ(a.ftp->SetzeStatus(true, true), 0);
  EXPECT_EQ(a.ftp->SetzeStatus(true, true), 31);
  EXPECT_EQ(ui.Texte().back(),
            "Die Mitgliederliste kann nicht eingespeichert werden, da sie vorher nicht ausgespeichert wurde.");
}

// A copy changed without a check-out is newer: the conflict question; "Nein"
// keeps the local data and reserves, "Abbrechen" reserves nothing.
TEST_F(Online, KonfliktBeimAusspeichern) {
  Rechner a = Erster();
  Aendere(a, 4, "Lokal");
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 2);
  ui.Antworten.push_back(Antwort::Abbrechen);
  EXPECT_EQ(a.ftp->SetzeStatus(false, true), 100);
  ASSERT_EQ(ui.Meldungen.size(), 2u);
  EXPECT_EQ(ui.Meldungen[0].meldung.text.rfind("Konflikt beim Ausspeichern:\r\n\r\n", 0), 0u);
  EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::JaNeinAbbrechen);
  EXPECT_EQ(ui.Meldungen[1].meldung.text, "Reservierung wurde vom Benutzer abgebrochen.");
  ui.Leeren();
  ui.Antworten.push_back(Antwort::Nein);
  EXPECT_EQ(a.ftp->SetzeStatus(false, true), 0);
  EXPECT_EQ(a.Name(4), "Lokal");
  EXPECT_TRUE(a.liste->FFtpDaten.IstAusgespeichert());
}

TEST_F(Online, AktivUndPassiv) {
  Rechner a = Erster();
  for (int passiv : {0, 1}) {
    SchreibeEinstellungZahl(esFtpPassiv, passiv);
    Weiter();
    Aendere(a, 5, "Modus" + std::to_string(passiv));
    EXPECT_EQ(a.ftp->LadeAufServer(true), 0) << passiv;
    EXPECT_EQ(a.ftp->HoleServerStatus(true), 0) << passiv;
    EXPECT_EQ(AufDemServer(*a.liste)->SucheNummer(5)->FName, "Modus" + std::to_string(passiv));
  }
}

// An upload broken at any step: the next connection repairs it or the old
// version stays; the server never holds a member file that cannot be read.
TEST_F(Online, UnterbrocheneUploadsWerdenRepariert) {
  Rechner a = Erster();
  Rechner b = Kopie("b");
  const struct {
    const char *befehl, *datei;
    bool neu;  // the new version is on the server after the repair
  } faelle[] = {
      {"STOR", "~TEMP~Mein Verein.zaq", false}, {"STOR", "~TEMP~Mein Verein.zai", false},
      {"STOR", "~TEMP~Mein Verein.rep", true},  {"DELE", "Mein Verein.zai", true},
      {"RNTO", "Mein Verein.zaq", true},        {"RNTO", "Mein Verein.zai", true},
  };
  int fall = 0;
  for (const auto& f : faelle) {
    SCOPED_TRACE(std::string(f.befehl) + " " + f.datei);
    const std::string alt = AufDemServer(*a.liste)->SucheNummer(1)->FName;
    const std::string neu = "Fall" + std::to_string(++fall);
    Aendere(a, 1, neu);
    server.Stoerung(f.befehl, f.datei);
    ui.Leeren();
    EXPECT_NE(a.ftp->LadeAufServer(true), 0);
    EXPECT_TRUE(server.Gestoert());
    EXPECT_FALSE(ui.Meldungen.empty());
    server.Heilen();
    const int status = b.ftp->HoleServerStatus(true);
    EXPECT_LE(status, 6);
    EXPECT_FALSE(server.Vorhanden("~TEMP~Mein Verein.rep"));
    auto jetzt = AufDemServer(*a.liste);
    ASSERT_TRUE(jetzt) << "the server's member file must be readable";
    EXPECT_EQ(jetzt->SucheNummer(1)->FName, f.neu ? neu : alt);
    EXPECT_EQ(jetzt->AnzahlMitglieder(), 5);
    // Whatever happened, the next upload goes through.
    Weiter();
    a.liste->Geaendert();
    ASSERT_EQ(a.ftp->LadeAufServer(true), 0);
    EXPECT_EQ(AufDemServer(*a.liste)->SucheNummer(1)->FName, neu);
  }
}

// A check-out broken between deleting the info file and renaming the new
// one leaves no info file; the next connection restores it.
TEST_F(Online, VerloreneInfodateiKommtZurueck) {
  Rechner a = Erster();
  server.Stoerung("DELE", "Mein Verein.zai");
  EXPECT_NE(a.ftp->SetzeStatus(false, true), 0);
  server.Heilen();
  EXPECT_FALSE(server.Vorhanden("Mein Verein.zai"));
  EXPECT_TRUE(server.Vorhanden("~TEMP~Mein Verein.zai"));
  Rechner b = Kopie("b");
  // It holds the reservation the broken check-out wrote.
  EXPECT_EQ(b.ftp->HoleServerStatus(true), 3);
  EXPECT_TRUE(server.Vorhanden("Mein Verein.zai"));
}

// The server's copy is enciphered with the shared key and holds neither the
// key nor the former members beyond the retention days.
TEST_F(Online, ServerKopieVerschluesselt) {
  Rechner a = Erster();
  auto jetzt = AufDemServer(*a.liste);
  ASSERT_TRUE(jetzt);
  ASSERT_EQ(jetzt->FArchiv.Anzahl(), 2) << "the archive kept here comes back";
  auto fremd = TZAQ::CreateNeu(false, true);
  fremd->FFtpDaten.FSchluessel = Bytes(25, 7);
  EXPECT_FALSE(AufDemServer(*fremd)) << "another key opens nothing";
  // What was uploaded, read by the independent implementation of the format.
  std::string hex;
  for (std::uint8_t byte : a.liste->FFtpDaten.FSchluessel) {
    char z[3];
    std::snprintf(z, sizeof z, "%02X", byte);
    hex += z;
  }
  const std::string json = dir / "server.json";
  const std::string befehl = "python3 '" + std::string(ZAQ_QUELLEN) + "/tests/oracle/zaqformat.py' dump '" +
                             (server.Wurzel() / "Mein Verein.zaq").string() + "' --key " + hex + " > '" + json + "'";
  ASSERT_EQ(std::system(befehl.c_str()), 0);
  const auto text = test::Lies(json);
  const std::string dump(text.begin(), text.end());
  EXPECT_EQ(dump.find("FSchluessel\""), std::string::npos);
  EXPECT_NE(dump.find("Ehemalig90"), std::string::npos);
  EXPECT_EQ(dump.find("Ehemalig91"), std::string::npos);
  EXPECT_NE(dump.find("Adam"), std::string::npos);
}

TEST_F(Online, OhneVerbindung) {
  Rechner a = Erster();
  a.liste->FFtpDaten.FServer = "127.0.0.1:1";
  SchreibeEinstellungZahl(esVerbindungsversuche, 3);
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 14);
  EXPECT_NE(std::find(ui.WarteTexte.begin(), ui.WarteTexte.end(), "Verbinde... (3. Versuch)"), ui.WarteTexte.end());
  a.liste->FFtpDaten.FFtpKennwort = "";
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 13);
  a.liste->FFtpDaten.FServerDatei = " ";
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 12);
  a.liste->FFtpDaten.SchluesselEntfernen();
  EXPECT_EQ(a.ftp->HoleServerStatus(true), 11);
}

// zaq-cli: the status as JSON, check-out and check-in of files, the forced
// download; a refused command leaves the file as it was, and no command
// leaves its temporary files behind.
TEST_F(Online, Kommandozeile) {
  Rechner a = Erster();
  Rechner b = Kopie("b");
  const std::string dateiA = dir / "a/verein.zaq", dateiB = dir / "b/verein.zaq";
  auto lauf = [](std::vector<std::string> argumente, std::string* ausgabe = nullptr) {
    std::ostringstream aus, fehler;
    const int code = cli::Run(argumente, aus, fehler);
    if (ausgabe) *ausgabe = aus.str() + fehler.str();
    return code;
  };
  std::string text;
  ASSERT_EQ(lauf({"ftp-status", dateiA}, &text), 0) << text;
  const Json status = Json::parse(text);
  EXPECT_EQ(status["status"], 0);
  EXPECT_EQ(status["serverVersion"], status["lokaleVersion"]);
  EXPECT_EQ(status["schluesselServer"], Zeitkode(a.liste->FFtpDaten.FSchluesselZeit));
  EXPECT_EQ(status["uploadVon"], "Admin");
  for (const char* key : {"reserviert", "reserviertVon", "reserviertAm", "uploadZeit", "uploadVersion",
                          "ausgespeichertVon", "schluesselLokal"})
    EXPECT_TRUE(status.contains(key)) << key;

  // The program itself: its stdout is the JSON object and nothing else.
  {
    const std::string befehl = std::string(ZAQ_BINAER) + "/bin/zaq-cli ftp-status '" + dateiA +
                               "' --user Admin --config '" + dir.Pfad().string() + "'";
    FILE* rohr = popen(befehl.c_str(), "r");
    ASSERT_NE(rohr, nullptr);
    std::string ausgabe;
    char puffer[4096];
    for (size_t n; (n = fread(puffer, 1, sizeof puffer, rohr)) > 0;) ausgabe.append(puffer, n);
    EXPECT_EQ(pclose(rohr), 0);
    EXPECT_EQ(Json::parse(ausgabe, nullptr, false), status) << ausgabe;
  }

  ASSERT_EQ(lauf({"ausspeichern", dateiB}, &text), 0) << text;
  EXPECT_EQ(TZAQ::CreateAusDatei(dateiB)->FFtpDaten.FAusgespeichertVon, "Admin");
  const auto vorher = test::Lies(dateiA);
  EXPECT_EQ(lauf({"einspeichern", dateiA}, &text), 1);
  EXPECT_NE(text.find("Sie können die Datei nicht einspeichern"), std::string::npos) << text;
  EXPECT_EQ(test::Lies(dateiA), vorher);
  ASSERT_EQ(lauf({"ftp-status", dateiA}, &text), 0);
  EXPECT_EQ(Json::parse(text)["status"], 3);
  EXPECT_EQ(Json::parse(text)["reserviertVon"], "Admin");
  ASSERT_EQ(lauf({"einspeichern", dateiB}, &text), 0) << text;
  EXPECT_EQ(lauf({"herunterladen", dateiA}, &text), 0) << text;
  for (const char* verzeichnis : {"a", "b"}) {
    for (const char* name : {"~FTP.zai", "~FTP_UPLOAD.zai", "~FTP_DOWNLOAD.zas"})
      EXPECT_FALSE(fs::exists(dir.Pfad() / verzeichnis / name)) << verzeichnis << "/" << name;
  }
  a.liste->FFtpDaten.FServer = "127.0.0.1:1";
  ASSERT_TRUE(a.liste->Speichern());
  EXPECT_EQ(lauf({"ftp-status", dateiA}, &text), 1);
  EXPECT_NE(text.find("Konnte keine Verbindung zum FTP-Server herstellen."), std::string::npos) << text;
}

TEST(Zeitkode, RundetUndLiestMitternacht) {
  EXPECT_EQ(Zeitkode(43536 + (14 * 3600 + 5 * 60 + 9) / 86400.0), 43536140509);
  // A hair below the second is that second, not the one before.
  EXPECT_EQ(Zeitkode(43536 + (14 * 3600 + 5 * 60 + 9) / 86400.0 - 1e-9), 43536140509);
  EXPECT_EQ(Zeitkode(43536 + 86399.6 / 86400.0), 43537000000);
  EXPECT_EQ(DatumZeitText(ZeitAusKode(43536259900)), "12.03.2019, 00:00:00");
  EXPECT_EQ(ZeitAusKode(0), 0);
}

}  // namespace
}  // namespace zaq
