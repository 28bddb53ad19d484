// The SEPA window, the fee check window and the invoice wizard on their
// logic, offscreen: a booking changed by typing, sorted, checked.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <random>

#include "bank/Bank.h"
#include "gui/QtOberflaeche.h"
#include "gui/Rechnungsfenster.h"
#include "gui/Sepafenster.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/BtrKlasse.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

class SepaGui : public ::testing::Test {
 protected:
  SepaGui() : verein(TZAQ::CreateNeu(false, true)) {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-sepa-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    auto& k = verein->FStammdaten.FVereinskonten.Hinzufuegen();
    k.FKontoSchluessel = "HAUPT";
    k.FBezeichnung = "Hauptkonto";
    k.FInhaber = "TURNVEREIN";
    k.FIBAN = "DE89370400440532013000";
    k.FGlaeubigerID = "DE98ZZZ09999999999";
  }
  ~SepaGui() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  TSepaBuchung Buchung(const char* name, float betrag) {
    TSepaBuchung b;
    b.Name = name;
    b.IBAN = "DE02120300000000202051";
    b.Mandatsreferenz = std::string("M-") + name;
    b.Mandatsdatum = KodiereDatum(2024, 5, 1);
    b.Betrag = betrag;
    b.Verwendungszweck = "Beitrag 2026\r\n" + std::string(name);
    return b;
  }
  fs::path FVerzeichnis;
  BankverzeichnisSetzen FBank{std::make_unique<TBank>(std::string(ZAQ_BINAER) + "/bin")};
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::shared_ptr<TZAQ> verein;
};

TEST_F(SepaGui, BuchungAendernSortierenPruefen) {
  auto logik = std::make_shared<TfrmSEPA>(*verein);
  const std::string datei = (FVerzeichnis / "l.slv").string();
  {
    TSepa l;
    ASSERT_TRUE(l.Anlegen(datei));
    TSepaKopf k = l.Kopf();
    k.Kontoschluessel = "HAUPT";
    ASSERT_TRUE(l.SchreibeKopf(k));
    ASSERT_TRUE(l.Schreiben(Buchung("ZETA", 10.5f), 1));
    ASSERT_TRUE(l.Schreiben(Buchung("ADAM", 20.0f), 2));
  }
  ASSERT_TRUE(logik->Oeffnen(datei));
  bool geschlossen = false;
  logik->BeimSchliessen = [&] { geschlossen = true; };
  auto* f = new SepaFenster(logik, nullptr);
  f->show();
  EXPECT_EQ(f->windowTitle(), QStringLiteral("SEPA-Lastschriften - [l.slv]"));
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 1 von 2"));
  EXPECT_EQ(f->Kontoinhaber()->text(), QStringLiteral("ZETA"));
  EXPECT_EQ(f->IBAN()->text(), QStringLiteral("DE02 1203 0000 0000 2020 51"));
  EXPECT_EQ(f->Betrag()->text(), QStringLiteral("10,50"));
  EXPECT_EQ(f->Summe()->text(), QStringLiteral("30,50 €"));
  EXPECT_FALSE(f->Bank()->text().isEmpty());

  // Typing marks the booking; "Speichern" writes it to the file at once.
  QTest::keyClick(f->Betrag(), Qt::Key_End);
  for (int i = 0; i < 5; ++i) QTest::keyClick(f->Betrag(), Qt::Key_Backspace);
  QTest::keyClicks(f->Betrag(), QStringLiteral("12,25"));
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 1 von 2 (geändert)"));
  EXPECT_EQ(logik->FFelder.Betrag, "12,25") << f->Betrag()->text().toStdString();
  f->Befehl(QStringLiteral("Speichern"))->trigger();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{});
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 1 von 2"));
  EXPECT_EQ(f->Summe()->text(), QStringLiteral("32,25 €"));
  {
    TSepa l;
    ASSERT_TRUE(l.Oeffnen(datei));
    EXPECT_FLOAT_EQ(l.Lesen(1).Betrag, 12.25f);
  }

  // Sorting by name from the tool bar shows the first booking, now Adam.
  QAction* nachName = nullptr;
  for (QAction* a : f->findChildren<QAction*>())
    if (a->text() == QStringLiteral("Nach Name sortieren")) nachName = a;
  ASSERT_TRUE(nachName);
  nachName->trigger();
  EXPECT_EQ(f->Kontoinhaber()->text(), QStringLiteral("ADAM"));
  EXPECT_FALSE(f->Befehl(QStringLiteral("Vorherige"))->isEnabled());
  EXPECT_TRUE(f->Befehl(QStringLiteral("Nächste"))->isEnabled());

  // An unsaved change asks before the window leaves the booking.
  QTest::keyClicks(f->Kontoinhaber(), QStringLiteral(" X"));
  ui.Antworten = {Antwort::Abbrechen};
  f->Befehl(QStringLiteral("Nächste"))->trigger();
  EXPECT_EQ(ui.Texte().back(), "Das aktuelle Formular wurde geändert. Sollen die Änderungen gespeichert werden?");
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 1 von 2 (geändert)"));
  ui.Antworten = {Antwort::Nein};
  f->Befehl(QStringLiteral("Nächste"))->trigger();
  EXPECT_EQ(f->Formular()->text(), QStringLiteral("Formular 2 von 2"));

  ui.Leeren();
  f->Befehl(QStringLiteral("Bankverbindungen prüfen..."))->trigger();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datenbank ist in Ordnung!"});
  EXPECT_TRUE(f->Befehl(QStringLiteral("Drucken..."))->isEnabled());

  f->close();
  EXPECT_TRUE(geschlossen);
  EXPECT_FALSE(logik->Liste().Offen());
}

