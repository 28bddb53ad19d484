// The message list window and the directory chooser.
#include <gtest/gtest.h>

#include <filesystem>

#include "Hilfen.h"
#include "views/Fenster.h"

namespace zaq {
namespace {

class Fenster : public test::MitOberflaeche {};

TEST_F(Fenster, MeldungsfensterKopiertMitKopfzeile) {
  TfrmMeldung m({"Zeile 1", "", "Zeile 3"});
  EXPECT_EQ(m.Kopiertext(), "ZAQ Mitgliederverwaltung\r\nZeile 1\r\n\r\nZeile 3");
  EXPECT_FALSE(m.FImmerVorne);
  SchreibeEinstellungZahl(esMeldungVorne, 1);
  EXPECT_TRUE(TfrmMeldung({}).FImmerVorne);
}

TEST_F(Fenster, VerzeichnisNeuAnlegen) {
  TfrmVerzAuswahl d(dir.Pfad().string());
  EXPECT_EQ(d.FVerzeichnis, dir.Pfad().string());
  ui.Dateinamen = {" Belege ", "Belege", std::nullopt};
  EXPECT_TRUE(d.Neu());
  EXPECT_EQ(d.FVerzeichnis, dir / "Belege");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Belege"));
  d.FVerzeichnis = dir.Pfad().string();
  EXPECT_FALSE(d.Neu());  // exists already
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Verzeichnis konnte nicht erstellt werden."});
  EXPECT_FALSE(d.Neu());  // cancelled: no message
  EXPECT_EQ(ui.Meldungen.size(), 1u);
  ui.Dialoge.push_back([](DialogDaten& x) {
    static_cast<TfrmVerzAuswahl&>(x).FVerzeichnis = "/gewaehlt";
    return true;
  });
  EXPECT_EQ(WaehleVerzeichnis("/gibt/es/nicht"), "/gewaehlt");
}

}  // namespace
}  // namespace zaq
