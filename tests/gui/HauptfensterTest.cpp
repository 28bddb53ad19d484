// The main window on the demo club: what it shows, stepping, the scroll bar,
// the quick search by number and by name, "not found -> add?", rights; and
// the dialog windows it opens.  Grabs the window into the build directory.
#include <gtest/gtest.h>

#include "ImDialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <random>

#include "bank/Bank.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "gui/Beitragsdialoge.h"
#include "gui/Dialoge.h"
#include "gui/Hauptfenster.h"
#include "gui/QtOberflaeche.h"
#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "store/ZAQ.h"
#include "support/SkriptOberflaeche.h"
#include "views/Bearbeiten.h"

namespace zaq::gui {
namespace {

namespace fs = std::filesystem;

const std::string kRechte =
    "Sie sind im Moment als Stefan Schriftführer angemeldet und besitzen leider nicht das Recht, die gewünschte "
    "Aktion auszuführen.";

// A copy of the demo club in a directory of its own, which also holds the
// settings: the administrator logs in automatically.
class Demoverein : public ::testing::Test {
 protected:
  Demoverein() {
    FVerzeichnis = fs::temp_directory_path() / ("zaq-gui-demo-" + std::to_string(std::random_device{}()));
    fs::create_directories(FVerzeichnis);
    SetzeEinstellungsVerzeichnis(FVerzeichnis.string());
    SpeichereAutomatischeAnmeldung("Admin", "");
    datei = (FVerzeichnis / "Demoverein.zaq").string();
    fs::copy_file(std::string(ZAQ_QUELLEN) + "/demo/Demoverein.zaq", datei);
    FBank = std::make_unique<BankverzeichnisSetzen>(std::make_unique<TBank>(std::string(ZAQ_BINAER) + "/bin"));
  }
  ~Demoverein() override {
    Warten().Schliessen();
    SetzeEinstellungsVerzeichnis("");
    fs::remove_all(FVerzeichnis);
  }
  fs::path FVerzeichnis;
  std::string datei;
  SkriptOberflaeche ui;
  OberflaecheSetzen FSetzen{ui};
  std::unique_ptr<BankverzeichnisSetzen> FBank;
};

class HauptfensterDemo : public Demoverein {
 protected:
  void SetUp() override {
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    ASSERT_EQ(fenster.Programm().DateiOeffnen(datei), 1);
    liste = fenster.Programm().Liste();
    ASSERT_TRUE(liste);
    ASSERT_GE(liste->AnzahlMitglieder(), 20);
  }
  QString Text(Anzeige feld) const { return fenster.Feld(feld)->text(); }
  QString Status(int feld) const { return fenster.Statusfeld(feld)->text(); }
  const TMitglied& M(int position) const { return liste->FMitglieder[position - 1]; }
  QLineEdit* Suche() const { return fenster.Suche()->lineEdit(); }
  // Keys go to the box, which hands them to its line edit.
  void Suchen(const char* text) {
    fenster.Bildlauf()->setFocus();
    fenster.Suche()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(fenster.Suche(), QString::fromUtf8(text));
  }
  void Enter() { QTest::keyClick(fenster.Suche(), Qt::Key_Return); }
  void Speichere(const char* name) {
    fenster.grab().save(QString::fromStdString(std::string(ZAQ_BINAER) + "/" + name));
  }

