// Collecting fees as the user meets it: the wizards' steps, checks and
// defaults, the fee menu's runs, and the SEPA window's check and export.
#include <gtest/gtest.h>

#include <filesystem>

#include "debits/sepa/Export.h"
#include "debits/sepa/SEPASchema.h"
#include "fees/VereinHilfen.h"
#include "interaction/Einstellungen.h"
#include "lists/Selektion.h"
#include "store/Konto.h"
#include "views/Einzug.h"
#include "views/Hauptfenster.h"

namespace zaq {
namespace {

using test::D;

class Assistent : public test::MitVerein {
 protected:
  Assistent() {
    stamm().FVereinskonten.Element(0).FBezeichnung = "Hauptkonto";
    stamm().FZweckVorlage = "Beitrag %Jahre%";
  }
};

TEST_F(Assistent, SchritteVorgabenUndPruefungen) {
  TfrmSEPAAssistent a(*liste, false, D("15.07.2026"));
  EXPECT_EQ(a.Titel(), "Mitgliedsbeiträge einziehen");
  EXPECT_EQ(a.FBeschreibung, "Mitgliedsbeiträge 2027 vom 15.07.2026");
  EXPECT_EQ(DatumText(a.FRechendatum), "31.12.2027");
  EXPECT_EQ(a.FKonto, 0) << "the only account is preselected";
  EXPECT_FALSE(a.FKontofilter);
  const struct {
    std::function<void(TfrmSEPAAssistent&)> falsch, richtig;
    const char *titel, *meldung;
  } schritte[] = {
      {[](auto& x) { x.FBeschreibung = "  "; }, [](auto& x) { x.FBeschreibung = std::string(60, 'x'); },
       "Schritt 1 von 6: Dateibeschreibung", "Geben Sie bitte eine Dateibeschreibung ein!"},
      {[](auto& x) { x.FZweck = ""; }, [](auto& x) { x.FZweck = "Beitrag %Jahre%"; },
       "Schritt 2 von 6: Verwendungszweck", "Geben Sie bitte einen Verwendungszweck ein!"},
      {[](auto& x) { x.FDatumwahl = TfrmSEPAAssistent::keine; },
       [](auto& x) { x.FDatumwahl = TfrmSEPAAssistent::vorlaeufig; },
       "Schritt 3 von 6: Berechnungszeitraum (Rechendatum)",
       "Sie müssen wählen, ob das Beitrag-Bezahlt-Datum in den ZQA-Datensätzen nun aktualisiert werden sollen!"},
      {[](auto& x) { x.FKonto = -1; }, [](auto& x) { x.FKonto = 0; }, "Schritt 4 von 6: Vereinskonto",
       "Wählen Sie bitte ein Vereinskonto aus!"},
      {[](auto& x) { x.FKonto = 5; }, [](auto& x) { x.FKonto = 0; }, "Schritt 5 von 6: Kontoselektion",
       "Wählen Sie bitte ein Vereinskonto aus!"},
  };
  for (const auto& s : schritte) {
    EXPECT_EQ(a.SchrittTitel(), s.titel);
    s.falsch(a);
    ui.Leeren();
    EXPECT_FALSE(a.Weiter()) << s.titel;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{s.meldung});
    s.richtig(a);
    EXPECT_TRUE(a.Weiter()) << s.titel;
  }
  EXPECT_EQ(a.FBeschreibung.size(), 54u);
  EXPECT_EQ(a.SchrittTitel(), "Schritt 6 von 6: Mitgliederselektion");
  EXPECT_TRUE(a.Letzter());
  a.Zurueck();
  EXPECT_EQ(a.Schritt(), 5);
  a.Weiter();
  a.FZweck = "Jahresbeitrag %Jahre%";
  liste->FGeaendert = false;
  ASSERT_TRUE(a.Weiter());
  EXPECT_TRUE(a.Fertig());
  EXPECT_EQ(stamm().FZweckVorlage, "Jahresbeitrag %Jahre%") << "finishing keeps the purpose template";
  const TSepaSammelOptionen o = a.Optionen();
  EXPECT_EQ(o.Kontoschluessel, "HAUPT");
  EXPECT_TRUE(o.VorlDatumSetzen);
  EXPECT_EQ(o.Rechendatum, D("31.12.2027"));
  EXPECT_FALSE(o.Sonder);
}

TEST_F(Assistent, SonderbuchungenUndVorgaben) {
  stamm().FVereinskonten.Hinzufuegen().FKontoSchluessel = "NEBEN";
  SchreibeEinstellung(esSonderbuchungBetrag, "7,50");
  SchreibeEinstellung(esSonderbuchungHauptverwendung, "Umlage");
  SchreibeEinstellungZahl(esJubiListenSelektiert, 1);
  TfrmSEPAAssistent a(*liste, true, D("15.03.2026"));
  EXPECT_EQ(a.Titel(), "Sonderbuchungsliste erstellen");
  EXPECT_EQ(a.FBeschreibung, "Sonderbeiträge vom 15.03.2026");
  EXPECT_EQ(a.FZweck, "Umlage");
  EXPECT_EQ(a.FBetrag, "7,50");
  EXPECT_EQ(a.FKonto, -1) << "two accounts: none preselected";
  EXPECT_TRUE(a.FKontofilter);
  EXPECT_TRUE(a.FNurSelektierte);
  ASSERT_TRUE(a.Weiter());
  EXPECT_EQ(a.SchrittTitel(), "Schritt 2 von 5: Betrag und Verwendungszweck");
  const struct {
    const char *betrag, *meldung;
  } betraege[] = {{"abc", "Geben Sie bitte einen Verwendungszweck und einen gültigen Betrag ein!"},
                  {"1,234", "Geben Sie bitte einen Verwendungszweck und einen gültigen Betrag ein!"},
                  {"0", "Geben Sie bitte einen Betrag größer als null ein!"},
                  {"-3", "Geben Sie bitte einen Betrag größer als null ein!"}};
  for (const auto& b : betraege) {
    a.FBetrag = b.betrag;
    ui.Leeren();
    EXPECT_FALSE(a.Weiter()) << b.betrag;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{b.meldung}) << b.betrag;
  }
  a.FBetrag = "5";
  ASSERT_TRUE(a.Weiter());
  a.FKonto = 1;
  ASSERT_TRUE(a.Weiter());
  ASSERT_TRUE(a.Weiter());
  ASSERT_TRUE(a.Weiter());
  EXPECT_TRUE(a.Fertig());
  EXPECT_EQ(LeseEinstellung(esSonderbuchungBetrag), "5");
  const TSepaSammelOptionen o = a.Optionen();
  EXPECT_TRUE(o.Sonder);
  EXPECT_EQ(o.FesterBetrag, 500);
  EXPECT_EQ(o.Kontoschluessel, "NEBEN");
  EXPECT_TRUE(o.VollesJahr);
  EXPECT_FALSE(o.VorlDatumSetzen);
  EXPECT_EQ(o.Rechendatum, 0);
  EXPECT_NE(TfrmSEPAAssistent::VariablenText().find(
                "Für den Berechnungszeitraum kann ZAQ den Hauptverwendungszweck für jede Zahlung entsprechend anpassen."),
            std::string::npos);
}

