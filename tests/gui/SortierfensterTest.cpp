// The windows of sorting, searching and table templates on their logic.
// Grabs the template window into the build directory.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <random>

#include "ImDialog.h"
#include "bank/Bank.h"
#include "base/Text.h"
#include "gui/Hauptfenster.h"
#include "gui/QtOberflaeche.h"
#include "gui/Sortierfenster.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

QPushButton* Knopf(QWidget& w, const QString& text) {
  for (auto* b : w.findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

class Fenster : public ::testing::Test {
 protected:
  Fenster() {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-sort-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
  }
  ~Fenster() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  fs::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
};

TEST_F(Fenster, ErweiterteSortierung) {
  TfrmZAQSort logik(Sortierschluessel{-21, 25});
  SortierFenster f(logik);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Sortierreihenfolge wählen"));
  EXPECT_EQ(f.Wahl(0)->currentText(), QStringLiteral("Nachname"));
  EXPECT_TRUE(f.Absteigend(0)->isChecked());
  EXPECT_EQ(f.Wahl(1)->currentIndex(), -1) << "a kind that cannot be sorted chooses nothing";
  EXPECT_EQ(f.Wahl(2)->currentText(), QStringLiteral("Mitgliedsnummer"));
  EXPECT_EQ(f.Absteigend(1)->toolTip(), QStringLiteral("Absteigende sortierreihenfolge"));
  f.Wahl(1)->setCurrentIndex(13);
  f.Absteigend(2)->setChecked(true);
  Knopf(f, QStringLiteral("&Sortieren"))->click();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(logik.Sortieren(), (Sortierschluessel{-21, 61, -3}));
}

TEST_F(Fenster, VorlageSpaltenUndFelder) {
  TTabVorlage t;
  TfrmZAQBenutzerTab logik(t, TfrmZAQBenutzerTab::mdFilter, {"Aktiv", "Passiv"});
  VorlagenFenster f(logik);
  f.show();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Eigenschaften der Filtertabelle"));
  QListWidget* frei = f.Verfuegbar();
  QListWidget* spalten = f.Gewaehlt();
  ASSERT_EQ(spalten->count(), 5);
  EXPECT_EQ(spalten->item(2)->text(), QStringLiteral("025;Name, Vorname kombiniert"));
  EXPECT_EQ(frei->item(0)->text(), QStringLiteral("000;Listenangaben:"));
  EXPECT_TRUE(frei->item(0)->font().bold());
  EXPECT_FALSE(frei->item(0)->flags() & Qt::ItemIsSelectable);
  EXPECT_FALSE(frei->item(0)->flags() & Qt::ItemIsDragEnabled);

  // A double click takes an entry over; a heading stays.
  emit frei->itemDoubleClicked(frei->item(0));
  EXPECT_EQ(spalten->count(), 5);
  const QString erstes = frei->item(1)->text();
  emit frei->itemDoubleClicked(frei->item(1));
  ASSERT_EQ(spalten->count(), 6);
  EXPECT_EQ(spalten->item(5)->text(), erstes);
  // Dropping into the chosen list puts the entry into the gap nearest the mouse.
  const QRect zeile = spalten->visualItemRect(spalten->item(1));
  EXPECT_EQ(f.Gewaehlt()->Luecke(QPoint(5, zeile.top() + 2)), 1);
  EXPECT_EQ(f.Gewaehlt()->Luecke(QPoint(5, zeile.bottom() - 1)), 2);
  f.Ablegen(f.Gewaehlt(), 5, f.Gewaehlt(), 0);
  EXPECT_EQ(spalten->item(0)->text(), erstes);
  f.Ablegen(f.Gewaehlt(), 0, f.Verfuegbar(), 0);
  EXPECT_EQ(spalten->count(), 5);
  EXPECT_EQ(frei->item(1)->text(), erstes) << "back at its place by kind";

  f.grab().save(QString::fromStdString(std::string(ZAQ_BINAER) + "/Tabellenvorlage.png"));
  f.TitelFeld()->setText(QStringLiteral("  Vorstand "));
  f.Sortierung(0)->setCurrentIndex(20);
  f.Sortierung(1)->setCurrentIndex(20);
  f.Sortierung(2)->setCurrentIndex(20);
  f.Bestaetigen();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  logik.Uebernehmen();
  EXPECT_EQ(logik.Kopie().FTitel, "Vorstand");
  EXPECT_TRUE(logik.Kopie().FSortierung.empty());
  EXPECT_EQ(logik.Kopie().FSpalten, (std::vector<std::int32_t>{1, 3, 25, 41, 44}));
}

TEST_F(Fenster, VorlageOhneKriterienUndSortierung) {
  TTabVorlage t;
  TfrmZAQBenutzerTab logik(t, TfrmZAQBenutzerTab::mdProgramm);
  VorlagenFenster f(logik);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Programmtabellenvorlage bearbeiten"));
  EXPECT_EQ(f.Sortierung(0), nullptr);
  EXPECT_TRUE(f.findChildren<QCheckBox*>().empty());
  EXPECT_EQ(Knopf(f, QStringLiteral("Kopfzeile...")), nullptr);
}

// The menu item shows and hides the search window; typing searches, and
// "Suchen" finds the next one.
TEST_F(Fenster, SuchfensterAmHauptfenster) {
  const std::string datei = (FVerzeichnis / "Demoverein.zaq").string();
  fs::copy_file(std::string(ZAQ_QUELLEN) + "/demo/Demoverein.zaq", datei);
  SpeichereAutomatischeAnmeldung("Admin", "");
  BankverzeichnisSetzen bank(std::make_unique<TBank>(std::string(ZAQ_BINAER) + "/bin"));
  Hauptfenster fenster;
  fenster.show();
  ASSERT_EQ(fenster.Programm().DateiOeffnen(datei), 1);
  TZAQ* liste = fenster.Programm().Liste();
  SuchFenster* suche = fenster.Suchfenster();
  EXPECT_FALSE(suche->isVisible());
  fenster.Aktion(Bef::mnuMitglSuchen)->trigger();
  ASSERT_TRUE(suche->isVisible());
  EXPECT_TRUE(fenster.Aktion(Bef::mnuMitglSuchen)->isChecked());
  EXPECT_TRUE(suche->Automatisch()->isChecked());

  // The last member with a plain ASCII name: the test keyboard types no umlauts.
  const TMitglied* gefunden = nullptr;
  for (const auto& m : liste->FMitglieder) {
    const std::string n = m->FName + m->FVorname;
    if (std::all_of(n.begin(), n.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) gefunden = m.get();
  }
  ASSERT_TRUE(gefunden);
  const TMitglied& ziel = *gefunden;
  QTest::keyClicks(suche->Text(), Q(ziel.FName + " " + ziel.FVorname));
  EXPECT_EQ(fenster.Programm().AktuellesMitglied(), &ziel);
  suche->Suchen();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Keinen weiteren Datensatz gefunden."});
  EXPECT_EQ(suche->Text()->selectedText(), suche->Text()->text());

  Knopf(*suche, QStringLiteral("Schließen"))->click();
  EXPECT_FALSE(suche->isVisible());
  EXPECT_FALSE(fenster.Aktion(Bef::mnuMitglSuchen)->isChecked());
  EXPECT_FALSE(fenster.Programm().Suchfenster().Sichtbar());

  // The sort commands run from the menu and keep the current member.
  fenster.Aktion(Bef::mnuSortName)->trigger();
  EXPECT_EQ(fenster.Programm().AktuellesMitglied(), &ziel);
  for (int i = 1; i < liste->FMitglieder.Anzahl(); ++i)
    EXPECT_LE(VergleicheText(liste->FMitglieder[i - 1].FName, liste->FMitglieder[i].FName), 0) << i;
}

}  // namespace
}  // namespace zaq::gui
