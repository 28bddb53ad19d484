// The page engine and its printouts on a recording printer: page metrics,
// headers, the table printout's rows, shading, blocks, page breaks and
// footer, the sheets breaking pages, and the booking list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Druck.h"
#include "fees/VereinHilfen.h"
#include "interaction/Einstellungen.h"
#include "lists/Druck.h"
#include "lists/Tabelle.h"
#include "store/Benutzer.h"
#include "store/Konto.h"
#include "support/ProtokollDrucker.h"
#include "views/Druckdialoge.h"

namespace zaq {
namespace {

using test::D;
using Z = ProtokollDrucker::Zeichnung;

TEST(Seitenmasse, RaenderUndUnbedruckbarerRand) {
  test::TempVerzeichnis dir;
  EinstellungsVerzeichnisSetzen konfiguration(dir.Pfad().string());
  const struct {
    TDruckerMasse d;
    int oben, links, rechts, unten;
  } faelle[] = {
      // A4 at 600 dpi: 10, 20, 10 and 10 mm.
      {TDruckerMasse{4958, 7016, 4958, 7016, 0, 0, 210, 297, 600, true}, 236, 472, 236, 236},
      // An unprintable border of 100 pixels is taken off the margins.
      {TDruckerMasse{4758, 6816, 4958, 7016, 100, 100, 201, 289, 600, true}, 136, 373, 137, 136},
      // A border wider than the margin leaves no margin.
      {TDruckerMasse{3958, 6016, 4958, 7016, 500, 500, 168, 255, 600, true}, 0, 0, 0, 0},
  };
  for (const auto& f : faelle) {
    const TSeitenmasse m = Seitenmasse(f.d);
    EXPECT_EQ(m.oben, f.oben);
    EXPECT_EQ(m.links, f.links);
    EXPECT_EQ(m.rechts, f.rechts);
    EXPECT_EQ(m.unten, f.unten);
    EXPECT_EQ(m.B, f.d.HR - f.links - f.rechts);
    EXPECT_EQ(m.H, f.d.VR - f.oben - f.unten);
  }
  // Without a printer: an A4 page at 600 dpi.
  const TSeitenmasse ohne = Seitenmasse(TDruckerMasse{1000, 1000, 1000, 1000, 0, 0, 10, 10, 300, false});
  EXPECT_FALSE(ohne.drucker);
  EXPECT_EQ(ohne.B, 4958 - 472 - 236);
  EXPECT_EQ(ohne.blockabstand, 35);
  EXPECT_EQ(ohne.mm, 24);
  EXPECT_EQ(Naechste(2.5), 2);
  EXPECT_EQ(Naechste(3.5), 4);
}

class Druck : public test::MitVerein {
 protected:
  Druck() {
    plattform::SetzeFesteZeit(D("15.05.2019") + 0.5);
    stamm().FVereinsname = "TSV Müßig 1899 e.V.";
    stamm().FAlterStichtag = D("31.12.2019");
    stamm().FGruppenname[0] = "Vorstand";
    admin = liste->Administrator();
    admin->FVollerName = "Anna Admin";
    liste->SetzeAktuellerBenutzer(admin);
    liste->FGeaendertAm = D("01.05.2019") + 0.25;
    Klasse("AKT", {{"Beitrag", 1234.5f, 150}});
  }
  ~Druck() override { plattform::SetzeFesteZeit(0); }

