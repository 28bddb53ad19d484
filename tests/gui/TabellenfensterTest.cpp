// The table window and the selection windows on their logic, offscreen:
// the grid shows the core's cells, copying puts text and RTF on the
// clipboard, moving a heading moves the column of the template, the
// selection dialogs hand the fields to their logic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <random>

#include "ImDialog.h"
#include "gui/QtOberflaeche.h"
#include "gui/Selektionsfenster.h"
#include "gui/Tabellenfenster.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class TabellenGui : public ::testing::Test {
 protected:
  TabellenGui() : liste(TZAQ::CreateNeu(false, true)) {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-tab-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    liste->SetzeAktuellerBenutzer(liste->Administrator());
    const char* namen[] = {"Zander", "Abel", "Müller {x}"};
    std::uint16_t nr = 1;
    for (const char* n : namen) {
      auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr++));
      m.FName = n;
      m.FVorname = "Eva";
      m.FOrt = "Ulm";
    }
    liste->FMitglieder[1].FSelektiert = true;
  }
  ~TabellenGui() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  std::shared_ptr<TTabelle> Tabelle() {
    TTabVorlage v;
    v.FSpalten = {1, 3, 25, 43};
    auto t = std::make_shared<TTabelle>(*liste, v, true);
    t->Aufbauen();
    return t;
  }
  fs::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::unique_ptr<TZAQ> liste;
};

TEST_F(TabellenGui, GitterKopierenUndSpalten) {
  auto* f = new TabellenFenster(Tabelle(), nullptr);
  QPointer<TabellenFenster> fenster(f);
  f->show();
  QTableView* g = f->Gitter();
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Adressenliste"));
  ASSERT_EQ(g->model()->rowCount(), 3);
  EXPECT_EQ(g->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Name"));
  EXPECT_EQ(g->model()->index(0, 2).data().toString(), QStringLiteral("Abel, Eva"));
  EXPECT_EQ(g->model()->index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 200));
  EXPECT_EQ(f->Statusfeld(2)->text(), QStringLiteral("3 von 3 Mitgliedern"));
  EXPECT_EQ(g->columnWidth(2), f->Logik().Tabelle().Breiten()[2]);
  f->grab().save(QString::fromStdString(std::string(ZAQ_BINAER) + "/tabellenfenster.png"));
  // A changed member shows when its cell is drawn.
  liste->FMitglieder[1].FVorname = "Ute";
  EXPECT_EQ(g->model()->index(0, 2).data().toString(), QStringLiteral("Abel, Ute"));

  // A click into the first column takes the row; copying the selection.
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(1, 0)).center());
  {
    QtOberflaeche qt;
    OberflaecheSetzen setzen(qt);
    f->Kopieren(true);
  }
  const QMimeData* ablage = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(ablage);
  EXPECT_EQ(ablage->text(), QStringLiteral("Pos.\tMNr.\tName\tWohnort\r\n2\t003\tMüller {x}, Eva\tUlm\r\n"));
  const QByteArray rtf = ablage->data(QStringLiteral("text/rtf"));
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\deff0"));
  EXPECT_TRUE(rtf.contains("M\xFCller \\{x\\}, Eva"));

  // Dragging a heading moves the column in the template.
  g->horizontalHeader()->moveSection(3, 0);
  EXPECT_EQ(f->Logik().Tabelle().Vorlage().FSpalten, (std::vector<std::int32_t>{43, 1, 3, 25}));
  EXPECT_EQ(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Wohnort"));
  EXPECT_EQ(g->horizontalHeader()->visualIndex(0), 0);
  // Sorting from the window's menu changes the template's keys.
  f->Aktion(QStringLiteral("nach Vorname"))->trigger();
  EXPECT_EQ(f->Logik().Tabelle().Vorlage().FSortierung, (std::vector<std::int32_t>{22, 21, 3}));
  EXPECT_TRUE(f->Aktion(QStringLiteral("&Drucken..."))->isEnabled());
  // Closing frees the window and empties the clipboard it filled.
  f->close();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(fenster);
  const QMimeData* danach = QApplication::clipboard()->mimeData();
  EXPECT_FALSE(danach && danach->text().contains(QStringLiteral("Müller")));
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(TabellenGui, GesamtselektionUndFrage) {
  TfrmZAQSelGesamt logik(*liste);
  SelGesamtFenster f(logik, nullptr);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Gesamtselektion"));
  EXPECT_FALSE(f.Schalter(QStringLiteral("Vorhandene Selektion beibehalten (ODER)"))->isEnabled() &&
               liste->AnzahlSelektierte() == 0);
  QLineEdit* von = f.Feld(QStringLiteral("GeburtsdatumVon"));
  ASSERT_TRUE(von);
  von->clear();
  QTest::keyClicks(von, QStringLiteral("01,01,1950"));
  EXPECT_EQ(von->text(), QStringLiteral("01.01.1950"));
  f.Feld(QStringLiteral("NachnameBis"))->setText(QStringLiteral("m"));
  QTest::mouseClick(f.Schalter(QStringLiteral("Männer")), Qt::LeftButton);
  QTest::mouseClick(f.Schalter(QStringLiteral("Frauen")), Qt::LeftButton);
  EXPECT_TRUE(f.Schalter(QStringLiteral("Männer"))->isChecked()) << "both cannot be off";
  ui.Antworten.push_back(Antwort::Ja);
  f.OK();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(logik.K.GeburtsdatumVon, "01.01.1950");
  EXPECT_EQ(logik.K.NachnameBis, "m");
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_EQ(liste->AnzahlSelektierte(), 1);

  TfrmZAQSelFrage frage;
  frage.FText = "Momentan ist eins von 3 Mitgliedern selektiert.";
  frage.FSelektiertZuerst = true;
  SelFrageFenster fenster(frage, nullptr);
  for (auto* c : fenster.findChildren<QCheckBox*>()) c->setChecked(true);
  for (auto* k : fenster.findChildren<QPushButton*>())
    if (k->text() == QStringLiteral("&Selektiert")) {
      EXPECT_TRUE(k->isDefault());
      k->click();
    }
  EXPECT_EQ(frage.FAntwort, 2);
  EXPECT_TRUE(frage.FAntwortMerken);
}

TEST_F(TabellenGui, ListenselektionSchliessenFragt) {
  TfrmZAQSelListe logik(*liste);
  SelListeFenster f(logik, nullptr);
  f.show();
  ASSERT_EQ(f.Liste()->rowCount(), 3);
  EXPECT_EQ(f.Liste()->item(1, 1)->text(), QStringLiteral("X"));
  f.Liste()->cellClicked(0, 0);
  EXPECT_EQ(f.Liste()->item(0, 1)->text(), QStringLiteral("X"));
  ui.Antworten.push_back(Antwort::Ja);
  f.close();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Wollen Sie die Änderungen übernehmen?"});
  EXPECT_EQ(liste->AnzahlSelektierte(), 2);
}

}  // namespace
}  // namespace zaq::gui
