// Adding, duplicating, editing, deleting and numbering members.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "base/Datum.h"
#include "store/ZAQ.h"
#include "views/Bearbeiten.h"
#include "views/Listenoperationen.h"
#include "views/Mitgliederdialoge.h"

namespace zaq {
namespace {

Tag D(const char* text) { return TextZuDatum(text).value(); }

class Listenoperationen : public test::MitOberflaeche {
 protected:
  Listenoperationen() : liste(TZAQ::CreateNeu(false, true)) {}
  TMitglied& Neu(std::uint16_t nummer, const std::string& name = "") {
    auto& m = liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nummer));
    m.FName = name;
    return m;
  }
  // The deletion dialog answers with this button, date and reason.
  void Loeschen(TLoeschDialog::Knopf knopf, std::string datum = "31.12.2030", std::string grund = " Umzug ") {
    ui.Dialoge.push_back([=](DialogDaten& d) {
      auto& l = static_cast<TLoeschDialog&>(d);
      l.FDatum = datum;
      l.FBegruendung = grund;
      return l.Druecke(knopf);
    });
  }
  std::unique_ptr<TZAQ> liste;
};

TEST_F(Listenoperationen, NaechsteFreieNummer) {
  EXPECT_EQ(liste->NaechsteFreieNummer(), 1);
  Neu(1);
  Neu(2);
  Neu(4);
  EXPECT_EQ(liste->NaechsteFreieNummer(), 3);
  std::vector<std::string> frei;
  Neu(7);
  EXPECT_EQ(liste->FreieNummern(&frei), 3);
  EXPECT_EQ(frei, (std::vector<std::string>{"003", "005", "006"}));
  Neu(3);
  Neu(5);
  Neu(6);
  EXPECT_EQ(liste->NaechsteFreieNummer(), 8);
}

TEST_F(Listenoperationen, HinzufuegenDuplizierenBearbeitenDurchDenEditor) {
  Neu(1, "Alt");
  std::string titel;
  ui.Dialoge.push_back([&](DialogDaten& d) {
    auto& e = static_cast<TfrmZAQBearbeiten&>(d);
    titel = e.FTitel;
    EXPECT_FALSE(e.SeiteSichtbar(TfrmZAQBearbeiten::Seite::Austritt));
    e.txtNNa = "Neumann";
    e.txtVNa = "Nina";
    return true;
  });
  liste->FGeaendert = false;
  TMitglied* neu = HinzufuegenMitglied(*liste, 0);
  ASSERT_TRUE(neu);
  EXPECT_EQ(titel, "Mitglied 002 hinzufügen");
  EXPECT_EQ(neu->FMitgliedsnummer, 2);
  EXPECT_EQ(liste->Position(neu), 2);
  EXPECT_EQ(neu->FErstelltVon.FLogin, "Admin");
  EXPECT_TRUE(liste->FGeaendert);
  // Cancel adds nothing.
  ui.Dialoge.push_back([](DialogDaten&) { return false; });
  EXPECT_FALSE(HinzufuegenMitglied(*liste, 9));
  EXPECT_EQ(liste->AnzahlMitglieder(), 2);

  neu->FGeaendertVon.Setze(liste->Administrator());
  neu->FZusatz = "jun.";
  ui.Dialoge.push_back([&](DialogDaten& d) {
    auto& e = static_cast<TfrmZAQBearbeiten&>(d);
    titel = e.FTitel;
    EXPECT_TRUE(e.SeiteSichtbar(TfrmZAQBearbeiten::Seite::Austritt));
    EXPECT_EQ(e.txtGebDt, 2);
    EXPECT_EQ(e.txtVNa, "");
    EXPECT_EQ(e.txtZus, "");
    e.txtVNa = "Nils";
    return true;
  });
  TMitglied* kopie = DupliziereMitglied(*liste, *neu);
  ASSERT_TRUE(kopie);
  EXPECT_EQ(titel, "Mitglied 003 hinzufügen (dupliziert)");
  EXPECT_EQ(kopie->FName, "Neumann");
  EXPECT_EQ(kopie->FMitgliedsnummer, 3);
  EXPECT_FALSE(kopie->FGeaendertVon.IstGesetzt());
  EXPECT_TRUE(kopie->FErstelltVon.IstGesetzt());

  ui.Dialoge.push_back([&](DialogDaten& d) {
    auto& e = static_cast<TfrmZAQBearbeiten&>(d);
    titel = e.FTitel;
    e.txtOrt = "Dorf";
    return true;
  });
  EXPECT_TRUE(BearbeiteMitglied(*liste, *neu));
  EXPECT_EQ(titel, "Mitglied 002 bearbeiten: Neumann, Nina jun.");
  EXPECT_EQ(neu->FOrt, "Dorf");
  EXPECT_TRUE(neu->FGeaendertVon.IstGesetzt());
  EXPECT_EQ(liste->Position(neu), 2);
  ui.Dialoge.push_back([](DialogDaten& d) {
    static_cast<TfrmZAQBearbeiten&>(d).txtOrt = "verworfen";
    return false;
  });
  EXPECT_FALSE(BearbeiteMitglied(*liste, *neu));
  EXPECT_EQ(neu->FOrt, "Dorf");
}

