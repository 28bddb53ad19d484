// The bank data viewer window shows what its logic found and selects the
// bank code again after each search.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <random>

#include "bank/BLZImport.h"
#include "bank/Bank.h"
#include "gui/Bankdaten.h"
#include "platform/Plattform.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

class BankdatenFensterTest : public ::testing::Test {
 protected:
  BankdatenFensterTest() {
    FVerzeichnis = std::filesystem::temp_directory_path() / ("zaq-gui-bank-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(FVerzeichnis);
    Bankdatensatz a;
    a.FBLZ = "10020030";
    a.FBezeichnung = "Testbank Köln";
    a.FPLZ = "50667";
    a.FOrt = "Köln";
    a.FPruefverfahren = 6;
    plattform::SchreibeDateiSicher(FVerzeichnis / kBLZDatei, BLZDatenDatei({a}));
    plattform::SchreibeDateiSicher(FVerzeichnis / kBLZIndex, BLZIndexDatei({a}));
    FBank = std::make_unique<BankverzeichnisSetzen>(std::make_unique<TBank>(FVerzeichnis.string()));
  }
  ~BankdatenFensterTest() override { std::filesystem::remove_all(FVerzeichnis); }
  std::filesystem::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::unique_ptr<BankverzeichnisSetzen> FBank;
};

QString Text(QWidget& w, const char* name) { return w.findChild<QLabel*>(QString::fromLatin1(name))->text(); }

TEST_F(BankdatenFensterTest, SuchtBeimZeigenUndNachSuchen) {
  BankdatenFenster fenster("10020030");
  fenster.show();
  EXPECT_EQ(Text(fenster, "txtBezeichnung"), QStringLiteral("Testbank Köln"));
  EXPECT_EQ(Text(fenster, "txtSitz"), QStringLiteral("50667 Köln"));
  EXPECT_EQ(Text(fenster, "txtVerfahren"), QStringLiteral("006 (implementiert)"));
  EXPECT_EQ(Text(fenster, "txtIBANRegel"), QStringLiteral("0000.00 (implementiert)"));

  auto* blz = fenster.findChild<QLineEdit*>(QStringLiteral("txtBLZ"));
  blz->setText(QStringLiteral("10020031"));
  QTest::mouseClick(fenster.findChild<QPushButton*>(QStringLiteral("befSuchen")), Qt::LeftButton);
  EXPECT_EQ(Text(fenster, "txtBezeichnung"), QString());
  EXPECT_EQ(Text(fenster, "txtVerfahren"), QString());
  EXPECT_EQ(blz->selectedText(), QStringLiteral("10020031"));
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(ui.Meldungen[0].meldung.text, "Die angegebene Bankleitzahl wurde im BLZ-Verzeichnis nicht gefunden.");
}

}  // namespace
}  // namespace zaq::gui
