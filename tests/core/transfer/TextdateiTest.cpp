// The text export and import: the export's exact bytes, the separator and
// the preview, the trial pass that refuses before anything is added, and an
// export that imports back into the same members.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "base/Datum.h"
#include "platform/Kodierung.h"
#include "store/Benutzer.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/Verweis.h"
#include "store/ZAQ.h"
#include "transfer/Textdatei.h"

namespace zaq {
namespace {

using test::Lies;
using test::Schreibe;

// The export's columns as import fields; credited years and honour have none.
const std::vector<int> kExportFelder = {10, 20, 21, 23, 30, 31, 32, 25, 24, 34, 36, 40, 0,
                                        41, 0,  42, 80, 50, 61, 62, 63, 60, 64, 65, 66, 70};

class Textdatei : public test::MitOberflaeche {
 protected:
  Textdatei() : liste(TZAQ::CreateNeu(false, true)) {
    liste->SetzeAktuellerBenutzer(liste->Administrator());
    liste->FStammdaten.FGruppenAnzahl = 3;
    auto& a = Neu(7);
    a.FName = "Müller";
    a.FVorname = "Eva";
    a.FZusatz = "Dr.";
    a.FStrasse = "Hauptstraße 1";
    a.FPLZ = "74321";
    a.FOrt = "Bönnigheim";
    a.FMaennlich = false;
    a.FGeburtsdatum = KodiereDatum(1947, 5, 3);
    a.FEintrittsdatum = KodiereDatum(2004, 5, 11);
    a.FEhrenmitgliedSeit = KodiereDatum(2020, 1, 1);
    a.FAnrechnung = 3;
    a.FEhrung = 25;
    a.FTelefon = "07143 1";
    a.FEMail = "e@example.org";
    a.FAbteilungen = "Turnen, Schwimmen";
    a.SetzeGruppe(2, true);
    a.FBeitragsschluessel.wert = "AKT";
    auto& k = a.KontoAnlegen();
    k.FBLZ = "62250030";
    k.FKontonummer = "0538114004";
    k.FInhaber = "Eva Müller €";
    k.FIBAN = "DE98622500300538114004";
    k.FMandatsreferenz = "007E";
    k.FMandatsdatum = KodiereDatum(2014, 2, 1);
    k.FEmpfaengerKonto.wert = "HAUPT";
    auto& b = Neu(65535);
    b.FName = "Abel\xC2\x81";  // an undefined Windows-1252 byte keeps its place
    b.FGeburtsdatum = 0;
    b.FEintrittsdatum = 0;
    b.FZahlart = zaMitfinanziert;
    b.ZahlerAnlegen().Setze(&a);
  }
  TMitglied& Neu(std::uint16_t nr) {
    return liste->FMitglieder.Anhaengen(std::make_unique<TMitglied>(liste.get(), nr));
  }
  std::unique_ptr<TZAQ> liste;
};

TEST_F(Textdatei, ExportGenauUndLeer) {
  const std::string erwartet =
      "Mitgl.-Nr;Nachname;Vorname;Zusatz;Straße;PLZ;Wohnort;Geburt;Geschl.;Telefon;Email;Eintritt;Anrechn.;"
      "Ehrenmitl.;Ehrung;Abteilungen;Gruppen;BTS;BLZ;Kto.-Nr.;Kto.-Inh.;IBAN;Mandat;Ma.-Dat.;EKS;ZMG\r\n"
      "007;Müller;Eva;Dr.;Hauptstraße 1;74321;Bönnigheim;03.05.1947;w;07143 1;e@example.org;11.05.2004;3;"
      "01.01.2020;25;Turnen, Schwimmen;010;AKT;62250030;0538114004;Eva Müller €;DE98622500300538114004;007E;"
      "01.02.2014;HAUPT;\r\n"
      "65535;Abel\xC2\x81;;;;;;30.12.1899;m;;;30.12.1899;0;;0;;000;;;;;;;;;007\r\n";
  const std::string bytes = Utf8ZuCp1252(erwartet);
  EXPECT_EQ(ExportText(*liste), bytes);
  const std::string datei = dir / "export.txt";
  ASSERT_TRUE(ExportiereText(*liste, datei));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Alle Datensätze wurden erfolgreich exportiert."});
  EXPECT_EQ(Lies(datei), plattform::Bytes(bytes.begin(), bytes.end()));
  auto leer = TZAQ::CreateNeu(false, true);
  const std::string kopf = ExportText(*leer);
  EXPECT_EQ(kopf.find("\r\n"), kopf.size() - 2);
}

TEST_F(Textdatei, ExportWeigertSichUeberDieMitgliederdatei) {
  liste->FDateiname = dir / "verein.zaq";
  Schreibe(liste->FDateiname, std::string("ZAQ"));
  std::filesystem::create_directories(dir.Pfad() / "sub");
  EXPECT_TRUE(IstMitgliederdatei(*liste, dir / "VEREIN.ZAQ"));
  EXPECT_TRUE(IstMitgliederdatei(*liste, dir / "sub/../verein.zaq"));
  std::filesystem::create_symlink(liste->FDateiname, dir.Pfad() / "verweis.zaq");
  EXPECT_TRUE(IstMitgliederdatei(*liste, dir / "verweis.zaq"));
  EXPECT_FALSE(IstMitgliederdatei(*liste, dir / "export.txt"));
}

TEST_F(Textdatei, TrennerUndVorschau) {
  struct Fall {
    std::string text;
    int kopf;
    char trenner;
    std::size_t spalten, zeilen;
    std::string meldung;
  };
  const Fall faelle[] = {
      {"K\r\n1;a;b\r\n2;c\r\n", 1, ';', 3, 2, ""},
      {"1\ta\n\n2\tb\tc\n  \n", 0, '\t', 3, 2, ""},
      // The middle line decides: ";" elsewhere does not count.
      {"1;a\r2,b\r3;c\r", 0, ',', 2, 3, ""},
      {"1/a\n2/b\n", 0, '/', 2, 2, ""},
      {"a,b\nnichts\nc,d\n", 0, 0, 0, 0, "Kann keine Trenner (;,/Tab) finden."},
      {"Kopf\r\n", 1, 0, 0, 0, "Keine Datensätze da. Anzahl eingelesener Zeilen: 1"},
      {"", 0, 0, 0, 0, "Keine Datensätze da. Anzahl eingelesener Zeilen: 0"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.text);
    ui.Leeren();
    TTextimport t;
    ASSERT_TRUE(t.Laden(plattform::Bytes(f.text.begin(), f.text.end())));
    EXPECT_EQ(t.SetzeKopfzeilen(f.kopf), f.meldung.empty());
    EXPECT_EQ(ui.Texte(), f.meldung.empty() ? std::vector<std::string>{} : std::vector<std::string>{f.meldung});
    EXPECT_EQ(t.Trenner(), f.trenner);
    EXPECT_EQ(static_cast<std::size_t>(t.Spaltenanzahl()), f.spalten);
    EXPECT_EQ(t.Vorschau().size(), f.zeilen);
  }
}

TEST_F(Textdatei, ExportKommtImportiertZurueck) {
  const std::string text = ExportText(*liste);
  for (Importziel ziel : {Importziel::Mitgliederliste, Importziel::Archiv}) {
    auto neu = TZAQ::CreateNeu(false, true);
    neu->SetzeAktuellerBenutzer(neu->Administrator());
    neu->FStammdaten.FGruppenAnzahl = 3;
    TTextimport t;
    ASSERT_TRUE(t.Laden(plattform::Bytes(text.begin(), text.end())));
    ASSERT_TRUE(t.SetzeKopfzeilen(1));
    for (std::size_t c = 0; c < kExportFelder.size(); ++c) t.SetzeFeld(static_cast<int>(c), kExportFelder[c]);
    EXPECT_EQ(t.Kopf(0), "MNr.");
    EXPECT_EQ(t.Kopf(12), "»");
    ui.Leeren();
    ASSERT_TRUE(t.Uebernehmen(*neu, ziel));
    EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Die Mitglieder wurden importiert."});
    auto& ziele = ziel == Importziel::Archiv ? neu->FArchiv : neu->FMitglieder;
    ASSERT_EQ(ziele.Anzahl(), 2);
    if (ziel == Importziel::Mitgliederliste) {
      // Everything exported comes back but the two fields no import takes;
      // the payer shows again once the member is co-financed (the payment
      // kind is not exported).
      neu->FMitglieder[0].FAnrechnung = 3;
      neu->FMitglieder[0].FEhrung = 25;
      neu->FMitglieder[1].FZahlart = zaMitfinanziert;
      EXPECT_EQ(ExportText(*neu), text);
      EXPECT_FALSE(neu->FMitglieder[1].Konto());
      EXPECT_EQ(neu->FMitglieder[0].FErstelltVon.GetZiel(), neu->Administrator());
    } else {
      // Payers are not taken into the archive.
      EXPECT_FALSE(ziele[1].Zahler());
      EXPECT_EQ(ziele[0].Konto()->FMandatsdatum, KodiereDatum(2014, 2, 1));
    }
  }
}

TEST_F(Textdatei, ProbelaufWeistZurueckBevorEtwasDazukommt) {
  struct Fall {
    std::string zeilen;      // after the header line
    std::vector<int> felder;
    std::string meldung;
  };
  const Fall faelle[] = {
      {"abc;x\r\n", {10, 20}, "Fehler bei der Typumwandlung der Mitgliedsnummer in Zeile 1\r\n\r\nWert bzw. Text = \"abc\""},
      {"5;x\r\n70000;y\r\n", {10, 20},
       "Fehler bei der Typumwandlung der Mitgliedsnummer in Zeile 2\r\n\r\nWert bzw. Text = \"70000\""},
      {"5;31.02.2020\r\n", {10, 25},
       "Fehler beim Einlesen und Typumwandlung in Zeile 1 Spalte Geburtsdt.\r\n\r\nWert bzw. Text = \"31.02.2020\""},
      {"5;2020-01-01\r\n", {10, 40},
       "Fehler beim Einlesen und Typumwandlung in Zeile 1 Spalte Eintrittsdt.\r\n\r\nWert bzw. Text = \"2020-01-01\""},
      // A row cut short has an empty birth date.
      {"5;01.01.2000\r\n6\r\n", {10, 25},
       "Fehler beim Einlesen und Typumwandlung in Zeile 2 Spalte Geburtsdt.\r\n\r\nWert bzw. Text = \"\""},
      {"5;x\r\n", {0, 20},
       "Die Spalte der Mitgliedsnummer steuert das Erstellen eines Mitglieds und ist dringend notwendig. Diese "
       "Spalte fehlt bzw. wurde nicht ausgewählt."},
      {"5;x\r\n", {10, 70}, "Fehler beim Einlesen und Typumwandlung in Zeile 1 Spalte Zahler\r\n\r\nWert bzw. Text = \"x\""},
      {"0;x\r\n", {10, 20},
       "Fehler in Zeile 1: Die Mitgliedsnummer 0 ist nicht zulässig.\r\n\r\nJede Mitgliedsnummer darf nur einmal "
       "vorkommen. Es wurde nichts importiert."},
      {"5;x\r\n007;y\r\n", {10, 20},
       "Fehler in Zeile 2: Die Mitgliedsnummer 7 ist bereits vergeben.\r\n\r\nJede Mitgliedsnummer darf nur einmal "
       "vorkommen. Es wurde nichts importiert."},
      {"5;x\r\n5;y\r\n", {10, 20},
       "Fehler in Zeile 2: Die Mitgliedsnummer 5 ist bereits vergeben.\r\n\r\nJede Mitgliedsnummer darf nur einmal "
       "vorkommen. Es wurde nichts importiert."},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.zeilen);
    ui.Leeren();
    const std::string text = "Kopf;Kopf\r\n" + f.zeilen;
    TTextimport t;
    ASSERT_TRUE(t.Laden(plattform::Bytes(text.begin(), text.end())));
    ASSERT_TRUE(t.SetzeKopfzeilen(1));
    for (std::size_t c = 0; c < f.felder.size(); ++c) t.SetzeFeld(static_cast<int>(c), f.felder[c]);
    EXPECT_FALSE(t.Pruefen(*liste, Importziel::Mitgliederliste));
    EXPECT_FALSE(t.Uebernehmen(*liste, Importziel::Mitgliederliste));
    EXPECT_EQ(liste->FMitglieder.Anzahl(), 2);
    ASSERT_FALSE(ui.Texte().empty());
    EXPECT_EQ(ui.Texte().back(), f.meldung);
  }
}

TEST_F(Textdatei, FrageZielUndZeichensatz) {
  const std::string text = "Nr;Name\r\n5;Łukasz\r\n";
  TTextimport t;
  ASSERT_TRUE(t.Laden(plattform::Bytes(text.begin(), text.end())));  // read as Windows-1252: no "Ł"
  ASSERT_TRUE(t.SetzeKopfzeilen(1));
  t.SetzeFeld(0, 10);
  t.SetzeFeld(1, 20);
  // No target chosen, then the question answered No: nothing happens.
  EXPECT_FALSE(t.Importiere(*liste, Importziel::Keines));
  EXPECT_EQ(ui.Texte().back(),
            "Bitte wählen, ob Datensätze als Mitglieder oder als ehemalige Mitglieder ins Archiv importiert werden "
            "sollen!");
  ui.Antworten = {Antwort::Nein};
  EXPECT_FALSE(t.Importiere(*liste, Importziel::Mitgliederliste));
  EXPECT_EQ(ui.Texte().back(), "Hiermit wird die Textdatei unwiderruflich importiert.");
  EXPECT_EQ(liste->FMitglieder.Anzahl(), 2);

  // UTF-8 with its mark: "Ł" cannot be stored and is refused by name.
  const std::string utf8 = "\xEF\xBB\xBFNr;Name\r\n5;Łukasz\r\n6;Jörg\r\n";
  ASSERT_TRUE(t.Laden(plattform::Bytes(utf8.begin(), utf8.end())));
  ASSERT_TRUE(t.SetzeKopfzeilen(1));
  t.SetzeFeld(0, 10);
  t.SetzeFeld(1, 20);
  ui.Leeren();
  EXPECT_FALSE(t.Uebernehmen(*liste, Importziel::Mitgliederliste));
  ASSERT_EQ(ui.Texte().size(), 1u);
  EXPECT_NE(ui.Texte()[0].find("„Ł“"), std::string::npos) << ui.Texte()[0];
  t.Vorschau()[0][1] = "Lukasz";  // corrected in the preview
  ui.Antworten = {Antwort::Ja};
  ASSERT_TRUE(t.Importiere(*liste, Importziel::Mitgliederliste));
  EXPECT_EQ(liste->FMitglieder[3].FName, "Jörg");

  // UTF-16 is no text of this kind.
  const std::string utf16("\xFF\xFEN\0r\0", 6);
  ui.Leeren();
  EXPECT_FALSE(t.Laden(plattform::Bytes(utf16.begin(), utf16.end())));
  ASSERT_EQ(ui.Texte().size(), 1u);
  EXPECT_NE(ui.Texte()[0].find("UTF-16"), std::string::npos);
}

}  // namespace
}  // namespace zaq