// A reason the file cannot hold is refused, with the date valid.
TEST_F(Listenoperationen, LoeschgrundMitFremdemZeichen) {
  TMitglied& m = Neu(1, "Muster");
  TLoeschDialog d(m, false);
  d.FDatum = "31.12.2030";
  d.FBegruendung = "Umzug nach Łódź";
  EXPECT_FALSE(d.Druecke(TLoeschDialog::Knopf::NachAustrittsdatum));
  EXPECT_EQ(ui.Texte().size(), 1u);
  EXPECT_NE(ui.Texte().front().find("„Ł“"), std::string::npos);
  EXPECT_EQ(d.FKnopf, TLoeschDialog::Knopf::Abbrechen);
}

TEST_F(Listenoperationen, LoeschdialogKnoepfe) {
  TMitglied& m = Neu(1, "Muster");
  m.FVorname = "Max";
  TLoeschDialog d(m, false);
  EXPECT_EQ(d.FText, "Hiermit wird Max Muster gelöscht.");
  EXPECT_EQ(d.FDatum, DatumText(Jahresende()));
  EXPECT_FALSE(d.FWiderrufenMoeglich);
  EXPECT_EQ(TLoeschDialog::Datumsvorschlaege().size(), 25u);
  const Datum heute = ZerlegeDatum(Heute());
  const Tag monatsende = (heute.monat == 12 ? KodiereDatum(heute.jahr + 1, 1, 1) : KodiereDatum(heute.jahr, heute.monat + 1, 1)) - 1;
  EXPECT_EQ(TLoeschDialog::Datumsvorschlaege().front(), DatumText(monatsende));
  d.FDatum = "31.02.2030";
  EXPECT_FALSE(d.Druecke(TLoeschDialog::Knopf::Sofort));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültiges oder kein Austrittsdatum angegeben."});
  EXPECT_TRUE(d.Druecke(TLoeschDialog::Knopf::Abbrechen));

  // Later deletion, then revocation.
  Neu(2);
  Loeschen(TLoeschDialog::Knopf::NachAustrittsdatum);
  TMitglied* zeiger = &m;
  EXPECT_FALSE(LoescheMitglied(*liste, zeiger));
  EXPECT_EQ(DatumText(m.FAustrittsdatum), "31.12.2030");
  EXPECT_EQ(m.FAustrittsgrund, "Umzug");
  EXPECT_EQ(m.FAustrittVon.FLogin, "Admin");
  EXPECT_TRUE(TLoeschDialog(m, false).FWiderrufenMoeglich);
  Loeschen(TLoeschDialog::Knopf::Widerrufen);
  EXPECT_FALSE(LoescheMitglied(*liste, zeiger));
  EXPECT_EQ(m.FAustrittsdatum, 0);
  EXPECT_EQ(m.FAustrittsgrund, "");
  EXPECT_FALSE(m.FAustrittVon.IstGesetzt());
  EXPECT_EQ(liste->AnzahlMitglieder(), 2);
}

