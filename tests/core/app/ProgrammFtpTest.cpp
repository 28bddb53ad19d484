// The program's runs of the shared server against a real FTP server on
// 127.0.0.1: check-out and check-in with their messages, the automatic
// check-in at closing, the refresh and the reservation check at opening, and
// the deletion offer that checks out and in by itself.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "Hilfen.h"
#include "app/Programm.h"
#include "base/Datum.h"
#include "share/Ftp.h"
#include "share/FtpServer.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

namespace fs = std::filesystem;

const std::string kAusgespeichert =
    "Die Datenbank wurde erfolgreich ausgespeichert und ist nun reserviert.\r\nNach dem Bearbeiten die Datenbank "
    "bitte wieder einspeichern,\r\num sie für andere zum Bearbeiten wieder freizugeben!";
const std::string kEingespeichert =
    "Die Datenbank wurde erfolgreich eingespeichert und steht nun wieder für alle zur Verfügung.";

class ProgrammFtp : public test::MitOberflaeche {
 protected:
  ProgrammFtp() : server(dir.Pfad()) {
    TFtpSitzung::SetzePausenfaktor(0);
    SchreibeEinstellungZahl(esVerbindungsversuche, 1);
    SpeichereAutomatischeAnmeldung("Admin", "");
    zeit = TextZuDatum("01.03.2026").value() + 0.5;
    plattform::SetzeFesteZeit(zeit);
  }
  ~ProgrammFtp() override {
    plattform::SetzeFesteZeit(0);
    TFtpSitzung::SetzePausenfaktor(1);
  }
  void Weiter(double tage) { plattform::SetzeFesteZeit(zeit += tage); }

  // A club with members 1 to 3, uploaded and saved as "verein.zaq".
  std::string Verein() {
    std::shared_ptr<TZAQ> liste = TZAQ::CreateNeu(false, true);
    for (std::uint16_t nr = 1; nr <= 3; ++nr) {
      auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
      m.FName = "Name" + std::to_string(nr);
    }
    TFtpDaten& ftp = liste->FFtpDaten;
    ftp.FServer = server.Adresse();
    ftp.FFtpBenutzer = test::FtpServer::kBenutzer;
    ftp.FFtpKennwort = test::FtpServer::kKennwort;
    ftp.FServerDatei = "verein.zaq";
    ftp.NeuerSchluessel();
    const std::string datei = dir / "verein.zaq";
    EXPECT_TRUE(liste->SpeichernAls(datei, false));
    TFtpSitzung sitzung(liste);
    EXPECT_EQ(sitzung.LadeAufServer(true), 0);
    EXPECT_TRUE(liste->SpeichernAls(datei, false));
    return datei;
  }
  std::unique_ptr<TZAQ> AufDemServer(const TZAQ& vorlage) {
    plattform::Bytes b;
    if (!plattform::LeseDatei(server.Wurzel() / "verein.zaq", b)) return nullptr;
    return TZAQ::CreateAusStream(std::move(b), vorlage);
  }
  void Aendere(TProgramm& p, int nummer, const std::string& name) {
    TMitglied* m = p.Liste()->SucheNummer(static_cast<std::uint16_t>(nummer));
    m->FName = name;
    m->Geaendert();
  }

  test::FtpServer server;
  double zeit;
};

TEST_F(ProgrammFtp, AusUndEinspeichernMitIhrenMeldungen) {
  const std::string datei = Verein();
  TProgramm p;
  ASSERT_EQ(p.DateiOeffnen(datei), 1);
  ui.Leeren();
  ASSERT_TRUE(p.FtpAusspeichern());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{kAusgespeichert});
  EXPECT_TRUE(p.Liste()->FFtpDaten.IstAusgespeichert());

  Weiter(0.01);
  Aendere(p, 2, "Geändert");
  ui.Leeren();
  ASSERT_TRUE(p.FtpEinspeichern());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{kEingespeichert});
  EXPECT_FALSE(p.Liste()->FFtpDaten.IstAusgespeichert());
  EXPECT_EQ(AufDemServer(*p.Liste())->SucheNummer(2)->FName, "Geändert");
  EXPECT_EQ(p.Ftp().HoleServerStatus(true), 0);

  // Checking in again: the list is not checked out.
  ui.Leeren();
  EXPECT_FALSE(p.FtpEinspeichern());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Die Mitgliederliste kann nicht eingespeichert werden, da sie vorher nicht ausgespeichert "
                            "wurde."});
}

// Closing a checked-out list checks it in (setting 1, the default) and saves
// the local copy; with the setting 0 the reservation stays.
TEST_F(ProgrammFtp, AutomatischesEinspeichernBeimSchliessen) {
  const std::string datei = Verein();
  for (const char* einstellung : {"1", "0"}) {
    SCOPED_TRACE(einstellung);
    SchreibeEinstellung(esAutomatischesEinspeichern, einstellung);
    TProgramm p;
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    ASSERT_TRUE(p.FtpAusspeichern());
    Weiter(0.01);
    Aendere(p, 1, std::string("Schluss") + einstellung);
    ui.Leeren();
    ASSERT_TRUE(p.FormCloseQuery());
    p.FormClose();
    EXPECT_TRUE(ui.Meldungen.empty() || ui.Texte() == std::vector<std::string>{kEingespeichert});

    auto lokal = TZAQ::CreateAusDatei(datei);
    ASSERT_TRUE(lokal);
    EXPECT_EQ(lokal->SucheNummer(1)->FName, std::string("Schluss") + einstellung);
    const bool eingespeichert = std::string(einstellung) == "1";
    EXPECT_EQ(lokal->FFtpDaten.IstAusgespeichert(), !eingespeichert);
    EXPECT_EQ(AufDemServer(*lokal)->SucheNummer(1)->FName == std::string("Schluss") + einstellung, eingespeichert);
    if (!eingespeichert) {
      // Leave the server free for the next round.
      std::shared_ptr<TZAQ> l = std::move(lokal);
      TFtpSitzung s(l);
      ASSERT_EQ(s.SetzeStatus(true, true), 0);
      ASSERT_TRUE(l->Speichern());
    }
  }
}

