// The print dialog hands what was typed to its logic and stays open when it
// refuses; printing to the PDF pseudo printer writes the pages through Qt,
// the preview shows them, and a cancelled printout leaves no file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "ImDialog.h"
#include "gui/Druckfenster.h"
#include "lists/Tabelle.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class DruckGui : public ::testing::Test {
 protected:
  DruckGui() : liste(TZAQ::CreateNeu(false, true)) {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-druck-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    liste->SetzeAktuellerBenutzer(liste->Administrator());
    for (std::uint16_t nr = 1; nr <= 4; ++nr) {
      auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
      m.FName = "Mitglied " + std::to_string(nr);
    }
  }
  ~DruckGui() override { fs::remove_all(FVerzeichnis); }

  // Two pages of German text.
  static TDruckauftrag Auftrag(bool fertig = true) {
    TDruckauftrag a;
    a.titel = "ZAQ Tabellenausdruck";
    a.drucker = kPdfDrucker;
    a.drucken = [fertig](TDruckgeraet& g) {
      g.SetzeSchrift(TSchrift{"Arial", 12, 0, 0});
      g.Text(100, 100, "Grüße aus Überlingen: 12,50 €");
      g.NeueSeite();
      g.Text(100, 100, "Zweite Seite, Straße");
      return fertig;
    };
    return a;
  }
  static std::string PdfText(const fs::path& pdf) {
    const fs::path txt = pdf.string() + ".txt";
    const std::string befehl = "pdftotext '" + pdf.string() + "' '" + txt.string() + "'";
    if (std::system(befehl.c_str()) != 0) return {};
    std::ifstream ein(txt);
    std::stringstream s;
    s << ein.rdbuf();
    return s.str();
  }

  fs::path FVerzeichnis;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::unique_ptr<TZAQ> liste;
};

TEST_F(DruckGui, DialogPrueftUndUebernimmt) {
  TTabVorlage v;
  v.FTitel = "Adressen";
  v.FSpalten = {1, 3, 25};
  TTabelle tabelle(*liste, v, true);
  tabelle.Aufbauen();
  TfrmTabDrucken logik(tabelle);
  DruckDialogFenster dialog(logik, nullptr);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tabelle ausdrucken"));
  EXPECT_EQ(dialog.Titel()->text(), QStringLiteral("Adressen"));
  EXPECT_EQ(dialog.Von()->text(), QStringLiteral("1"));
  EXPECT_EQ(dialog.Bis()->text(), QStringLiteral("4"));
  EXPECT_EQ(dialog.Kopien()->text(), QStringLiteral("1"));
  ASSERT_EQ(dialog.Drucker()->count(), 2);
  EXPECT_EQ(dialog.Drucker()->itemText(1), QStringLiteral("Zweiter Drucker"));

  struct Fall {
    const char *von, *bis, *kopien, *meldung;
  };
  for (const Fall& f : {Fall{"3", "2", "1", "Die Anfangszeile darf nicht nach der Endzeile liegen."},
                        Fall{"1", "4", "x", "Geben Sie nur Zahlen bei Exemplaren und Zeilen an!"},
                        Fall{"", "4", "1", "Geben Sie nur Zahlen bei Exemplaren und Zeilen an!"}}) {
    SCOPED_TRACE(f.meldung);
    ui.Leeren();
    dialog.Von()->setText(QString::fromUtf8(f.von));
    dialog.Bis()->setText(QString::fromUtf8(f.bis));
    dialog.Kopien()->setText(QString::fromUtf8(f.kopien));
    dialog.OK(false);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
  }

  ui.Leeren();
  dialog.Titel()->setText(QStringLiteral("Adressen für Übungsleiter"));
  dialog.Von()->setText(QStringLiteral("2"));
  dialog.Bis()->setText(QStringLiteral("3"));
  dialog.Kopien()->setText(QStringLiteral("2"));
  dialog.Drucker()->setCurrentIndex(1);
  dialog.findChildren<QRadioButton*>().at(1)->setChecked(true);
  dialog.OK(false);
  EXPECT_TRUE(ui.Texte().empty());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(logik.FTitel, "Adressen für Übungsleiter");
  EXPECT_EQ(logik.Von(), 2);
  EXPECT_EQ(logik.Bis(), 3);
  EXPECT_TRUE(logik.FQuer);
  EXPECT_FALSE(logik.FVorschau);
  const TDruckauftrag a = logik.Auftrag("ZAQ Tabellenausdruck");
  EXPECT_EQ(a.drucker, "Zweiter Drucker");
  EXPECT_EQ(a.kopien, 2);
  EXPECT_TRUE(a.quer);
}

TEST_F(DruckGui, PdfDateiUndVorschau) {
  const fs::path pdf = FVerzeichnis / "Ausdruck.pdf";
  ui.Dateinamen = {pdf.string()};
  TDruckauftrag a = Auftrag();
  ASSERT_TRUE(QtDrucken(a, nullptr));
  ASSERT_EQ(ui.DateiDialoge.size(), 1u);
  EXPECT_EQ(ui.DateiDialoge[0].titel, "Als PDF speichern");
  ASSERT_TRUE(fs::exists(pdf));
  // Readable by the owner only: the pages hold members' data.
  EXPECT_EQ(fs::status(pdf).permissions() & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Grüße aus Überlingen: 12,50 €"), std::string::npos) << text;
  EXPECT_NE(text.find("Zweite Seite, Straße"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2);

  // A cancelled printout writes nothing, and the old file stays.
  const auto groesse = fs::file_size(pdf);
  ui.Dateinamen = {pdf.string()};
  TDruckauftrag abgebrochen = Auftrag(false);
  EXPECT_FALSE(QtDrucken(abgebrochen, nullptr));
  EXPECT_EQ(fs::file_size(pdf), groesse);
  // No file chosen: nothing printed.
  ui.Dateinamen = {std::nullopt};
  EXPECT_FALSE(QtDrucken(a, nullptr));

  // The preview draws the pages on the screen and asks for no file.
  int seiten = 0;
  a.vorschau = true;
  a.drucken = [&seiten](TDruckgeraet& g) {
    g.SetzeSchrift(TSchrift{"Arial", 12, 0, 0});
    g.Text(100, 100, "Vorschau");
    seiten = g.Seitennummer();
    return true;
  };
  ui.DateiDialoge.clear();
  test::ImDialog<QPrintPreviewDialog>([](QPrintPreviewDialog& d) { d.reject(); });
  EXPECT_TRUE(QtDrucken(a, nullptr));
  EXPECT_EQ(seiten, 1);
  EXPECT_TRUE(ui.DateiDialoge.empty());
}

}  // namespace
}  // namespace zaq::gui
