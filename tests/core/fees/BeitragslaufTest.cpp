// The fee run over all members: findings, payers, family checks, selection,
// preliminary dates, purpose texts.
#include <gtest/gtest.h>

#include <functional>

#include "VereinHilfen.h"
#include "fees/Beitrag.h"
#include "views/Beitragsdialoge.h"

namespace zaq {
namespace {

using test::D;

class Lauf : public test::MitVerein {
 protected:
  TBeitragslaufOptionen Starte(Tag datum = D("31.12.2010"), std::uint8_t zahlarten = 0b011, bool vollesJahr = false) {
    TBeitragslaufOptionen o;
    o.Zahlarten = zahlarten;
    o.MitZahlerliste = true;
    o.NurSelektierte = nurSelektierte;
    o.VorlDatumSetzen = vorlDatumSetzen;
    o.OhneBerechnung = ohneBerechnung;
    o.MitNullbetrag = mitNullbetrag;
    Beitragslauf(*liste, datum, vollesJahr, o);
    return o;
  }
  static std::vector<int> Nummern(const std::vector<TMitglied*>& mitglieder) {
    std::vector<int> n;
    for (const TMitglied* m : mitglieder) n.push_back(m->FMitgliedsnummer);
    return n;
  }
  static std::vector<int> Nummern(const std::vector<TZahler>& zahler) {
    std::vector<int> n;
    for (const auto& z : zahler) n.push_back(z.mitglied->FMitgliedsnummer);
    return n;
  }
  bool nurSelektierte = false, vorlDatumSetzen = false, ohneBerechnung = false, mitNullbetrag = false;
};

TEST_F(Lauf, BefundeEinesSelbstzahlers) {
  const struct {
    const char* fall;
    std::function<void(TMitglied&)> aendern;
    const char* hinweise;
    std::int64_t summe;
    bool zahler;
  } faelle[] = {
      {"vollständig", [](TMitglied&) {}, "001 Muster, Anna (Beitrag)", 12000, true},
      {"ohne Schlüssel", [](TMitglied& m) { m.FBeitragsschluessel.wert = " "; },
       "keine Beitragsklasse angegeben; Beinhaltet fehlerhafte Zahlung", 0, false},
      {"falscher Schlüssel", [](TMitglied& m) { m.FBeitragsschluessel.wert = "XYZ"; },
       "Falsche Beitragsklasse; Beinhaltet fehlerhafte Zahlung", 0, false},
      {"Klasse ohne Altersklasse",
       [this](TMitglied&) { stamm().FBtrKlassen.Element(0).FAltKlassen.clear(); },
       "Fehler in Beitragsklasse; Beinhaltet fehlerhafte Zahlung", 0, false},
      // Account findings keep the payer off the list, but its fee counts.
      {"ohne Konto", [](TMitglied& m) { m.KontoEntfernen(); },
       "Mitglied hat kein Konto.; 001 Muster, Anna (Beitrag)", 12000, false},
      {"ohne IBAN", [](TMitglied& m) { m.Konto()->FIBAN = " "; },
       "Fehlende Bankverbindung (d.h. IBAN); 001 Muster, Anna (Beitrag)", 12000, false},
      {"ohne Mandat",
       [](TMitglied& m) {
         m.Konto()->FMandatsreferenz.clear();
         m.Konto()->FMandatsdatum = 0;
       },
       "Fehlende Mandatsreferenz; Fehlendes Mandatsdatum; 001 Muster, Anna (Beitrag)", 12000, false},
      {"ohne Empfängerkonto", [](TMitglied& m) { m.Konto()->FEmpfaengerKonto.wert.clear(); },
       "Kein Empfängerkontoschlüssel; 001 Muster, Anna (Beitrag)", 12000, false},
      {"falsches Empfängerkonto", [](TMitglied& m) { m.Konto()->FEmpfaengerKonto.wert = "XY"; },
       "Ungültiger Empfängerkontoschlüssel; 001 Muster, Anna (Beitrag)", 12000, false},
      {"Rechnung ohne Konto",
       [](TMitglied& m) {
         m.FZahlart = zaRechnung;
         m.KontoEntfernen();
       },
       "001 Muster, Anna (Beitrag)", 12000, true},
      {"ungültige Zahlart", [](TMitglied& m) { m.FZahlart = 5; }, "Falsche oder keine Zahlart", 0, false},
      {"bezahlt", [](TMitglied& m) { m.FBezahltBis = D("31.12.2010"); }, "Zahler-Nullbetrag", 0, false},
  };
  for (const auto& f : faelle) {
    liste->FMitglieder.Leeren();
    stamm().FBtrKlassen.Leeren();
    Klasse("K", {{"Beitrag", 120, 150}}, 2);
    TMitglied& m = Mitglied(1, "K");
    f.aendern(m);
    auto o = Starte();
    EXPECT_EQ(m.FHinweise, f.hinweise) << f.fall;
    EXPECT_EQ(o.Summe, f.summe) << f.fall;
    EXPECT_EQ(Nummern(o.Zahlerliste), f.zahler ? std::vector<int>{1} : std::vector<int>{}) << f.fall;
    EXPECT_EQ(Nummern(o.Hinweisliste), f.zahler ? std::vector<int>{} : std::vector<int>{1}) << f.fall;
  }
}

TEST_F(Lauf, BefundeEinesMitfinanzierten) {
  Klasse("K", {{"Beitrag", 120, 150}});
  TMitglied& zahler = Mitglied(1, "K");
  TMitglied& kind = Kind(2, "K", zahler);
  auto o = Starte();
  EXPECT_EQ(zahler.FHinweise, "001 Muster, Anna (Beitrag); 002 Muster, Kind2 (Beitrag)");
  EXPECT_EQ(kind.FHinweise, "");
  EXPECT_EQ(o.Summe, 24000);

  const struct {
    const char* fall;
    std::function<void(TMitglied&)> aendern;
    const char* hinweise;
  } faelle[] = {
      {"ohne Verweis", [](TMitglied& m) { m.ZahlerEntfernen(); }, "Verweis auf Zahler fehlt"},
      {"Zahler fehlt", [](TMitglied& m) { m.Zahler()->FNummer = 77; }, "Zahler existiert nicht"},
      {"Zahler mitfinanziert", [&](TMitglied&) { zahler.FZahlart = zaMitfinanziert; }, "Zahler nicht selbstzahlend"},
  };
  for (const auto& f : faelle) {
    zahler.FZahlart = zaLastschrift;
    kind.ZahlerAnlegen().Setze(&zahler);
    f.aendern(kind);
    o = Starte();
    EXPECT_EQ(kind.FHinweise, f.hinweise) << f.fall;
    EXPECT_EQ(Nummern(o.Hinweisliste).front(), zahler.FZahlart == zaMitfinanziert ? 1 : 2) << f.fall;
  }
}

TEST_F(Lauf, FamilienbeitragUndFremdeKlasse) {
  TBtrKlasse& fam = Familie("FAM", 120, "Familie", true);
  TBtrKlasse& jug = Klasse("JUG", {{"Jugend", 36, 150}});
  TMitglied& zahler = Mitglied(1, "FAM");
  Kind(2, "FAM", zahler);
  Kind(3, "JUG", zahler);
  auto o = Starte();
  ASSERT_EQ(o.Zahlerliste.size(), 1u);
  EXPECT_EQ(o.Zahlerliste[0].cent, 15600);
  EXPECT_EQ(o.Zahlerliste[0].verwendungszweck,
            "001 Muster, Anna (Familie); 002 Muster, Kind2 (0xFamilie); 003 Muster, Kind3 (Jugend)");
  EXPECT_EQ(Nummern(o.Zahlerliste[0].zahltFuer), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(o.Summe, 15600);
  EXPECT_EQ(fam.StatistikAnzahl(), 2);
  EXPECT_EQ(fam.StatistikSumme(), 12000);
  EXPECT_EQ(jug.StatistikSumme(), 3600);
  EXPECT_EQ(stamm().StatistikSumme(), 15600);
  EXPECT_EQ(stamm().StatistikAnzahl(), 3);
  // A second run starts the statistics afresh.
  Starte();
  EXPECT_EQ(stamm().StatistikAnzahl(), 3);
}

TEST_F(Lauf, ErwachsenengrenzenDesFamilienbeitrags) {
  TBtrKlasse& fam = Familie("FAM", 120, "Familie");
  Klasse("ERW", {{"Erwachsene", 96, 150}});
  TMitglied& zahler = Mitglied(1, "FAM");
  Kind(2, "FAM", zahler, "01.01.1990");  // adult
  Kind(3, "FAM", zahler, "01.01.2000");  // 10 on the reference date
  Kind(4, "ERW", zahler, "01.01.1985");  // adult of another class: not counted
  const struct {
    int ist, max, alter;
    const char* befund;
  } faelle[] = {
      {2, 0, 18, nullptr},
      {3, 0, 18, "Falsche Erwachsenenzahl im Familienbeitrag"},
      {1, 0, 18, "Falsche Erwachsenenzahl im Familienbeitrag"},
      {0, 2, 18, nullptr},
      {0, 1, 18, "Zu viele Erwachsene im Familienbeitrag"},
      {0, 2, 10, "Zu viele Erwachsene im Familienbeitrag"},  // the child counts as adult from 10
      {2, 0, 10, "Falsche Erwachsenenzahl im Familienbeitrag"},
      {3, 3, 10, nullptr},
  };
  for (const auto& f : faelle) {
    fam.FFamilienIst = static_cast<std::uint8_t>(f.ist);
    fam.FFamilienMax = static_cast<std::uint8_t>(f.max);
    fam.FFamilienAlter = static_cast<std::uint8_t>(f.alter);
    auto o = Starte();
    if (f.befund) {
      EXPECT_EQ(zahler.FHinweise, f.befund) << f.ist << "/" << f.max;
      EXPECT_EQ(o.Summe, 0);
      EXPECT_TRUE(o.Zahlerliste.empty());
      EXPECT_EQ(Nummern(o.Hinweisliste), std::vector<int>{1});
    } else {
      EXPECT_EQ(o.Summe, 12000 + 9600) << f.ist << "/" << f.max;
      EXPECT_EQ(Nummern(o.Zahlerliste), std::vector<int>{1});
    }
  }
  // A broken member of the family blocks the whole booking.
  fam.FFamilienIst = 0;
  fam.FFamilienMax = 0;
  liste->FMitglieder[2].FBeitragsschluessel.wert = "XYZ";
  auto o = Starte();
  EXPECT_EQ(zahler.FHinweise, "Beinhaltet fehlerhafte Zahlung");
  EXPECT_EQ(liste->FMitglieder[2].FHinweise, "Falsche Beitragsklasse");
  EXPECT_EQ(Nummern(o.Hinweisliste), (std::vector<int>{1, 3}));
  EXPECT_EQ(o.Summe, 0);
}

TEST_F(Lauf, NurSelektierteMitglieder) {
  Klasse("K", {{"Beitrag", 10, 150}});
  TMitglied& a = Mitglied(1, "K");
  Mitglied(2, "K");
  Kind(3, "K", a);
  TMitglied& b = Mitglied(4, "K");
  TMitglied& bKind = Kind(5, "K", b);
  a.FSelektiert = true;
  bKind.FSelektiert = true;
  b.KontoEntfernen();  // a finding of an unselected member is not looked at
  nurSelektierte = true;
  auto o = Starte();
  EXPECT_EQ(Nummern(o.Zahlerliste), (std::vector<int>{1, 4}));
  EXPECT_EQ(o.Zahlerliste[0].verwendungszweck, "001 Muster, Anna (Beitrag)");
  EXPECT_EQ(o.Zahlerliste[1].verwendungszweck, "005 Muster, Kind5 (Beitrag)");
  EXPECT_EQ(o.Summe, 2000);
  // Members outside the selection are no findings, not even of a zero amount.
  EXPECT_TRUE(o.Hinweisliste.empty());
  for (const auto& m : liste->FMitglieder)
    if (m->FMitgliedsnummer != 1 && m->FMitgliedsnummer != 4) {
      EXPECT_EQ(m->FHinweise, "") << m->FMitgliedsnummer;
    }
}

TEST_F(Lauf, VerweisNachWechselDerZahlartZaehltNicht) {
  Klasse("K", {{"Beitrag", 10, 150}});
  TMitglied& a = Mitglied(1, "K");
  TMitglied& b = Kind(2, "K", a);
  b.FZahlart = zaRechnung;  // changed without dropping the reference
  auto o = Starte();
  ASSERT_EQ(o.Zahlerliste.size(), 2u);
  EXPECT_EQ(o.Zahlerliste[0].verwendungszweck, "001 Muster, Anna (Beitrag)");
  EXPECT_EQ(o.Zahlerliste[1].verwendungszweck, "002 Muster, Kind2 (Beitrag)");
  EXPECT_EQ(o.Summe, 2000);
}

TEST_F(Lauf, ZahlartenOhneBerechnungUndNullbetraege) {
  Klasse("K", {{"Beitrag", 10, 150}}, 2);
  TMitglied& a = Mitglied(1, "K");
  TMitglied& r = Mitglied(2, "K");
  r.FZahlart = zaRechnung;
  auto o = Starte(D("31.12.2010"), TBeitragslaufOptionen::Zahlart(zaRechnung));
  EXPECT_EQ(Nummern(o.Zahlerliste), std::vector<int>{2});
  EXPECT_EQ(a.FHinweise, "");
  // Special bookings: no fee computed, every payer listed.
  ohneBerechnung = true;
  mitNullbetrag = true;
  a.FBeitragsschluessel.wert = "XYZ";
  o = Starte(D("31.12.2010"), TBeitragslaufOptionen::Zahlart(zaLastschrift));
  EXPECT_EQ(Nummern(o.Zahlerliste), std::vector<int>{1});
  EXPECT_EQ(o.Zahlerliste[0].cent, 0);
  EXPECT_TRUE(o.Hinweisliste.empty());
  // A co-financed member named as payer kind pays for nobody.
  ohneBerechnung = false;
  a.FBeitragsschluessel.wert = "K";
  TMitglied& k = Kind(3, "K", a);
  o = Starte(D("31.12.2010"), TBeitragslaufOptionen::Zahlart(zaMitfinanziert));
  EXPECT_EQ(k.FHinweise, "Nullbetrag trotz Zahler");
  EXPECT_EQ(Nummern(o.Hinweisliste), std::vector<int>{3});
  liste->FNullbetragMelden = false;
  o = Starte(D("31.12.2010"), TBeitragslaufOptionen::Zahlart(zaMitfinanziert));
  EXPECT_EQ(k.FHinweise, "");
  EXPECT_TRUE(o.Hinweisliste.empty());
}

TEST_F(Lauf, VorlaeufigeDatenUndWiederholung) {
  Klasse("K", {{"Beitrag", 120, 150}}, 2);
  TMitglied& a = Mitglied(1, "K");
  TMitglied& k = Kind(2, "K", a);
  k.FBezahltBis = D("30.06.2010");
  // Date 0: the fee reference date.
  auto erster = Starte(0);
  EXPECT_EQ(erster.Summe, 12000 + 6000);
  EXPECT_FALSE(liste->FGeaendert);
  vorlDatumSetzen = true;
  auto o = Starte();
  EXPECT_EQ(o.Summe, erster.Summe);
  EXPECT_EQ(a.FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_EQ(k.FVorlaeufigBezahltBis, D("31.12.2010"));
  EXPECT_TRUE(liste->FGeaendert);
  // Until the dates are taken over, a run computes the same amounts.
  EXPECT_EQ(Starte().Summe, erster.Summe);
  liste->FGeaendert = false;
  EXPECT_EQ(UebernehmeVorlDaten(*liste), 2);
  EXPECT_TRUE(liste->FGeaendert);
  EXPECT_EQ(a.FBezahltBis, D("31.12.2010"));
  EXPECT_EQ(a.FVorlaeufigBezahltBis, 0);
  vorlDatumSetzen = false;
  o = Starte();
  EXPECT_EQ(o.Summe, 0);
  EXPECT_EQ(a.FHinweise, "Zahler-Nullbetrag");
  liste->FGeaendert = false;
  EXPECT_EQ(UebernehmeVorlDaten(*liste), 0);
  EXPECT_FALSE(liste->FGeaendert);
}

TEST_F(Lauf, UebernahmeNurNachBestaetigung) {
  Klasse("K", {{"Beitrag", 120, 150}});
  TMitglied& a = Mitglied(1, "K");
  a.FVorlaeufigBezahltBis = D("31.12.2010");
  ui.Antworten = {Antwort::Abbrechen};
  EXPECT_FALSE(mnuUebernehmeVorlDatenClick(*liste));
  EXPECT_EQ(a.FBezahltBis, D("31.12.2009"));
  ui.Antworten = {Antwort::OK};
  EXPECT_TRUE(mnuUebernehmeVorlDatenClick(*liste));
  EXPECT_EQ(a.FBezahltBis, D("31.12.2010"));
  EXPECT_EQ(ui.Texte().back(), "Daten wurden übernommen");
  EXPECT_TRUE(ui.AlleBeantwortet());
}

TEST_F(Lauf, VerwendungszweckMitVorlageUndKuerzung) {
  liste->FZAQFormat = "0000";
  Klasse("ERW", {{"Beitrag Erwachsene", 96, 150}});
  Klasse("JUG", {{"Jugend", 36, 150}}, 2, true);
  TMitglied& a = Mitglied(17, "ERW");
  TMitglied& b = Kind(18, "JUG", a);
  b.FVorname = "Ben";
  b.FBezahltBis = D("30.06.2011");
  const std::vector<TMitglied*> zahltFuer = {&a, &b};
  auto z = Verwendungszweck(*liste, zahltFuer, D("31.12.2011"), "Beitrag %Jahre%", "\r\n", 0, false, false, false);
  EXPECT_EQ(z.text, "Beitrag 2010+11\r\n0017 Muster, Anna (Beitrag Erwachsene)\r\n0018 Muster, Ben (6/12xJugend)");
  EXPECT_EQ(z.cent, 9600 + 1800);
  // 87 characters counted (the template with 2 for its separator); 81 allowed: 3 off each name.
  z = Verwendungszweck(*liste, zahltFuer, D("31.12.2011"), "Beitrag %Jahre%", "\r\n", 81, false, false, false);
  EXPECT_EQ(z.text, "Beitrag 2010+11\r\n0017 Mu-, Anna (Beitrag Erwachsene)\r\n0018 Mu-, Ben (6/12xJugend)");
  // Only the first occurrence of a placeholder is replaced; full year starts at the date.
  z = Verwendungszweck(*liste, zahltFuer, D("31.12.2011"), "%Jahre% %jahre%", "; ", 0, false, false, false);
  EXPECT_EQ(z.text, "2010+11 %jahre%; 0017 Muster, Anna (Beitrag Erwachsene); 0018 Muster, Ben (6/12xJugend)");
  z = Verwendungszweck(*liste, zahltFuer, D("31.12.2011"), "%Jahre%", "; ", 0, false, false, true);
  EXPECT_EQ(z.text, "2011; 0017 Muster, Anna (Beitrag Erwachsene); 0018 Muster, Ben (Jugend)");
  // A member whose fee cannot be computed contributes 0 and "Fehler".
  b.FBeitragsschluessel.wert = "XYZ";
  z = Verwendungszweck(*liste, zahltFuer, D("31.12.2011"), "", "; ", 0, false, false, false);
  EXPECT_EQ(z.text, "0017 Muster, Anna (Beitrag Erwachsene); 0018 Muster, Ben (Fehler)");
  EXPECT_EQ(z.cent, 9600);
  EXPECT_EQ(SonderVerwendungszweck(zahltFuer, 0, "Sonderbeitrag", "\r\n"),
            "Sonderbeitrag\r\n0017 Muster, Anna\r\n0018 Muster, Ben");
  EXPECT_EQ(SonderVerwendungszweck(zahltFuer, 40, "Sonderbeitrag", "\r\n"),
            "Sonderbeitrag\r\n0017 M., An-\r\n0018 M., B.");
}

TEST_F(Lauf, ZweckNamen) {
  TMitglied& m = Mitglied(1, "K", "Mustermann", "Anna");
  m.FTitel = "Dr.";
  EXPECT_EQ(ZweckName(m, 0), "Mustermann, Anna");
  EXPECT_EQ(ZweckName(m, 3), "Muster-, Anna");
  m.FName = "Li";
  EXPECT_EQ(ZweckName(m, 3), "L., A.");
}

}  // namespace
}  // namespace zaq
