// The collection wizard on its logic, offscreen.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <filesystem>
#include <random>

#include "gui/Einzugsfenster.h"
#include "gui/QtOberflaeche.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/Konto.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class EinzugGui : public ::testing::Test {
 protected:
  EinzugGui() : liste(TZAQ::CreateNeu(false, true)) {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-einzug-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    auto& k = liste->FStammdaten.FVereinskonten.Hinzufuegen();
    k.FKontoSchluessel = "HAUPT";
    k.FBezeichnung = "Hauptkonto";
  }
  ~EinzugGui() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  fs::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::unique_ptr<TZAQ> liste;
};

TEST_F(EinzugGui, AssistentSeiteFuerSeite) {
  TfrmSEPAAssistent logik(*liste, false, KodiereDatum(2026, 3, 1));
  AssistentFenster f(logik, nullptr);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Mitgliedsbeiträge einziehen"));
  EXPECT_EQ(f.Beschreibung()->text(), QStringLiteral("Mitgliedsbeiträge 2026 vom 01.03.2026"));
  f.Weiter();
  f.Zweck()->setText(QStringLiteral("Beitrag %Jahre%"));
  f.Weiter();
  f.Weiter();  // no choice of the date yet: refused
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Sie müssen wählen, ob das Beitrag-Bezahlt-Datum in den "
                                                 "ZQA-Datensätzen nun aktualisiert werden sollen!"});
  f.Vorlaeufig()->setChecked(true);
  f.Weiter();
  EXPECT_EQ(f.Konten()->currentRow(), 0);
  f.Weiter();
  f.Weiter();
  EXPECT_EQ(f.WeiterKnopf()->text(), QStringLiteral("Speichern"));
  f.Weiter();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_TRUE(logik.Fertig());
  EXPECT_EQ(logik.FDatumwahl, TfrmSEPAAssistent::vorlaeufig);
}

}  // namespace
}  // namespace zaq::gui