class Beitragsmenue : public test::MitVerein {
 protected:
  Beitragsmenue() {
    plattform::SetzeFesteZeit(D("15.05.2011") + 0.5);
    TVereinskonto& k = stamm().FVereinskonten.Element(0);
    k.FInhaber = "TSV Muster";
    k.FIBAN = "DE89370400440532013000";
    k.FGlaeubigerID = "DE98ZZZ09999999999";
    Klasse("ERW", {{"Erwachsene", 120, 150}}, 2);
    for (std::uint16_t nr = 1; nr <= 3; ++nr) {
      TMitglied& m = Mitglied(nr, "ERW", std::string(1, static_cast<char>('D' - nr)) + "name");
      m.Konto()->FInhaber = m.FName;
      m.Konto()->FMandatsdatum = D("01.02.2011");
    }
    liste->FDateiname = dir / "verein.zaq";
    liste->SetzeAktuellerBenutzer(liste->Administrator());
    liste->Administrator()->FKennwortAktionen = 0;
    fenster.SetzeListe(std::move(liste));
  }
  ~Beitragsmenue() override { plattform::SetzeFesteZeit(0); }
  TZAQ& L() { return *fenster.Liste(); }
  TfrmZAQ fenster;
};

// The test run overwrites its list without asking and shows it; the real
// wizard asks for a file, the SEPA window checks and exports it.
TEST_F(Beitragsmenue, TestlaufEinzugUndExport) {
  test::Schreibe(dir / "Testlauf Beitragseinzug.slv", std::string("alt"));
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVTestlauf));
  ASSERT_TRUE(fenster.SepaFenster());
  TSepa& test = fenster.SepaFenster()->Liste();
  EXPECT_EQ(test.Dateiname(), dir / "Testlauf Beitragseinzug.slv");
  EXPECT_EQ(test.Anzahl(), 3);
  EXPECT_EQ(test.Kopf().Beschreibung, "Testlauf für Beitragseinzug");
  EXPECT_EQ(test.Kopf().Kontoschluessel, "TEST");
  EXPECT_EQ(test.Lesen(1).Name, "Aname");
  EXPECT_EQ(test.Lesen(1).Verwendungszweck.rfind("Testlauf\r\n", 0), 0u);
  EXPECT_TRUE(fenster.FSEPAOffen);
  ASSERT_EQ(ui.Fensterliste.size(), 1u);

  // The wizard, answered through; the save dialog names the list.
  ui.Dialoge.push_back([](DialogDaten& d) {
    auto& a = dynamic_cast<TfrmSEPAAssistent&>(d);
    a.FDatumwahl = TfrmSEPAAssistent::vorlaeufig;
    a.FRechendatum = D("31.12.2010");
    while (!a.Fertig())
      if (!a.Weiter()) return false;
    return true;
  });
  ui.Dateinamen.push_back(dir / "gibt/es/nicht.slv");
  ui.Dateinamen.push_back(dir / "beitraege.slv");
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVBeitraege));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Das Programm konnte die Datei nicht anlegen."});
  ASSERT_EQ(ui.DateiDialoge.size(), 2u);
  EXPECT_EQ(ui.DateiDialoge[0].titel, "SEPA-Lastschriften anlegen");
  EXPECT_EQ(ui.DateiDialoge[0].vorschlag, "Mitgliedsbeiträge 2011 vom 15.05.2011 - HAUPT");
  TSepa& beitraege = fenster.SepaFenster()->Liste();
  EXPECT_EQ(beitraege.Dateiname(), dir / "beitraege.slv");
  EXPECT_EQ(beitraege.Anzahl(), 3);
  EXPECT_EQ(&beitraege, &test) << "one list at a time, in the one SEPA window";
  EXPECT_EQ(L().FMitglieder[0].FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_TRUE(L().FGeaendert);

  // The check finds nothing; the export's file type chooses the schema.
  ui.Leeren();
  EXPECT_TRUE(fenster.SepaFenster()->BankverbindungenPruefen());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Datenbank ist in Ordnung!"});
  ui.Leeren();
  const std::string xml = dir / "bank.xml";
  ui.Dateinamen.push_back(xml);
  ui.Dialoge.push_back([](DialogDaten& d) {
    dynamic_cast<TAusfuehrungsdatumDialog&>(d).FDatum = sepa::EarliestCollectionDate("CORE", "RCUR", "", 0) + 1;
    return true;
  });
  ASSERT_TRUE(fenster.SepaFenster()->XmlErzeugen());
  ASSERT_EQ(ui.DateiDialoge.size(), 1u);
  EXPECT_EQ(ui.DateiDialoge[0].titel, "SEPA-XML-Datei erzeugen");
  EXPECT_EQ(ui.DateiDialoge[0].vorschlag, dir / "beitraege");
  EXPECT_EQ(ui.DateiDialoge[0].filter[0].beschreibung, "SEPA-Version 3.7 (pain.008.001.08)");
  const auto bytes = test::Lies(xml);
  EXPECT_TRUE(sepa::ValidateAgainstXsd(std::string(bytes.begin(), bytes.end()), sepa::kPain00800108).empty());

  // Findings ask whether to go on; "Nein" ends before the file dialog.
  TSepaBuchung b = beitraege.Lesen(1);
  b.IBAN = "DE00";
  ASSERT_TRUE(beitraege.Schreiben(b, 1));
  ui.Leeren();
  ui.Antworten.push_back(Antwort::Nein);
  EXPECT_FALSE(fenster.SepaFenster()->XmlErzeugen());
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Die Datenbank beinhaltet Fehler. Fortfahren mit dem Erstellen der XML-Datei?"});
  EXPECT_TRUE(ui.DateiDialoge.empty());
  ASSERT_FALSE(ui.Fensterliste.empty());
  EXPECT_EQ(ui.Fensterliste.back()->Art(), "Tabelle") << "the findings table";

  // Closing the window ends the list.
  fenster.SepaFenster()->Schliessen();
  EXPECT_FALSE(fenster.FSEPAOffen);
  EXPECT_FALSE(beitraege.Offen());
}

