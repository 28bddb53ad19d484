// The import dialog and the LGV window on their logic, offscreen: a column
// given its field from the menu, the import with its question; a booking of
// an older debit list changed by typing and stored.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <random>

#include "gui/Importfenster.h"
#include "gui/Lgvfenster.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/Benutzer.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class LgvImportGui : public ::testing::Test {
 protected:
  LgvImportGui() : verein(TZAQ::CreateNeu(false, true)) {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-lgv-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    verein->SetzeAktuellerBenutzer(verein->Administrator());
  }
  ~LgvImportGui() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  std::string Datei(const std::string& name, const std::string& inhalt) {
    const auto pfad = FVerzeichnis / name;
    std::ofstream(pfad, std::ios::binary) << inhalt;
    return pfad.string();
  }
  fs::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::shared_ptr<TZAQ> verein;
};

TEST_F(LgvImportGui, ImportMitFeldmenue) {
  TfrmZAQImport logik(*verein);
  ASSERT_TRUE(logik.LadeDatei(Datei("mitglied.txt", "Nr;Name;Ort\r\n12;M\xFCller;Ulm\r\n13;Abel;Bonn;x\r\n")));
  ImportDialog dialog(logik, nullptr);
  dialog.show();
  QTableWidget* t = dialog.Tabelle();
  ASSERT_EQ(t->columnCount(), 5);
  ASSERT_EQ(t->rowCount(), 2);
  EXPECT_EQ(t->horizontalHeaderItem(1)->text(), QStringLiteral("»"));
  EXPECT_EQ(t->item(0, 2)->text(), QStringLiteral("Müller"));
  EXPECT_EQ(t->item(0, 4)->text(), QString());
  // The field menu: "Mitgliedsnummer" alone, "Nachname" under its group.
  QMenu* menue = dialog.Feldmenue(1);
  QAction* nummer = nullptr;
  for (QAction* a : menue->actions())
    if (a->text() == QStringLiteral("Mitgliedsnummer")) nummer = a;
  ASSERT_TRUE(nummer);
  nummer->trigger();
  EXPECT_EQ(t->horizontalHeaderItem(1)->text(), QStringLiteral("MNr."));
  menue = dialog.Feldmenue(2);
  QAction* nachname = nullptr;
  for (QAction* a : menue->actions())
    if (a->menu() && a->text() == QStringLiteral("Persönliche Angaben"))
      for (QAction* b : a->menu()->actions())
        if (b->text() == QStringLiteral("Nachname")) nachname = b;
  ASSERT_TRUE(nachname);
  nachname->trigger();
  // A cell corrected in the preview is what is imported.
  t->item(1, 2)->setText(QStringLiteral("Abele"));

  // Without a target: the message, the dialog stays.
  dialog.Importieren();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui.Texte().back(),
            "Bitte wählen, ob Datensätze als Mitglieder oder als ehemalige Mitglieder ins Archiv importiert werden "
            "sollen!");
  dialog.findChildren<QRadioButton*>().at(0)->setChecked(true);
  ui.Antworten = {Antwort::Ja};
  dialog.Importieren();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(verein->FMitglieder.Anzahl(), 2);
  EXPECT_EQ(verein->FMitglieder[1].FName, "Abele");
  EXPECT_EQ(verein->FMitglieder[1].FMitgliedsnummer, 13);

  // The header lines rebuild the preview.
  ImportDialog zweiter(logik, nullptr);
  zweiter.Kopfzeilen()->setValue(0);
  EXPECT_EQ(zweiter.Tabelle()->rowCount(), 3);
}

TEST_F(LgvImportGui, LgvBuchungTippenUndSpeichern) {
  std::string satz(444, '\0');
  const std::string schluessel = "51 000 GUTSCHRIFTEN";
  satz[0] = static_cast<char>(schluessel.size());
  satz.replace(1, schluessel.size(), schluessel);
  std::string buchung(444, '\0');
  buchung[0] = 4;
  buchung.replace(1, 4, "Berg");
  buchung[28] = 8;
  buchung.replace(29, 8, "00000000");
  buchung[37] = 10;
  buchung.replace(38, 10, "0000000000");
  const float betrag = 2.5f;
  buchung.replace(48, 4, reinterpret_cast<const char*>(&betrag), 4);
  buchung[52] = 7;
  buchung.replace(53, 7, "Spesen ");
  const std::string datei = Datei("gut.gsv", satz + buchung);
  auto logik = std::make_shared<TfrmLGV>(*verein);
  ASSERT_TRUE(logik->Oeffnen(datei));
  auto* f = new LgvFenster(logik, nullptr);
  QPointer<LgvFenster> fenster(f);
  f->show();
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Gutschriften - [gut.gsv]"));
  EXPECT_EQ(f->Betragsbeschriftung()->text(), QStringLiteral("Überweisungsbetrag:"));
  EXPECT_EQ(f->Betrag()->text(), QStringLiteral("2,50"));
  QTest::keyClicks(f->Kontoinhaber(), QStringLiteral("er"));
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 1 von 1 (geändert)"));
  f->Zweckzeilen()->item(0, 1)->setText(QStringLiteral("Zeile drei"));
  EXPECT_EQ(logik->FFelder.Zweck[2], "Zeile drei");
  f->Befehl(QStringLiteral("Speichern"))->trigger();
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 1 von 1"));
  EXPECT_EQ(logik->Liste().Lesen(1).Kontoinhaber, "Berger");
  EXPECT_EQ(logik->Liste().Lesen(1).Zweck[2], "Zeile drei");
  f->close();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(fenster);
  EXPECT_FALSE(logik->Liste().Offen());
}

}  // namespace
}  // namespace zaq::gui