TEST_F(Listenoperationen, ZahlerLoeschenStelltMitfinanzierteUm) {
  for (bool archiv : {true, false}) {
    liste = TZAQ::CreateNeu(false, true);
    liste->FAustrittsliste = archiv;
    TMitglied& vater = Neu(1, "Vater");
    vater.FVorname = "Volker";
    vater.KontoAnlegen().FIBAN = "DE89370400440532013000";
    vater.FSelektiert = true;
    for (std::uint16_t n : {2, 3}) {
      TMitglied& kind = Neu(n, "Kind");
      kind.FZahlart = zaMitfinanziert;
      kind.ZahlerAnlegen().Setze(&vater);
    }
    TMitglied& fremd = Neu(4, "Fremd");
    Loeschen(TLoeschDialog::Knopf::Sofort, "01.01.2020");
    TMitglied* zeiger = &vater;
    ASSERT_TRUE(LoescheMitglied(*liste, zeiger));
    EXPECT_EQ(zeiger, &liste->FMitglieder[0]);  // the successor, as it was first
    ASSERT_EQ(liste->AnzahlMitglieder(), 3);
    for (int i : {0, 1}) {
      TMitglied& kind = liste->FMitglieder[i];
      EXPECT_EQ(kind.FZahlart, zaLastschrift);
      ASSERT_TRUE(kind.Konto());
      EXPECT_EQ(kind.Konto()->FIBAN, "DE89370400440532013000");
      EXPECT_FALSE(kind.Zahler());
    }
    EXPECT_FALSE(fremd.Konto());
    ASSERT_EQ(ui.MeldungsListen.size(), 1u);
    const auto& zeilen = ui.MeldungsListen[0];
    EXPECT_EQ(zeilen.back(), "Anzahl der umgestellten Datensätze: 2");
    EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), "002 Kind, "), zeilen.end());
    if (archiv) {
      ASSERT_EQ(liste->FArchiv.Anzahl(), 1);
      const TMitglied& alt = liste->FArchiv[0];
      EXPECT_EQ(alt.FName, "Vater");
      EXPECT_FALSE(alt.Konto());
      EXPECT_FALSE(alt.FSelektiert);
      EXPECT_EQ(DatumText(alt.FAustrittsdatum), "01.01.2020");
    } else {
      EXPECT_EQ(liste->FArchiv.Anzahl(), 0);
    }
    ui.Leeren();
  }
}

TEST_F(Listenoperationen, ZahlerOhneKontoLaesstVerweiseStehen) {
  TMitglied& vater = Neu(1, "Vater");
  TMitglied& kind = Neu(2, "Kind");
  kind.FZahlart = zaMitfinanziert;
  kind.ZahlerAnlegen().Setze(&vater);
  std::vector<std::string> meldungen;
  liste->EntferneMitglied(vater, meldungen);
  EXPECT_TRUE(meldungen.empty());
  EXPECT_EQ(kind.FZahlart, zaMitfinanziert);
  ASSERT_TRUE(kind.Zahler());
  EXPECT_EQ(kind.Zahler()->GetZiel(), nullptr);
}

TEST_F(Listenoperationen, SelektierteLoeschen) {
  for (std::uint16_t n = 1; n <= 4; ++n) Neu(n).FSelektiert = n % 2 == 1;
  ui.Dialoge.push_back([](DialogDaten& d) { return static_cast<TLoeschDialog&>(d).Druecke(TLoeschDialog::Knopf::Abbrechen); });
  EXPECT_EQ(LoescheSelektierte(*liste), 0);
  EXPECT_EQ(liste->AnzahlAustretende(), 0);
  Loeschen(TLoeschDialog::Knopf::NachAustrittsdatum);
  EXPECT_EQ(LoescheSelektierte(*liste), 0);
  EXPECT_EQ(liste->AnzahlAustretende(), 2);
  Loeschen(TLoeschDialog::Knopf::Sofort);
  EXPECT_EQ(LoescheSelektierte(*liste), 2);
  EXPECT_EQ(liste->AnzahlMitglieder(), 2);
  EXPECT_EQ(liste->AnzahlArchiv(), 2);
}

TEST_F(Listenoperationen, FaelligeMitglieder) {
  plattform::SetzeFesteZeit(D("31.12.2019") + 0.5);
  TMitglied& a = Neu(1, "A");
  a.FAustrittsdatum = D("31.12.2019");
  Neu(2, "B").FAustrittsdatum = D("30.12.2019");
  Neu(3, "C");
  EXPECT_EQ(liste->AnzahlFaellig(), 1);  // the exit day itself is not due
  plattform::SetzeFesteZeit(D("01.01.2020") + 0.5);
  EXPECT_EQ(liste->AnzahlFaellig(), 2);
  ui.Antworten = {Antwort::Nein};
  liste->FaelligeAnbieten();
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Es sind 2 Mitglieder zur Löschung ab dem heutigen Tag festgelegt. \r\n"
                                                 "Möchten Sie, daß diese Mitglieder nun endgültig gelöscht werden?"});
  EXPECT_EQ(liste->AnzahlMitglieder(), 3);
  ui.Antworten = {Antwort::Ja};
  liste->FaelligeAnbieten();
  EXPECT_EQ(liste->AnzahlMitglieder(), 1);
  EXPECT_EQ(liste->FArchiv.Anzahl(), 2);
  // Deleting every member is refused.
  liste->FMitglieder[0].FAustrittsdatum = D("01.06.2019");
  ui.Leeren();
  liste->LoescheFaellige();
  EXPECT_EQ(liste->AnzahlMitglieder(), 1);
  ASSERT_EQ(ui.Meldungen.size(), 1u);
  EXPECT_TRUE(ui.Meldungen[0].meldung.text.starts_with("ZAQ hat festgestellt, daß durch die automatische Löschung"));
  plattform::SetzeFesteZeit(0);
}