  std::unique_ptr<TTabelle> Tabelle(int mitglieder, Tag bezug = 0) {
    for (int i = 1; i <= mitglieder; ++i)
      Mitglied(static_cast<std::uint16_t>(i), "AKT", "Name" + std::to_string(1000 + i), "Vorname");
    TTabVorlage v;
    v.Standardvorlage(0);
    v.FBezugsdatum = bezug ? bezug : D("31.12.2019");
    auto t = std::make_unique<TTabelle>(*liste, v, true);
    EXPECT_TRUE(t->Aufbauen());
    return t;
  }
  // The y of the first text on a page that starts so.
  static int Y(const ProtokollDrucker::Seite& s, const std::string& anfang) {
    for (const auto& z : s.zeichnungen)
      if (z.art == Z::Text && z.text.starts_with(anfang)) return z.y1;
    ADD_FAILURE() << "kein Text " << anfang;
    return -1;
  }
  static int Rechtecke(const ProtokollDrucker::Seite& s) {
    return static_cast<int>(std::count_if(s.zeichnungen.begin(), s.zeichnungen.end(),
                                          [](const Z& z) { return z.art == Z::Rechteck; }));
  }
  TBenutzer* admin;
};

TEST_F(Druck, TabelleSeitenKopfZeilenUndFuss) {
  SchreibeEinstellungZahl(esSchattierung, 1);
  SchreibeEinstellungZahl(esSchattierfarbe, 0x00FF00);
  auto t = Tabelle(120, D("30.06.2018"));
  ProtokollDrucker p;
  ASSERT_TRUE(DruckeTabelle(*t, Tabellendruck(*t), p));
  ASSERT_GE(p.seiten.size(), 2u);
  const TSeitenmasse M = Seitenmasse(p.masse);
  const std::string letzte = "Name" + std::to_string(1120);
  for (std::size_t i = 0; i < p.seiten.size(); ++i) {
    const auto& s = p.seiten[i];
    SCOPED_TRACE(i);
    EXPECT_TRUE(s.Enthaelt("Seite " + std::to_string(i + 1)));
    // The heading row on every page.
    EXPECT_TRUE(s.Enthaelt(t->Zelle(0, 2)));
    // Every text above the bottom margin.
    for (const auto& z : s.zeichnungen)
      if (z.art == Z::Text && z.clipUnten) {
        EXPECT_LE(z.clipUnten, M.oben + M.H);
      }
    // The first row unshaded, every second after it shaded.
    int zeilen = 0;
    for (const auto& text : s.Texte())
      if (text.starts_with("Name1")) ++zeilen;
    EXPECT_EQ(Rechtecke(s), zeilen / 2);
    EXPECT_EQ(s.Enthaelt(Programmzeile()), i + 1 == p.seiten.size());
  }
  const auto& erste = p.seiten[0];
  for (const char* text : {"TSV Müßig 1899 e.V.", "Persönliche Daten / Adressenliste", "Benutzer: Anna Admin",
                           "Stand: 01.05.2019", "Bezug: 30.06.2018"})
    EXPECT_TRUE(erste.Enthaelt(text)) << text;
  EXPECT_FALSE(p.seiten[1].Enthaelt("TSV Müßig 1899 e.V."));
  const auto texte = p.seiten.back().Texte();
  EXPECT_TRUE(std::any_of(texte.begin(), texte.end(), [&](const std::string& text) { return text.starts_with(letzte); }));
  for (const auto& z : erste.zeichnungen)
    if (z.art == Z::Rechteck) {
      EXPECT_EQ(z.farbe, 0x00FF00u);
    }

  // Blocks of five: the gap after the fifth row.
  const int y5 = Y(erste, "Name1005"), y6 = Y(erste, "Name1006"), y4 = Y(erste, "Name1004");
  EXPECT_EQ(y6 - y5, (y5 - y4) + M.blockabstand);
}

// A line spacing of 500 %: every row's whole band stays above the margin.
TEST_F(Druck, GrosserZeilenabstandBleibtImRand) {
  SchreibeEinstellungZahl(esZeilenabstand, 500);
  SchreibeEinstellungZahl(esBlockEintraege, 0);
  auto t = Tabelle(40);
  ProtokollDrucker p;
  ASSERT_TRUE(DruckeTabelle(*t, Tabellendruck(*t), p));
  const TSeitenmasse M = Seitenmasse(p.masse);
  int zeilen = 0;
  for (const auto& s : p.seiten)
    for (const auto& z : s.zeichnungen)
      if (z.art == Z::Text && z.text.starts_with("Name1")) {
        ++zeilen;
        EXPECT_LE(z.clipUnten, M.oben + M.H) << z.text;
      }
  EXPECT_EQ(zeilen, 40);
}

TEST_F(Druck, ZellenTabulatorUndSchnitt) {
  auto t = Tabelle(3);
  liste->SucheNummer(2)->FName = "Mit\tTab und einem sehr langen Namen, der nicht in seine Spalte passt";
  ProtokollDrucker p;
  TTabellendruck d = Tabellendruck(*t);
  d.von = 2;
  d.bis = 2;
  ASSERT_TRUE(DruckeTabelle(*t, d, p));
  bool gefunden = false;
  for (const auto& z : p.seiten[0].zeichnungen)
    if (z.art == Z::Text && z.text.starts_with("Mit»Tab")) {
      gefunden = true;
      // Clipped to the cell, not shortened.
      EXPECT_EQ(z.text.find("…"), std::string::npos);
      EXPECT_LT(z.clipRechts, z.x1 + p.TextBreite(z.text));
    }
  EXPECT_TRUE(gefunden);
  EXPECT_FALSE(p.seiten[0].Enthaelt("Name1001"));
}

TEST_F(Druck, Skalierung) {
  auto t = Tabelle(2);
  const auto groesse = [&](std::uint8_t skalierung) {
    ProtokollDrucker p;
    TTabellendruck d = Tabellendruck(*t);
    d.skalierung = skalierung;
    EXPECT_TRUE(DruckeTabelle(*t, d, p));
    for (const auto& z : p.seiten[0].zeichnungen)
      if (z.art == Z::Text && z.text == "Name1001") return z.schrift.groesse;
    return 0;
  };
  // A narrow table: fitting enlarges, shrinking never does.
  t->Vorlage().FSpalten = {1, 21};
  ASSERT_TRUE(t->Aufbauen());
  const int vorlage = t->Vorlage().FTabellenFormat.Schrift().groesse;
  EXPECT_EQ(groesse(tdVerkleinern), vorlage);
  EXPECT_GT(groesse(tdAnpassen), vorlage);
  EXPECT_EQ(groesse(tdNichtSkalieren), vorlage);
  // Unscaled columns keep the screen widths at the printer's resolution.
  ProtokollDrucker p;
  TTabellendruck d = Tabellendruck(*t);
  d.skalierung = tdNichtSkalieren;
  ASSERT_TRUE(DruckeTabelle(*t, d, p));
  const TSeitenmasse M = Seitenmasse(p.masse);
  std::vector<int> xs;
  for (const auto& z : p.seiten[0].zeichnungen)
    if (z.art == Z::Text && (z.text == t->Zelle(0, 0) || z.text == t->Zelle(0, 1))) xs.push_back(z.x1);
  ASSERT_EQ(xs.size(), 2u);
  EXPECT_EQ(xs[0], M.links);
  EXPECT_EQ(xs[1] - xs[0], Naechste((t->Breiten()[0] + 2) * 600.0 / 96));
}

TEST_F(Druck, FussNurMitDreiFreienZeilen) {
  SchreibeEinstellungZahl(esBlockEintraege, 0);
  auto t = Tabelle(200);
  ProtokollDrucker probe;
  ASSERT_TRUE(DruckeTabelle(*t, Tabellendruck(*t), probe));
  // Rows per page; print exactly enough to fill the first page.
  int proSeite = 0;
  for (const auto& text : probe.seiten[0].Texte())
    if (text.starts_with("Name1")) ++proSeite;
  TTabellendruck d = Tabellendruck(*t);
  d.bis = proSeite;
  ProtokollDrucker voll;
  ASSERT_TRUE(DruckeTabelle(*t, d, voll));
  EXPECT_EQ(voll.seiten.size(), 1u);
  EXPECT_FALSE(voll.seiten[0].Enthaelt(Programmzeile()));
  d.bis = proSeite - 3;
  ProtokollDrucker frei;
  ASSERT_TRUE(DruckeTabelle(*t, d, frei));
  EXPECT_TRUE(frei.seiten[0].Enthaelt(Programmzeile()));
}

TEST_F(Druck, DialogUndAuftrag) {
  auto t = Tabelle(5);
  TfrmTabDrucken d(*t);
  EXPECT_EQ(d.FTitel, "Persönliche Daten / Adressenliste");
  EXPECT_EQ(d.FVon, "1");
  EXPECT_EQ(d.FBis, "5");
  EXPECT_EQ(d.FDruckerIndex, 0);
  const struct {
    const char *von, *bis, *kopien, *meldung;
  } faelle[] = {
      {"3", "2", "1", "Die Anfangszeile darf nicht nach der Endzeile liegen."},
      {"x", "2", "1", "Geben Sie nur Zahlen bei Exemplaren und Zeilen an!"},
      {"1", "2", "", "Geben Sie nur Zahlen bei Exemplaren und Zeilen an!"},
  };
  for (const auto& f : faelle) {
    d.FVon = f.von;
    d.FBis = f.bis;
    d.FKopien = f.kopien;
    ui.Leeren();
    EXPECT_FALSE(d.OK());
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{f.meldung});
  }
  // Rows beyond the table count as its last.
  d.FVon = "2";
  d.FBis = "99";
  d.FKopien = "2";
  EXPECT_TRUE(d.OK());
  EXPECT_EQ(d.Bis(), 5);

