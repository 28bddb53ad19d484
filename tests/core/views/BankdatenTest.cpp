// The bank data viewer: search at showing, the shown texts, not found.
#include <gtest/gtest.h>

#include "bank/BankHilfen.h"
#include "views/Bankdaten.h"

namespace zaq {
namespace {

class Bankdaten : public test::MitOberflaeche {
 protected:
  Bankdaten() {
    Bankdatensatz a, b;
    a.FBLZ = "10020030";
    a.FBezeichnung = "Spar- und Darlehnskasse Öhringen";
    a.FKurzbezeichnung = "SDK Öhringen";
    a.FPLZ = "74613";
    a.FOrt = "Öhringen";
    a.FBIC = "GENODES1OHR";
    a.FPruefverfahren = 6;
    b.FBLZ = "10020040";
    b.FBezeichnung = "Zweite Bank";
    b.FPLZ = "10117";
    b.FOrt = "Berlin";
    b.FPruefverfahren = 9;
    b.FIBANRegel = 1;
    b.FIBANRegelVersion = 0;
    test::SchreibeVerzeichnis(dir.Pfad(), {a, b});
    FSetzen = std::make_unique<BankverzeichnisSetzen>(std::make_unique<TBank>(dir.Pfad().string()));
  }
  std::unique_ptr<BankverzeichnisSetzen> FSetzen;
};

TEST_F(Bankdaten, ZeigtDieBankBeimOeffnen) {
  TfrmBankdaten f("10020030");
  EXPECT_EQ(f.txtBLZ, "10020030");
  EXPECT_EQ(f.txtBezeichnung, "");
  f.FormShow();
  EXPECT_EQ(f.txtBezeichnung, "Spar- und Darlehnskasse Öhringen");
  EXPECT_EQ(f.txtSitz, "74613 Öhringen");
  EXPECT_EQ(f.txtKurzbezeichnung, "SDK Öhringen");
  EXPECT_EQ(f.txtBIC, "GENODES1OHR");
  EXPECT_EQ(f.txtVerfahren, "006 (implementiert)");
  EXPECT_EQ(f.txtIBANRegel, "0000.00 (implementiert)");
  EXPECT_TRUE(f.FBLZAuswaehlen);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Bankdaten, OhneBLZKeineSucheBeimOeffnen) {
  TfrmBankdaten f;
  f.FormShow();
  EXPECT_EQ(f.txtBLZ, "");
  EXPECT_EQ(f.txtBezeichnung, "");
  EXPECT_FALSE(f.FBLZAuswaehlen);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Bankdaten, SuchenNichtImplementiertUndNichtGefunden) {
  TfrmBankdaten f;
  f.txtBLZ = "100 200 40";  // as the member view shows a bank code
  f.befSuchenClick();
  EXPECT_EQ(f.txtBezeichnung, "Zweite Bank");
  EXPECT_EQ(f.txtSitz, "10117 Berlin");
  EXPECT_EQ(f.txtVerfahren, "009 (nicht implementiert)");
  EXPECT_EQ(f.txtIBANRegel, "0001.00 (nicht implementiert)");
  f.FBLZAuswaehlen = false;
  f.txtBLZ = "10020050";
  f.befSuchenClick();
  for (const std::string* feld : {&f.txtBezeichnung, &f.txtSitz, &f.txtKurzbezeichnung, &f.txtBIC, &f.txtVerfahren,
                                  &f.txtIBANRegel})
    EXPECT_EQ(*feld, "");
  EXPECT_EQ(f.txtBLZ, "10020050");
  EXPECT_TRUE(f.FBLZAuswaehlen);
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(ui.Meldungen[0].meldung.text, "Die angegebene Bankleitzahl wurde im BLZ-Verzeichnis nicht gefunden.");
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Fehler);
  EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::OK);
}

}  // namespace
}  // namespace zaq
