// The wizard and the SEPA window on their logic, offscreen.
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

TEST_F(EinzugGui, SepaFensterZeigtDieListe) {
  auto logik = std::make_shared<TfrmSEPA>(*liste);
  ASSERT_TRUE(logik->Liste().Anlegen((FVerzeichnis / "l.slv").string()));
  TSepaBuchung b;
  b.Name = "Müller, Hans";
  b.IBAN = "DE89370400440532013000";
  b.Betrag = 12.5f;
  b.Verwendungszweck = "Beitrag 2026\r\n001 Müller, Hans";
  ASSERT_TRUE(logik->Liste().Schreiben(b, 1));
  bool geschlossen = false;
  logik->BeimSchliessen = [&] { geschlossen = true; };
  auto* f = new SepaFenster(logik, nullptr);
  f->show();
  ASSERT_EQ(f->Buchungen()->rowCount(), 1);
  EXPECT_EQ(f->Buchungen()->item(0, 0)->text(), QStringLiteral("Müller, Hans"));
  EXPECT_EQ(f->Buchungen()->item(0, 4)->text(), QStringLiteral("12,50 €"));
  EXPECT_EQ(f->Buchungen()->item(0, 5)->text(), QStringLiteral("Beitrag 2026 / 001 Müller, Hans"));
  EXPECT_TRUE(f->Kopf()->text().contains(QStringLiteral("1 Buchungen, 12,50 €")));
  f->close();
  EXPECT_TRUE(geschlossen);
  EXPECT_FALSE(logik->Liste().Offen());
}

}  // namespace
}  // namespace zaq::gui