  Hauptfenster fenster;
  TZAQ* liste = nullptr;
};

TEST_F(HauptfensterDemo, ZeigtDasErsteMitgliedMitAllenFeldern) {
  TMitglied& m = liste->FMitglieder[0];
  EXPECT_EQ(fenster.windowTitle(), Q("ZAQ - " + liste->FBeschreibung));
  EXPECT_EQ(Text(Anzeige::txtNNa), Q(m.FName));
  EXPECT_EQ(Text(Anzeige::txtVNa), Q(m.FVorname));
  EXPECT_EQ(Text(Anzeige::txtStr), Q(m.FStrasse));
  EXPECT_EQ(Text(Anzeige::txtGes), m.FMaennlich ? QStringLiteral("männl.") : QStringLiteral("weibl."));
  EXPECT_EQ(Text(Anzeige::txtGDt), Q(DatumText(m.FGeburtsdatum) + " (" + std::to_string(m.Alter()) + ")"));
  EXPECT_EQ(Text(Anzeige::txtGru), Q(m.GruppenText(false)));
  EXPECT_EQ(Text(Anzeige::txtBtrKlasse), Q(liste->FStammdaten.SucheBtrKlasse(m.FBeitragsschluessel.wert)->FBezeichnung));
  EXPECT_TRUE(Text(Anzeige::txtBetrag).endsWith(QStringLiteral(" €")));
  EXPECT_EQ(fenster.Rahmen(1)->title(), QStringLiteral("Persönliche Daten"));
  EXPECT_EQ(fenster.Rahmen(2)->title(), QStringLiteral("Beitragsdaten"));
  EXPECT_TRUE(fenster.Rahmen(2)->isVisible());
  EXPECT_EQ(fenster.Zahlart()->currentIndex(), m.FZahlart);
  EXPECT_EQ(Status(2), QString::number(liste->AnzahlMitglieder()) + QStringLiteral(" Mitglieder"));
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 1"));
  EXPECT_TRUE(Status(1).endsWith(Q(DatumText(Heute()))));
  EXPECT_EQ(Suche()->text(), QStringLiteral("Nr. 001"));
  EXPECT_FALSE(fenster.Aktion(Bef::befZur)->isEnabled());
  EXPECT_TRUE(fenster.Aktion(Bef::befVor)->isEnabled());
  EXPECT_TRUE(fenster.Aktion(Bef::mnuTabPers)->isEnabled());
  EXPECT_FALSE(fenster.Aktion(Bef::mnuDateiZAQImport)->isEnabled());
  EXPECT_EQ(fenster.Aktion(Bef::mnuMitglAendern)->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(fenster.Bildlauf()->maximum(), liste->AnzahlMitglieder());
  // The homepage row is hidden without a homepage: the groups take the row.
  EXPECT_EQ(fenster.Feld(Anzeige::txtHTTP)->isVisible(), !m.FHomepage.empty());
  Speichere("hauptfenster.png");
  EXPECT_TRUE(ui.Meldungen.empty());
}

// Page Up and Page Down step one member whatever has the focus, the quick
// search box included; there every letter starts the name search.
TEST_F(HauptfensterDemo, BildtastenUndBuchstabenImSuchfeld) {
  fenster.Suche()->setFocus(Qt::MouseFocusReason);
  QWidget* fokus = QApplication::focusWidget();
  ASSERT_TRUE(fokus);
  QTest::keyClick(fokus, Qt::Key_PageUp);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 2"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 3"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 2"));
  Suchen("Ö");
  EXPECT_TRUE(fenster.Programm().FNamenssuche);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(HauptfensterDemo, BlaetternUndBildlauf) {
  QTest::keyClick(&fenster, Qt::Key_PageUp);  // "&Nächstes"
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 2"));
  EXPECT_EQ(Text(Anzeige::txtNNa), Q(M(2).FName));
  EXPECT_TRUE(fenster.Aktion(Bef::befZur)->isEnabled());
  fenster.Aktion(Bef::befZur)->trigger();
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 1"));
  fenster.Bildlauf()->setValue(12);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 12"));
  EXPECT_EQ(Text(Anzeige::txtNNa), Q(M(12).FName));
  EXPECT_EQ(Suche()->text(), Q("Nr. " + M(12).MitgliedsnummerText()));
  QTest::keyClick(&fenster, Qt::Key_PageDown);  // "&Vorheriges"
  EXPECT_EQ(fenster.Bildlauf()->value(), 11);

  // The wheel over any field steps through the list; Ctrl alone does nothing.
  const auto rad = [&](int delta, Qt::KeyboardModifiers tasten) {
    QWidget* feld = fenster.Feld(Anzeige::txtOrt);
    QWheelEvent e(QPointF(5, 5), feld->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton, tasten,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(feld, &e);
  };
  rad(-120, Qt::NoModifier);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 10"));
  rad(120, Qt::ControlModifier);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 10"));
  rad(120, Qt::ShiftModifier);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 11"));

  // While the pointer rests on a command its hint stands in the third field.
  QStatusTipEvent tipp(QStringLiteral("befGesSel"));
  QApplication::sendEvent(&fenster, &tipp);
  EXPECT_EQ(Status(3), QStringLiteral("[Umschalttaste] = Listenselektion"));
  EXPECT_EQ(fenster.Aktion(Bef::befGesSel)->toolTip(), QStringLiteral("Gesamtselektion [Listenselektion]"));
  QStatusTipEvent ende{QString()};
  QApplication::sendEvent(&fenster, &ende);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 11"));
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(HauptfensterDemo, NotizknopfBlinkt) {
  const TMitglied* mitNotiz = nullptr;
  for (const auto& m : liste->FMitglieder)
    if (m->FNotizen.Anzahl() == 1) mitNotiz = m.get();
  ASSERT_TRUE(mitNotiz);
  ASSERT_TRUE(fenster.Programm().ZeigeMitgliedRef(mitNotiz));
  QAction* notiz = fenster.Aktion(Bef::befNotiz);
  EXPECT_EQ(notiz->toolTip(), Q("Für " + mitNotiz->NameAnzeige() + " ist eine Notiz hinterlegt."));
  const qint64 vorher = notiz->icon().cacheKey();
  fenster.Programm().NotizTimerTick();
  EXPECT_NE(notiz->icon().cacheKey(), vorher);
  fenster.Programm().ZeigeMitglied(liste->FMitglieder.Erstes());
  EXPECT_EQ(notiz->toolTip(), Q("Neue Notiz für " + M(1).NameAnzeige() + " anlegen."));
}

TEST_F(HauptfensterDemo, SchnellsucheNachNummerUndNamen) {
  Suchen("7");
  EXPECT_EQ(Suche()->text(), QStringLiteral("7"));
  Enter();
  const TMitglied* sieben = liste->SucheNummer(7);
  ASSERT_TRUE(sieben);
  EXPECT_EQ(fenster.Programm().AktuellesMitglied(), sieben);
  EXPECT_EQ(Text(Anzeige::txtNNa), Q(sieben->FName));
  EXPECT_EQ(Suche()->text(), QStringLiteral("Nr. 007"));
  EXPECT_EQ(Suche()->selectedText(), QStringLiteral("Nr. 007"));

  // By name: the first letter switches to name search (red) and lists matches.
  // (The test keyboard types ASCII only: the last member whose name starts so.)
  const TMitglied* ziel_ = nullptr;
  for (const auto& m : liste->FMitglieder)
    if (Q(m->FName).left(3).toUtf8().size() == 3) ziel_ = m.get();
  ASSERT_TRUE(ziel_);
  const TMitglied& ziel = *ziel_;
  Suchen(S(Q(ziel.FName).left(3)).c_str());
  EXPECT_TRUE(fenster.Programm().FNamenssuche);
  EXPECT_EQ(Suche()->palette().color(QPalette::Text), QColor(Qt::red));
  QAbstractItemView* liste_ = fenster.Treffer()->popup();
  ASSERT_TRUE(liste_->isVisible());
  const int zeilen = liste_->model()->rowCount();
  ASSERT_GE(zeilen, 1);
  for (int i = 0; i < zeilen; ++i)
    EXPECT_TRUE(NamePasst(*fenster.Programm().FTreffer[static_cast<std::size_t>(i)].mitglied.Get(),
                          S(Q(ziel.FName).left(3))));
  Speichere("hauptfenster-suche.png");
  liste_->grab().save(QString::fromStdString(std::string(ZAQ_BINAER) + "/hauptfenster-treffer.png"));
  liste_->setCurrentIndex(liste_->model()->index(0, 0));
  QTest::keyClick(liste_, Qt::Key_Return);
  const TMitglied* gewaehlt = fenster.Programm().AktuellesMitglied();
  ASSERT_TRUE(gewaehlt);
  EXPECT_EQ(Text(Anzeige::txtNNa), Q(gewaehlt->FName));
  EXPECT_TRUE(Q(gewaehlt->FName).startsWith(Q(ziel.FName).left(3), Qt::CaseInsensitive));
  EXPECT_FALSE(liste_->isVisible());
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(HauptfensterDemo, NichtGefundenFragtUndLegtAn) {
  const int vorher = liste->AnzahlMitglieder();
  ui.Antworten = {Antwort::Ja, Antwort::OK};
  ui.Dialoge = {[](DialogDaten& d) {
                  dynamic_cast<TKennwortDialog&>(d).FKennwort = "";
                  return true;
                },
                [](DialogDaten& d) {
                  dynamic_cast<TfrmZAQBearbeiten&>(d).txtNNa = "Neumitglied";
                  return true;
                }};
  Suchen("999");
  Enter();
  ASSERT_EQ(ui.Meldungen.size(), 2u);
  EXPECT_EQ(ui.Meldungen[0].meldung.text,
            "Es wurde kein Mitglied mit der angegebenen Nummer gefunden.\r\nWollen Sie ein neues Mitglied mit dieser "
            "Nummer anlegen?");
  EXPECT_EQ(ui.Meldungen[1].meldung.text, "Das Mitglied wurde aufgenommen.\r\n\r\nDer derzeitige Bestand beträgt " +
                                              std::to_string(vorher + 1) + " Mitglieder.");
  EXPECT_EQ(liste->AnzahlMitglieder(), vorher + 1);
  EXPECT_EQ(liste->FMitglieder.Letztes()->FMitgliedsnummer, 999);
  EXPECT_EQ(Status(3), QStringLiteral("Datensatz 1"));
  EXPECT_EQ(fenster.Bildlauf()->maximum(), vorher + 1);
}

TEST_F(HauptfensterDemo, OhneRechtKommtDieRechtemeldung) {
  liste->SetzeAktuellerBenutzer(liste->SucheBenutzer("Schrift", 0));
  fenster.Programm().AktualisiereMenues();
  EXPECT_FALSE(fenster.Rahmen(2)->isVisible());
  liste->FGeaendert = false;
  fenster.Aktion(Bef::mnuMitglMitglnraendern)->trigger();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{kRechte});
  EXPECT_TRUE(ui.DialogArten.empty());
  EXPECT_EQ(M(1).FMitgliedsnummer, 1);
  EXPECT_FALSE(liste->FGeaendert);
}

TEST_F(HauptfensterDemo, MitfinanziertesMitgliedZeigtDenZahler) {
  const TMitglied* kind = nullptr;
  for (const auto& m : liste->FMitglieder)
    if (m->FZahlart == zaMitfinanziert && m->Zahler()) kind = m.get();
  ASSERT_TRUE(kind);
  ASSERT_TRUE(fenster.Programm().ZeigeMitgliedRef(kind));
  const TMitglied* zahler = liste->SucheNummer(kind->Zahler()->FNummer);
  ASSERT_TRUE(zahler);
  EXPECT_EQ(fenster.Zahlart()->currentIndex(), 2);
  EXPECT_EQ(Text(Anzeige::txtZNr), Q(zahler->MitgliedsnummerText()));
  EXPECT_EQ(Text(Anzeige::txtZNa), Q(zahler->NameKomplett()));
  EXPECT_EQ(Text(Anzeige::txtZAd), Q(zahler->Adresszeile()));
  Speichere("hauptfenster-mitfinanziert.png");
  fenster.Aktion(Bef::befZWechsel)->trigger();
  EXPECT_EQ(fenster.Programm().AktuellesMitglied(), zahler);
  EXPECT_EQ(fenster.Zahlart()->currentIndex(), 1);

  // F4: the co-financing window lists whom the payer pays for; choosing an
  // entry shows that member; closing the window unticks the command.
  QTest::keyClick(&fenster, Qt::Key_F4);
  QWidget* mitfin = fenster.Mitfinanzierungen();
  ASSERT_TRUE(mitfin->isVisible());
  EXPECT_TRUE(fenster.Aktion(Bef::mnuMitglMitfin)->isChecked());
  auto* eintraege = mitfin->findChild<QListWidget*>(QStringLiteral("lstMitfinanzierungen"));
  ASSERT_TRUE(eintraege);
  ASSERT_GE(eintraege->count(), 1);
  int gefunden = -1;
  for (int i = 0; i < eintraege->count(); ++i)
    if (eintraege->item(i)->text().startsWith(Q(kind->MitgliedsnummerText()))) gefunden = i;
  ASSERT_GE(gefunden, 0);
  emit eintraege->itemActivated(eintraege->item(gefunden));
  EXPECT_EQ(fenster.Programm().AktuellesMitglied(), kind);
  mitfin->close();
  EXPECT_FALSE(fenster.Programm().FMitfinSichtbar);
  EXPECT_FALSE(fenster.Aktion(Bef::befMitfin)->isChecked());
}

TEST_F(HauptfensterDemo, BankverbindungMitBankUndRoterIBAN) {
  TMitglied& m = liste->FMitglieder[0];
  m.FZahlart = zaLastschrift;
  auto& k = m.KontoAnlegen();
  k.FBLZ = "37040044";
  k.FKontonummer = "0532013000";
  k.FIBAN = "DE89370400440532013000";
  fenster.Programm().AktualisiereAnzeige(true);
  EXPECT_EQ(fenster.Zahlart()->currentIndex(), 1);
  EXPECT_EQ(Text(Anzeige::txtBLZ), QStringLiteral("370 400 44"));
  EXPECT_EQ(Text(Anzeige::txtKNr), QStringLiteral("532 013 000"));
  EXPECT_EQ(Text(Anzeige::txtSepaIBAN), QStringLiteral("DE89 3704 0044 0532 0130 00"));
  EXPECT_EQ(Text(Anzeige::txtBnk), QStringLiteral("Commerzbank, 50447 Köln"));
  EXPECT_NE(fenster.Feld(Anzeige::txtSepaIBAN)->palette().color(QPalette::Text), QColor(Qt::red));
  k.FIBAN = "DE88370400440532013000";
  fenster.Programm().AktualisiereAnzeige(true);
  EXPECT_EQ(fenster.Feld(Anzeige::txtSepaIBAN)->palette().color(QPalette::Text), QColor(Qt::red));
  Speichere("hauptfenster-lastschrift.png");
}

TEST_F(Demoverein, AnmeldungMitLeeremKennwort) {
  auto liste = TZAQ::CreateAusDatei(datei);
  ASSERT_TRUE(liste);
  TAnmeldeDialog daten(*liste);
  AnmeldeFenster fenster(daten);
  fenster.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
  QTableWidget* tabelle = fenster.Tabelle();
  ASSERT_EQ(tabelle->rowCount(), 3);
  EXPECT_EQ(tabelle->item(0, 1)->text(), QStringLiteral("Admin (angemeldet)"));
  EXPECT_EQ(tabelle->item(1, 3)->text(), QStringLiteral("Kassenwartin"));
  // The treasurer has a password: a wrong one keeps the dialog open.
  ui.Dialoge = {[](DialogDaten& d) {
    dynamic_cast<TKennwortDialog&>(d).FKennwort = "falsch";
    return true;
  }};
  const auto mitte = [&](int zeile) { return tabelle->visualItemRect(tabelle->item(zeile, 2)).center(); };
  QTest::mouseClick(tabelle->viewport(), Qt::LeftButton, {}, mitte(1));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Das Kennwort ist falsch, probieren Sie es nochmal."});
  EXPECT_TRUE(fenster.isVisible());
  // The administrator logs in with the empty password.
  ui.Dialoge = {[](DialogDaten& d) {
    auto& k = dynamic_cast<TKennwortDialog&>(d);
    return k.FZeile2.starts_with("die Anmeldung erfordert ein Kennwort.") && k.FKennwort.empty();
  }};
  QTest::mouseClick(tabelle->viewport(), Qt::LeftButton, {}, mitte(0));
  EXPECT_EQ(fenster.result(), QDialog::Accepted);
  ASSERT_TRUE(daten.Gewaehlt());
  EXPECT_EQ(daten.Gewaehlt()->FLogin, "Admin");
}

// The whole path through the registered Qt windows: the login dialog, a
// click on "Admin", the password dialog confirmed empty.
TEST_F(Demoverein, AnmeldungUeberDieQtFenster) {
  auto liste = TZAQ::CreateAusDatei(datei);
  ASSERT_TRUE(liste);
  QtOberflaeche qt;
  OberflaecheSetzen setzen(qt);
  RegistriereDialoge();
  bool kennwortGefragt = false;
  test::ImDialog<AnmeldeFenster>([&](AnmeldeFenster& a) {
    AnmeldeFenster* anmeldung = &a;
    test::ImDialog<KennwortFenster>([&](KennwortFenster& kennwort) {
      kennwortGefragt = true;
      QTest::keyClick(kennwort.Kennwort(), Qt::Key_Return);
    });
    QTableWidget* t = anmeldung->Tabelle();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(0, 1)).center());
  });
  liste->SetzeAktuellerBenutzer(liste->SucheBenutzer("Schrift", 0));
  EXPECT_TRUE(liste->Anmelden(false));
  EXPECT_TRUE(kennwortGefragt);
  EXPECT_EQ(liste->AktuellerBenutzer(), liste->Administrator());
}

TEST_F(Demoverein, KennwortLoeschUndNummernfenster) {
  TKennwortDialog kennwort;
  KennwortFenster k(kennwort);
  EXPECT_EQ(k.Kennwort()->echoMode(), QLineEdit::Password);
  QTest::keyClicks(k.Kennwort(), QStringLiteral("geheim"));
  k.accept();
  EXPECT_EQ(kennwort.FKennwort, "geheim");

  auto liste = TZAQ::CreateAusDatei(datei);
  ASSERT_TRUE(liste);
  TMitglied& m = liste->FMitglieder[0];
  TLoeschDialog loeschen(m, false);
  LoeschFenster l(loeschen);
  EXPECT_EQ(l.Datum()->count(), 25);
  EXPECT_EQ(l.Begruendung()->count(), 3);
  QPushButton* widerrufen = nullptr;
  for (auto* b : l.findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("Löschen widerrufen")) widerrufen = b;
  ASSERT_TRUE(widerrufen);
  EXPECT_FALSE(widerrufen->isEnabled());
  l.Datum()->setEditText(QStringLiteral("31.13.2030"));
  l.Druecke(TLoeschDialog::Knopf::Sofort);
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültiges oder kein Austrittsdatum angegeben."});
  l.Datum()->setEditText(QStringLiteral("31.12.2030"));
  l.Begruendung()->setEditText(QStringLiteral("Umzug"));
  l.Druecke(TLoeschDialog::Knopf::NachAustrittsdatum);
  EXPECT_EQ(l.result(), QDialog::Accepted);
  EXPECT_EQ(loeschen.FKnopf, TLoeschDialog::Knopf::NachAustrittsdatum);
  EXPECT_EQ(loeschen.FBegruendung, "Umzug");

  TNummerDialog nummer(m);
  NummerFenster n(nummer);
  auto* alt = n.findChild<QLineEdit*>(QStringLiteral("txtAlt"));
  EXPECT_TRUE(alt->isEnabled());
  for (auto* r : n.findChildren<QRadioButton*>())
    if (r->text() == QStringLiteral("&Nur aktueller Datensatz")) r->setChecked(true);
  EXPECT_FALSE(alt->isEnabled());
  EXPECT_FALSE(nummer.FGlobal);
}

// The collection day starts at tomorrow for a past header date; the calendar
// offers tomorrow to 14 days ahead (the logic's messages refuse any other
// day), and the window hands the day to the logic.
TEST_F(Demoverein, AusfuehrungsdatumFenster) {
  TAusfuehrungsdatumDialog daten(Heute() - 30);
  AusfuehrungsdatumFenster f(daten);
  const QDate morgen = QDate::currentDate().addDays(1);
  EXPECT_EQ(f.Datum()->date(), morgen);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("DTA-Datei erstellen"));
  EXPECT_EQ(f.Datum()->minimumDate(), morgen);
  EXPECT_EQ(f.Datum()->maximumDate(), QDate::currentDate().addDays(14));
  f.Datum()->setDate(QDate::currentDate().addDays(15));
  EXPECT_EQ(f.Datum()->date(), QDate::currentDate().addDays(14));
  EXPECT_TRUE(ui.Texte().empty());
  f.Datum()->setDate(morgen.addDays(2));
  f.Bestaetigen();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(daten.FDatum, Heute() + 3);
}

}  // namespace
}  // namespace zaq::gui