  ui.Leeren();
  ui.Dialoge.push_back([](DialogDaten& dd) {
    auto& x = dynamic_cast<TfrmTabDrucken&>(dd);
    x.FTitel = "Mein Titel";
    x.FKopien = "3";
    x.FSkalierung = 2;
    x.FDruckerIndex = 1;
    x.FQuer = true;
    return x.OK();
  });
  ASSERT_TRUE(TabelleDrucken(*t));
  ASSERT_EQ(ui.Druckauftraege.size(), 1u);
  const auto& a = ui.Druckauftraege[0];
  EXPECT_EQ(a.auftrag.titel, "ZAQ Tabellenausdruck");
  EXPECT_EQ(a.auftrag.kopien, 3);
  EXPECT_EQ(a.auftrag.drucker, "Zweiter Drucker");
  EXPECT_TRUE(a.auftrag.quer);
  EXPECT_TRUE(a.geraet->seiten[0].Enthaelt("Mein Titel"));
  EXPECT_EQ(t->Vorlage().FDruckOptionen & (tdNichtSkalieren | tdAnpassen | tdVerkleinern), tdAnpassen);

  // No printer: the message, nothing printed.
  ui.Leeren();
  ui.MitDrucker = false;
  EXPECT_FALSE(TabelleDrucken(*t));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{kKeinDrucker});
  EXPECT_TRUE(ui.Druckauftraege.empty());
}