// At opening: a copy whose reservation the server no longer holds loses it;
// with "FTP-Server beim Öffnen" an old copy is refreshed from the server,
// a recent one only after the interval.
TEST_F(ProgrammFtp, BeimOeffnen) {
  const std::string datei = Verein();
  fs::copy_file(datei, dir / "zweite.zaq");
  {
    TProgramm p;
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    ASSERT_TRUE(p.FtpAusspeichern());
    ASSERT_TRUE(p.Liste()->Speichern());
    p.FormClose();
  }
  // Someone removes the reservation on the server (an administrator's
  // forced upload from the second copy).
  {
    Weiter(0.01);
    std::shared_ptr<TZAQ> zweite = TZAQ::CreateAusDatei(dir / "zweite.zaq");
    zweite->SucheNummer(3)->FName = "Vom Server";
    zweite->SucheNummer(3)->Geaendert();
    TFtpSitzung s(zweite);
    ASSERT_EQ(s.LadeAufServer(true), 0);
  }
  SchreibeEinstellung(esFtpBeimOeffnen, "1");
  SchreibeEinstellung(esAutomatischesEinspeichern, "0");
  {
    TProgramm p;
    ui.Leeren();
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    EXPECT_FALSE(p.Liste()->FFtpDaten.IstAusgespeichert());
    // Checked out at opening: no refresh.
    EXPECT_EQ(p.Liste()->SucheNummer(3)->FName, "Name3");
    ASSERT_TRUE(p.Liste()->Speichern());
    p.FormClose();
  }
  // Not checked out, last refresh long ago: the server's version comes in.
  Weiter(10);
  {
    TProgramm p;
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    EXPECT_EQ(p.Liste()->SucheNummer(3)->FName, "Vom Server");
    EXPECT_DOUBLE_EQ(p.Liste()->FFtpDaten.FLetzteAktualisierung, zeit);
    EXPECT_TRUE(p.Liste()->FGeaendert);
    ASSERT_TRUE(p.Liste()->Speichern());
    p.FormClose();
  }
  // Refreshed a day ago, interval 5 days: no connection at all.
  Weiter(1);
  {
    std::shared_ptr<TZAQ> zweite = TZAQ::CreateAusDatei(dir / "zweite.zaq");
    zweite->SucheNummer(3)->FName = "Neuer";
    zweite->SucheNummer(3)->Geaendert();
    TFtpSitzung s(zweite);
    ASSERT_EQ(s.LadeAufServer(true), 0);
  }
  {
    TProgramm p;
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    EXPECT_EQ(p.Liste()->SucheNummer(3)->FName, "Vom Server");
    p.FormClose();
  }
  // Interval 0: every opening refreshes.
  SchreibeEinstellung(esFtpAktualisierabstand, "0");
  {
    TProgramm p;
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    EXPECT_EQ(p.Liste()->SucheNummer(3)->FName, "Neuer");
    p.FormClose();
  }
}

// Members whose exit date has passed, in a shared list that is not checked
// out: the offer checks out, deletes and checks in by itself.
TEST_F(ProgrammFtp, FaelligeLoeschenUeberDenServer) {
  const std::string datei = Verein();
  {
    std::shared_ptr<TZAQ> l = TZAQ::CreateAusDatei(datei);
    TMitglied* m = l->SucheNummer(2);
    m->FAustrittsdatum = std::floor(zeit) - 1;
    m->Geaendert();
    TFtpSitzung s(l);
    ASSERT_EQ(s.LadeAufServer(true), 0);
    ASSERT_TRUE(l->Speichern());
  }
  SchreibeEinstellung(esAutomatischesEinspeichern, "0");
  const std::string frage =
      "Es sind 1 Mitglieder zur Löschung ab dem heutigen Tag festgelegt. \r\nMöchten Sie, daß diese Mitglieder nun "
      "endgültig gelöscht werden?\r\n\r\nZum Löschen wird die Datei automatisch aus- und wieder eingespeichert.";
  {
    TProgramm p;
    ui.Antworten = {Antwort::Nein};
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{frage});
    EXPECT_NE(p.Liste()->SucheNummer(2), nullptr);
    EXPECT_FALSE(p.Liste()->FFtpDaten.IstAusgespeichert());
    p.FormClose();
  }
  {
    TProgramm p;
    ui.Leeren();
    ui.Antworten = {Antwort::Ja};
    ASSERT_EQ(p.DateiOeffnen(datei), 1);
    EXPECT_EQ(ui.Texte().at(0), frage);
    EXPECT_EQ(p.Liste()->SucheNummer(2), nullptr);
    EXPECT_FALSE(p.Liste()->FFtpDaten.IstAusgespeichert());
    EXPECT_EQ(AufDemServer(*p.Liste())->SucheNummer(2), nullptr);
    EXPECT_NE(AufDemServer(*p.Liste())->SucheNummer(1), nullptr);
    EXPECT_EQ(p.Ftp().HoleServerStatus(true), 0);
    p.FormClose();
  }
}

}  // namespace
}  // namespace zaq