// Opening and creating lists, the fee check and the invoices; while the
// SEPA window is shown the fee menu gives way to "SE&PA".
TEST_F(Beitragsmenue, ListenPruefungUndRechnungen) {
  EXPECT_TRUE(fenster.MenueSichtbar(Menue::mnuLSV));
  EXPECT_FALSE(fenster.MenueSichtbar(Menue::mnuSEPAWechsel));
  ui.Dateinamen = {dir / "leer.slv"};
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVNeu));
  EXPECT_EQ(ui.DateiDialoge.back().titel, "SEPA-Lastschriften anlegen");
  ASSERT_TRUE(fenster.SepaFenster());
  EXPECT_EQ(fenster.SepaFenster()->Liste().Anzahl(), 1);
  EXPECT_FALSE(fenster.MenueSichtbar(Menue::mnuLSV));
  EXPECT_TRUE(fenster.MenueSichtbar(Menue::mnuSEPAWechsel));
  ASSERT_TRUE(fenster.SepaFenster()->Schliessen());
  EXPECT_TRUE(fenster.MenueSichtbar(Menue::mnuLSV));

  ui.Leeren();
  ui.Dateinamen = {dir / "leer.slv"};
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVOeffnen));
  EXPECT_EQ(ui.DateiDialoge.back().titel, "Datei öffnen");
  EXPECT_EQ(ui.DateiDialoge.back().filter.size(), 2u);
  EXPECT_EQ(fenster.SepaFenster()->Formulartext(), "Formular 1 von 1");
  EXPECT_TRUE(fenster.FSEPAOffen);
  fenster.SepaFenster()->Schliessen();

  // The fee check window: its default date and its report.
  ui.Leeren();
  ASSERT_TRUE(fenster.Befehl(Bef::AlleMitgliedsbeitrgeberprfen1));
  ASSERT_TRUE(fenster.FBeitragspruefung);
  EXPECT_EQ(DatumText(fenster.FBeitragspruefung->FRechendatum), "31.12.2011");
  fenster.FBeitragspruefung->FRechendatum = D("31.12.2010");
  fenster.FBeitragspruefung->Berechnen();
  EXPECT_EQ(fenster.FBeitragspruefung->Bericht().Summe, 36000);
  EXPECT_EQ(ui.Texte().back(), "Es wurden keinerlei Fehler oder Hinweise festgestellt.\r\n\r\n"
                               "Die Summe der Mitgliedsbeiträge lautet: 360,00 €.");

  // Invoices: nobody pays by invoice.
  ui.Leeren();
  ui.Dialoge.push_back([](DialogDaten& d) {
    auto& a = dynamic_cast<TfrmRechnungsAssistent&>(d);
    EXPECT_EQ(a.SchrittTitel(), "Schritt 1 von 3: Berechnungszeitraum (Rechendatum)");
    a.FDatumwahl = TfrmRechnungsAssistent::testlauf;
    while (!a.Fertig())
      if (!a.Weiter()) return false;
    return true;
  });
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVRechnungen));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{
                            "Es wurden keine Zahler gefunden, die den Beitrag per Rechnung noch zu bezahlen haben."});
  for (const Bef b : {Bef::mnuLSVOeffnen, Bef::mnuLSVNeu, Bef::AlleMitgliedsbeitrgeberprfen1, Bef::mnuLSVRechnungen})
    EXPECT_TRUE(TfrmZAQ::SucheBefehl(b).verfuegbar);
}