TEST_F(Druck, AbbrechenBeendetDenAuftrag) {
  auto t = Tabelle(100);
  ui.AbbrechenBeiText = "Drucke Tabelle";
  ui.Antworten = {Antwort::Ja};
  ProtokollDrucker p;
  EXPECT_FALSE(DruckeTabelle(*t, Tabellendruck(*t), p));
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{"Wollen Sie den Vorgang wirklich abbrechen?",
                                                  "Der Druckauftrag wurde abgebrochen."}));
}

// A member in every group: the sheet goes on on a second page with its
// header and page number.
TEST_F(Druck, MitgliedsblattBrichtUm) {
  TMitglied& m = Mitglied(7, "AKT", "Groß", "Jürgen");
  m.FGruppen = 0xFFFFFFFF;
  for (int g = 0; g < kGruppen; ++g) stamm().FGruppenname[static_cast<std::size_t>(g)] = "Gruppe " + std::to_string(g + 1);
  m.FEhrung = 0;
  m.ZahlerAnlegen();
  ProtokollDrucker p;
  ASSERT_TRUE(DruckeMitglied(*liste, m, p));
  ASSERT_EQ(p.seiten.size(), 2u);
  const auto& erste = p.seiten[0];
  for (const char* text : {"Einzelausdruck Mitgliedsdaten", "Benutzer: Anna Admin", "Ausdruck: 15.05.2019",
                           "Groß, Jürgen", "männlich", "Gruppe 1"})
    EXPECT_TRUE(erste.Enthaelt(text)) << text;
  for (const char* text : {"Gruppe 32", "Beitragstechnische Daten", "Lastschrift", "DE89 3704 0044 0532 0130 00"})
    EXPECT_TRUE(erste.Enthaelt(text) || p.seiten[1].Enthaelt(text)) << text;
  EXPECT_FALSE(erste.Enthaelt("Seite 1"));
  EXPECT_TRUE(p.seiten[1].Enthaelt("Seite 2"));
  EXPECT_TRUE(p.seiten[1].Enthaelt("Datensatz-Info"));
  // "Ehrung:" prints 0 as "0"; a payer reference that does not resolve
  // prints no payer.
  const auto texte = erste.Texte();
  const auto ehrung = std::find(texte.begin(), texte.end(), "Ehrung:");
  ASSERT_NE(ehrung, texte.end());
  EXPECT_EQ(*(ehrung + 1), "0");
  EXPECT_FALSE(erste.Enthaelt("Zahlende Mitgliedsnr.:"));
  const TSeitenmasse M = Seitenmasse(p.masse);
  for (const auto& s : p.seiten)
    for (const auto& z : s.zeichnungen)
      if (z.art == Z::Text) {
        EXPECT_LE(z.y1, M.oben + M.H) << z.text;
      }

  // Without the right to see fee data, no fee section.
  auto& schrift = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Schrift"));
  schrift.FRechte = kAlleRechte & ~rBeitragsdatenAnzeigen;
  liste->SetzeAktuellerBenutzer(&schrift);
  ProtokollDrucker ohne;
  ASSERT_TRUE(DruckeMitglied(*liste, m, ohne));
  for (const auto& s : ohne.seiten) EXPECT_FALSE(s.Enthaelt("Beitragstechnische Daten"));
}

