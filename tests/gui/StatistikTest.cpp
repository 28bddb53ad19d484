// The statistics window offscreen: the chart's series and titles from the
// logic, the status line, the smoothing menu, the export as PNG and PDF,
// and a picture of the chart kept in the build directory.
#include <gtest/gtest.h>

#include <QAction>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QTreeWidget>
#include <QMenuBar>
#include <filesystem>
#include <fstream>
#include <random>

#include "gui/Dateiinfo.h"
#include "gui/Statistikfenster.h"
#include "interaction/Einstellungen.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class StatistikGui : public ::testing::Test {
 protected:
  StatistikGui() : verein(TZAQ::CreateNeu(false, true)) {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-statistik-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    verein->FStammdaten.FVereinsname = "TSV Musterstadt";
    verein->FStammdaten.FAlterStichtag = KodiereDatum(2025, 12, 31);
    std::mt19937 zufall(3);
    for (std::uint16_t nr = 1; nr <= 300; ++nr) {
      auto& m = verein->FMitglieder.Anhaengen(std::make_unique<TMitglied>(verein.get(), nr));
      m.FGeburtsdatum = KodiereDatum(1930 + static_cast<int>(zufall() % 90), 1 + static_cast<int>(zufall() % 12), 1);
      m.FEintrittsdatum = std::max(m.FGeburtsdatum, KodiereDatum(1960 + static_cast<int>(zufall() % 60), 1, 1));
      m.FMaennlich = zufall() % 2 == 0;
    }
  }
  ~StatistikGui() override {
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  fs::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::unique_ptr<TZAQ> verein;
};

TEST_F(StatistikGui, DiagrammStatuszeileUndExport) {
  auto logik = std::make_shared<TfrmStatistik>(*verein);
  StatistikFenster f(logik, nullptr);
  f.resize(900, 560);
  f.show();
  QChart* chart = f.Ansicht()->chart();
  EXPECT_EQ(chart->title(), QStringLiteral("TSV Musterstadt<br>Bezugsdatum: 31.12.2025"));
  ASSERT_EQ(chart->series().size(), 3);
  EXPECT_EQ(chart->series()[0]->name(), QStringLiteral("Männer"));
  EXPECT_EQ(chart->series()[1]->name(), QStringLiteral("Frauen"));
  auto* gesamt = qobject_cast<QLineSeries*>(chart->series()[2]);
  ASSERT_TRUE(gesamt);
  // The total line is the smoothed histogram of all members.
  const TGeglaettet reihen = logik->Reihen();
  ASSERT_EQ(gesamt->count(), static_cast<int>(reihen.size()));
  EXPECT_DOUBLE_EQ(gesamt->at(50).y(), reihen[50][2]);
  EXPECT_EQ(f.Status(2)->text(), QStringLiteral("Mitglieder: 300"));
  EXPECT_TRUE(f.Status(0)->text().startsWith(QStringLiteral("Durchschnittliches Alter: ")));
  f.grab().save(QString::fromStdString(std::string(ZAQ_BINAER) + "/statistikfenster.png"));

  // "Kein Filter" shows the histogram itself; "Vereinszugehörigkeit" the other one.
  for (QAction* a : f.menuBar()->actions())
    for (QAction* b : a->menu() ? a->menu()->actions() : QList<QAction*>{})
      if (b->text() == QStringLiteral("Kein Filter") || b->text() == QStringLiteral("Vereinszugehörigkeit"))
        b->trigger();
  EXPECT_EQ(logik->FGlaettung, 1);
  EXPECT_TRUE(logik->FMitgliedschaft);
  gesamt = qobject_cast<QLineSeries*>(chart->series()[2]);
  EXPECT_DOUBLE_EQ(gesamt->at(10).y(), logik->Daten().Mitgliedschaft[10][2]);

  // Export: the chosen type sets the extension; an existing file is asked about.
  ui.Dateinamen = {(FVerzeichnis / "diagramm").string()};
  ASSERT_TRUE(logik->Exportieren([&f](const std::string& d, bool pdf) { return f.Schreiben(QString::fromStdString(d), pdf); }));
  ASSERT_TRUE(fs::exists(FVerzeichnis / "diagramm.png"));
  std::ifstream png(FVerzeichnis / "diagramm.png", std::ios::binary);
  char kopf[4] = {};
  png.read(kopf, 4);
  EXPECT_EQ(std::string(kopf + 1, 3), "PNG");
  ui.Dateinamen = {(FVerzeichnis / "diagramm.png").string(), (FVerzeichnis / "anders").string()};
  ui.Antworten = {Antwort::Nein};
  ASSERT_TRUE(logik->Exportieren([&f](const std::string& d, bool pdf) { return f.Schreiben(QString::fromStdString(d), pdf); }));
  EXPECT_TRUE(fs::exists(FVerzeichnis / "anders.png"));
  EXPECT_EQ(ui.Texte().back(), "Die Datei " + (FVerzeichnis / "diagramm.png").string() +
                                   " existiert bereits. Soll sie überschrieben werden?");
  ui.Dateinamen = {(FVerzeichnis / "diagramm.pdf").string()};
  ASSERT_TRUE(logik->Exportieren([&f](const std::string& d, bool pdf) { return f.Schreiben(QString::fromStdString(d), pdf); }));
  std::ifstream pdf(FVerzeichnis / "diagramm.pdf", std::ios::binary);
  char pdfkopf[5] = {};
  pdf.read(pdfkopf, 5);
  EXPECT_EQ(std::string(pdfkopf, 5), "%PDF-");
}

TEST_F(StatistikGui, DateiUndDatensatzInfo) {
  TfrmDateiInfo logik(*verein, {"ZAQ Mitgliederverwaltung"});
  DateiInfoDialog dialog(logik, nullptr);
  ASSERT_EQ(dialog.Liste()->topLevelItemCount(), static_cast<int>(logik.Zeilen.size()));
  EXPECT_EQ(dialog.Liste()->topLevelItem(0)->text(0), QStringLiteral("Dateibeschreibung:"));
  TfrmDatensatzInfo info(verein->FMitglieder[0]);
  DatensatzInfoDialog zweiter(info, nullptr);
  EXPECT_EQ(zweiter.windowTitle(), QStringLiteral("Datensatzinfo"));
  const auto texte = zweiter.findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(texte.begin(), texte.end(), [](QLabel* l) {
    return l->text() == QStringLiteral("Es liegt keine Austrittserklärung vor.");
  }));
}

}  // namespace
}  // namespace zaq::gui
