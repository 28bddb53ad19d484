// Adding a member through the Qt window of the member editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <random>

#include "bank/Bank.h"
#include "gui/Bearbeiten.h"
#include "ImDialog.h"
#include "gui/QtOberflaeche.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"
#include "views/Beitragsdialoge.h"
#include "views/Listenoperationen.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class Editorfenster : public ::testing::Test {
 protected:
  Editorfenster() {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-editor-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    SpeichereAutomatischeAnmeldung("Admin", "");
    RegistriereBearbeiten();
  }
  ~Editorfenster() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  template <class T>
  static T* Kind(QWidget* fenster, const char* name) {
    auto* w = fenster->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w;
  }
  // Typed character by character, umlauts too.
  static void Tippe(QWidget* w, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
  fs::path FVerzeichnis;
  BankverzeichnisSetzen FBank{std::make_unique<TBank>(std::string(ZAQ_BINAER) + "/bin")};
  QtOberflaeche qt;
  OberflaecheSetzen FSetzen{qt};
};

TEST_F(Editorfenster, MitgliedHinzufuegen) {
  auto liste = TZAQ::CreateAusDatei(std::string(ZAQ_QUELLEN) + "/demo/Demoverein.zaq");
  ASSERT_TRUE(liste);
  const int vorher = liste->AnzahlMitglieder();
  const std::uint16_t nummer = liste->NaechsteFreieNummer();
  bool gesehen = false;
  test::ImDialog<BearbeitenFenster>([&](BearbeitenFenster& f) {
    BearbeitenFenster* fenster = &f;
    gesehen = true;
    EXPECT_EQ(fenster->windowTitle().toStdString(), "Mitglied " + liste->MitgliedsnummerText(nummer) + " hinzufügen");
    // The leaving page is not offered when adding.
    auto* seiten = fenster->findChild<QTabWidget*>();
    EXPECT_FALSE(seiten->isTabVisible(3));
    Tippe(Kind<QLineEdit>(fenster, "txtNNa"), QStringLiteral("Österreicher"));
    Tippe(Kind<QLineEdit>(fenster, "txtVNa"), QStringLiteral("Jörg"));
    Tippe(Kind<QLineEdit>(fenster, "txtPLZ"), QStringLiteral("74321"));
    Tippe(Kind<QLineEdit>(fenster, "txtOrt"), QStringLiteral("Musterstadt"));
    seiten->setCurrentIndex(2);
    Tippe(Kind<QLineEdit>(fenster, "txtBTS"), QStringLiteral("akt"));
    EXPECT_EQ(Kind<QLineEdit>(fenster, "txtBTS")->text(), QStringLiteral("AKT"));
    Kind<QRadioButton>(fenster, "optRechnung")->click();
    fenster->grab().save(QString::fromStdString(std::string(ZAQ_BINAER) + "/bearbeiten.png"));
    for (auto* knopf : fenster->findChildren<QPushButton*>())
      if (knopf->text() == QStringLiteral("OK")) knopf->click();
  });
  TMitglied* neu = HinzufuegenMitglied(*liste, 0);
  EXPECT_TRUE(gesehen);
  ASSERT_TRUE(neu);
  EXPECT_EQ(liste->AnzahlMitglieder(), vorher + 1);
  EXPECT_EQ(neu->FMitgliedsnummer, nummer);
  EXPECT_EQ(neu->FName, "Österreicher");
  EXPECT_EQ(neu->FVorname, "Jörg");
  EXPECT_EQ(neu->FOrt, "Musterstadt");
  EXPECT_EQ(neu->FBeitragsschluessel.wert, "AKT");
  EXPECT_EQ(neu->FZahlart, zaRechnung);
  EXPECT_FALSE(neu->Konto());
  EXPECT_EQ(neu->FErstelltVon.FLogin, "Admin");
  EXPECT_TRUE(liste->FGeaendert);
}

// The fee page of a user who may see but not change fee data opens, read-only;
// date fields show no date as empty and day 2 as "TT.MM.JJJJ".
TEST_F(Editorfenster, BeitragsseiteNurLesenUndDatumsfelder) {
  auto liste = TZAQ::CreateAusDatei(std::string(ZAQ_QUELLEN) + "/demo/Demoverein.zaq");
  ASSERT_TRUE(liste);
  auto& leser = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Leser"));
  leser.FRechte = 0x80 | 0x200;
  liste->SetzeAktuellerBenutzer(&leser);
  TMitglied kopie(liste->FMitglieder[0]);
  kopie.FGeburtsdatum = 0;
  kopie.FEintrittsdatum = kDatumOffen;
  TfrmZAQBearbeiten logik(kopie, *liste, Editormodus::Bearbeiten, "Lesen");
  BearbeitenFenster fenster(logik, nullptr);
  auto* seiten = fenster.findChild<QTabWidget*>();
  ASSERT_TRUE(seiten);
  EXPECT_TRUE(seiten->isTabVisible(2));
  EXPECT_TRUE(seiten->isTabEnabled(2));
  seiten->setCurrentIndex(2);
  EXPECT_EQ(seiten->currentIndex(), 2);
  EXPECT_FALSE(seiten->widget(2)->isEnabled());
  EXPECT_TRUE(seiten->widget(0)->isEnabled());
  EXPECT_EQ(Kind<QLineEdit>(&fenster, "txtGebDt")->text(), QString());
  EXPECT_EQ(Kind<QLineEdit>(&fenster, "txtEinDt")->text(), QStringLiteral("TT.MM.JJJJ"));
}

// The right mouse button on the fee class key opens the key chooser.
TEST_F(Editorfenster, RechteMaustasteOeffnetDieAuswahl) {
  auto liste = TZAQ::CreateAusDatei(std::string(ZAQ_QUELLEN) + "/demo/Demoverein.zaq");
  ASSERT_TRUE(liste);
  TMitglied kopie(liste->FMitglieder[0]);
  TfrmZAQBearbeiten logik(kopie, *liste, Editormodus::Bearbeiten, "Auswahl");
  BearbeitenFenster fenster(logik, nullptr);
  SkriptOberflaeche skript;
  OberflaecheSetzen setzen(skript);
  skript.Dialoge.push_back([](DialogDaten& d) {
    auto& a = dynamic_cast<TfrmAuswahl&>(d);
    a.Index = static_cast<int>(a.Eintraege.size()) - 1;
    return true;
  });
  QLineEdit* schluessel = Kind<QLineEdit>(&fenster, "txtBTS");
  QTest::mouseClick(schluessel, Qt::RightButton);
  EXPECT_EQ(skript.DialogArten, std::vector<std::string>{"Auswahl"});
  const std::string letzter = liste->FStammdaten.FBtrKlassen.Element(liste->FStammdaten.FBtrKlassen.Anzahl() - 1).FSchluessel;
  EXPECT_EQ(logik.txtBTS, letzter);
  EXPECT_EQ(schluessel->text(), Q(letzter));
}

}  // namespace
}  // namespace zaq::gui