TEST_F(Druck, StammdatenblattMitVielenKontenUndKlassen) {
  stamm().FVereinskonten.Element(0).FBezeichnung = "Konto 0";
  for (int i = 1; i <= 12; ++i) {
    auto& k = stamm().FVereinskonten.Hinzufuegen();
    k.FKontoSchluessel = "K" + std::to_string(i);
    k.FBezeichnung = "Konto " + std::to_string(i);
  }
  auto& ohne = stamm().FBtrKlassen.Hinzufuegen();
  ohne.FSchluessel = "LEER";
  ohne.FAltKlassen.clear();
  Familie("FAM", 1234.5f, "Familie");
  stamm().FBtrKlassen.Element(2).FFamilienIst = 2;
  liste->FFtpDaten.FLetzteAktualisierung = D("02.05.2019") + 0.5;
  ProtokollDrucker p;
  ASSERT_TRUE(DruckeStammdaten(*liste, p));
  ASSERT_GE(p.seiten.size(), 3u) << "the accounts break page 1";
  EXPECT_TRUE(p.seiten[0].Enthaelt("Seite 1"));
  EXPECT_TRUE(p.seiten[0].Enthaelt("Letzte Änderung:"));
  EXPECT_TRUE(p.seiten[0].Enthaelt("01.05.2019, 06:00:00"));
  EXPECT_TRUE(p.seiten[0].Enthaelt("02.05.2019, 12:00:00"));
  std::vector<std::string> alle;
  for (const auto& s : p.seiten)
    for (const auto& t : s.Texte()) alle.push_back(t);
  for (const char* text : {"Konto 12", "Beitragsklasse LEER", "Festbetrag", "Beitragsklasse FAM", "Familienbeitrag",
                           "1234,50 €", "genau 2 Erwachsene", "ab 18 Jahren", "bis 150 Jahre"})
    EXPECT_NE(std::find(alle.begin(), alle.end(), text), alle.end()) << text;
  const TSeitenmasse M = Seitenmasse(p.masse);
  for (const auto& s : p.seiten)
    for (const auto& z : s.zeichnungen)
      if (z.art == Z::Text) {
        EXPECT_LE(z.y1, M.oben + M.H) << z.text;
      }
}

TEST_F(Druck, Buchungsliste) {
  TVereinskonto& k = stamm().FVereinskonten.Element(0);
  k.FBezeichnung = "Hauptkonto";
  k.FGlaeubigerID = "DE98ZZZ09999999999";
  k.FIBAN = "DE89370400440532013000";
  TSepa l;
  ASSERT_TRUE(l.Anlegen(dir / "l.slv"));
  TSepaKopf kopf = l.Kopf();
  kopf.Kontoschluessel = "HAUPT";
  ASSERT_TRUE(l.SchreibeKopf(kopf));
  TSepaBuchung b;
  b.IBAN = "DE89370400440532013000";
  b.Betrag = 1234.5f;
  b.Kundenreferenz = "K-1";
  {
    TSepa::Stapel stapel(l);
    for (int i = 1; i <= 80; ++i) {
      b.Name = "Zahler " + std::to_string(i);
      b.Verwendungszweck = i == 3 ? "Zeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4" : "Beitrag";
      l.Schreiben(b, i);
    }
    ASSERT_TRUE(stapel.Ende());
  }
  ProtokollDrucker p;
  ASSERT_TRUE(DruckeBuchungsliste(l, stamm(), {"Beiträge 2019", 1, 80}, p));
  ASSERT_GE(p.seiten.size(), 2u);
  for (const auto& s : p.seiten) {
    EXPECT_TRUE(s.Enthaelt("Beiträge 2019"));
    EXPECT_TRUE(s.Enthaelt("Zahlungspflichtiger /"));
    EXPECT_TRUE(s.Enthaelt("Kundenreferenznummer"));
  }
  const auto& erste = p.seiten[0];
  for (const char* text : {"Datei: l.slv", "Vereinskonto: Hauptkonto", "Gläubiger-ID: DE98ZZZ09999999999",
                           "Zahl der Lastschriften: 80", "IBAN: DE89 3704 0044 0532 0130 00",
                           "Gesamtbetrag: 98.760,00 €", "1.234,50 €", "Zeile 4", "K-1"})
    EXPECT_TRUE(erste.Enthaelt(text)) << text;
  // At least three lines a booking; four purpose lines take four.
  const int y1 = Y(erste, "Zahler 1"), y2 = Y(erste, "Zahler 2"), y3 = Y(erste, "Zahler 3"),
            y4 = Y(erste, "Zahler 4");
  EXPECT_EQ((y3 - y2) * 4, (y4 - y3) * 3);
  EXPECT_EQ(y2 - y1, y3 - y2);
}

}  // namespace
}  // namespace zaq