TEST_F(Beitragsmenue, OhneBuchungenKeineListe) {
  for (auto& m : L().FMitglieder) m->FBezahltBis = D("31.12.2011");
  ui.Dialoge.push_back([](DialogDaten& d) {
    auto& a = dynamic_cast<TfrmSEPAAssistent&>(d);
    a.FDatumwahl = TfrmSEPAAssistent::testlauf;
    a.FRechendatum = D("31.12.2010");
    while (!a.Fertig())
      if (!a.Weiter()) return false;
    return true;
  });
  ui.Dateinamen.push_back(dir / "leer.slv");
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVBeitraege));
  EXPECT_FALSE(std::filesystem::exists(dir / "leer.slv"));
  EXPECT_FALSE(fenster.FSEPAOffen);
  ASSERT_FALSE(ui.Meldungen.empty());
  EXPECT_EQ(ui.Meldungen.back().meldung.text, "Es wurden keine Mitglieder gefunden.");
  // A cancelled wizard ends the command without a dialog.
  ui.Leeren();
  ui.Dialoge.push_back([](DialogDaten&) { return false; });
  ASSERT_TRUE(fenster.Befehl(Bef::mnuLSVSonderbuchungen));
  EXPECT_TRUE(ui.DateiDialoge.empty());
}

}  // namespace
}  // namespace zaq