TEST_F(Listenoperationen, MitgliedsnummerAendern) {
  TMitglied& zahler = Neu(7, "Zahler");
  TMitglied& kind = Neu(8, "Kind");
  kind.ZahlerAnlegen().Setze(&zahler);
  EXPECT_EQ(liste->AendereMitgliedsnummer(zahler, 70, true), 2);
  EXPECT_EQ(zahler.FMitgliedsnummer, 70);
  EXPECT_EQ(kind.Zahler()->FNummer, 70);
  EXPECT_EQ(kind.Zahler()->GetZiel(), &zahler);
  EXPECT_EQ(liste->SucheNummer(7), nullptr);
  EXPECT_EQ(liste->SucheNummer(70), &zahler);

  const struct {
    const char *alt, *neu;
    bool global;
    const char* meldung;
    bool schliesst;
  } faelle[] = {
      {"070", "x", true, "Ungültige Mitliedsnummer.", false},
      {"070", "70000", true, "Ungültige Mitliedsnummer.", false},
      {"070", "10000", true, "Die Mitgliedsnummer muß im Bereich von 1 bis 9999 liegen.", false},
      {"070", "0", true, "Die Mitgliedsnummer muß im Bereich von 1 bis 9999 liegen.", false},
      {"070", "8", true, "Die Mitgliedsnummer 8 ist bereits vergeben.", false},
      {"555", "9", true, "Die Mitgliedsnummer konnte nicht geändert werden.", false},
      {"070", "9", true, "Die Mitgliedsnummer wurde bei 2 Mitgliedern geändert.", true},
      {"009", "11", false, "Die Mitgliedsnummer wurde bei einem Mitglied geändert.", true},
  };
  for (const auto& f : faelle) {
    ui.Leeren();
    TNummerDialog d(zahler);
    d.SetzeGlobal(f.global);
    if (f.global) d.FAlt = f.alt;
    d.FNeu = f.neu;
    EXPECT_EQ(d.Ausfuehren(), f.schliesst) << f.neu;
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung}) << f.neu;
  }
  EXPECT_EQ(zahler.FMitgliedsnummer, 11);
  EXPECT_EQ(kind.Zahler()->FNummer, 9);  // only the member changed the second time
}

TEST_F(Listenoperationen, NeueNummernFolgenDenZahlern) {
  TMitglied& a = Neu(5, "A");
  TMitglied& b = Neu(3, "B");
  TMitglied& c = Neu(9, "C");
  b.ZahlerAnlegen().Setze(&c);
  a.ZahlerAnlegen().FNummer = 77;  // nobody has it
  int verloren = 0;
  EXPECT_EQ(liste->NeueMitgliedsnummern(10, 10, verloren), 4);
  EXPECT_EQ(verloren, 1);
  EXPECT_EQ(a.FMitgliedsnummer, 10);
  EXPECT_EQ(b.FMitgliedsnummer, 20);
  EXPECT_EQ(c.FMitgliedsnummer, 30);
  EXPECT_FALSE(a.Zahler());
  EXPECT_EQ(b.Zahler()->GetZiel(), &c);
  EXPECT_EQ(ui.WarteTexte, std::vector<std::string>{"Neuvergabe der Mitgliedsnummern"});
}

TEST_F(Listenoperationen, SchritteUndSelektierte) {
  for (std::uint16_t n = 1; n <= 5; ++n) Neu(n).FSelektiert = n == 2 || n == 5;
  TMitglied* erstes = &liste->FMitglieder[0];
  EXPECT_EQ(liste->Schritt(erstes, 4)->FMitgliedsnummer, 5);
  EXPECT_EQ(liste->Schritt(erstes, 5), nullptr);
  EXPECT_EQ(liste->Schritt(erstes, 0), erstes);
  int position = 1;
  TMitglied* s = liste->NaechsterSelektierter(erstes, false, position);
  EXPECT_EQ(s->FMitgliedsnummer, 2);
  EXPECT_EQ(position, 2);
  s = liste->NaechsterSelektierter(s, false, position);
  EXPECT_EQ(position, 5);
  EXPECT_EQ(liste->NaechsterSelektierter(s, false, position), nullptr);
  EXPECT_EQ(position, 5);
  EXPECT_EQ(liste->NaechsterSelektierter(s, true, position)->FMitgliedsnummer, 2);
  EXPECT_EQ(position, 2);
  EXPECT_EQ(liste->AnzahlSelektierte(), 2);
}

}  // namespace
}  // namespace zaq