TEST_F(SepaGui, BeitragspruefungZeigtDenBericht) {
  auto& klasse = verein->FStammdaten.FBtrKlassen.Hinzufuegen();
  klasse.FSchluessel = "A";
  klasse.FBezeichnung = "Aktive";
  klasse.FAltKlassen[0].FBetrag = 120;
  klasse.FAltKlassen[0].FVerwendungszweck = "Beitrag";
  auto& m = verein->FMitglieder.Anhaengen(std::make_unique<TMitglied>(verein.get(), 1));
  m.FName = "Adam";
  m.FBeitragsschluessel.wert = "A";
  m.FZahlart = zaRechnung;
  auto logik = std::make_shared<TfrmBeitragspruefung>(*verein, KodiereDatum(2026, 8, 1));
  auto* f = new BeitragspruefungFenster(logik, nullptr);
  EXPECT_EQ(f->Kalender()->selectedDate(), QDate(2027, 12, 31));
  f->VollesJahr()->setChecked(true);
  f->Berechnen();
  ASSERT_GE(f->Bericht()->topLevelItemCount(), 9);
  EXPECT_EQ(f->Bericht()->topLevelItem(0)->text(1), QStringLiteral("1 Mitglieder."));
  EXPECT_EQ(f->Bericht()->topLevelItem(8)->text(2), QStringLiteral("100,0 %"));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es wurden keinerlei Fehler oder Hinweise festgestellt.\r\n\r\n"
                                                 "Die Summe der Mitgliedsbeiträge lautet: 120,00 €."});
  delete f;
}

TEST_F(SepaGui, RechnungsassistentVerlangtDieWahl) {
  TfrmRechnungsAssistent logik(*verein, KodiereDatum(2026, 3, 1));
  RechnungsAssistentFenster f(logik, nullptr);
  EXPECT_EQ(f.Schritt()->text(), QStringLiteral("Schritt 1 von 3: Berechnungszeitraum (Rechendatum)"));
  f.Weiter();
  f.Weiter();
  EXPECT_EQ(f.WeiterKnopf()->text(), QStringLiteral("OK"));
  f.Weiter();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Sie müssen wählen, ob die Rechendaten (Beitrag-Bezahlt-Datum) in "
                                                 "den ZQA-Datensätzen nun aktualisiert werden sollen!"});
  f.Testlauf()->setChecked(true);
  f.Weiter();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(logik.FDatumwahl, TfrmRechnungsAssistent::testlauf);
}

}  // namespace
}  // namespace zaq::gui
