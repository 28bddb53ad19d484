// The bank file of a booking list: the document built from the list, its
// findings, the export's questions, and zaq-cli slv-dump and sepa-xml.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "cli/Befehle.h"
#include "debits/sepa/Buchungsliste.h"
#include "debits/sepa/Export.h"
#include "debits/sepa/SEPASchema.h"
#include "fees/VereinHilfen.h"
#include "store/Konto.h"

namespace zaq {
namespace {

const int kVersionen[] = {kSepaVersion37, kSepaVersion30, kSepaVersion29};

std::string Zwischen(const std::string& text, const std::string& vor, const std::string& nach) {
  const auto a = text.find(vor);
  if (a == std::string::npos) return "(fehlt: " + vor + ")";
  const auto e = text.find(nach, a + vor.size());
  return text.substr(a + vor.size(), e - a - vor.size());
}

std::string Texte(const std::vector<std::string>& m) {
  std::string t;
  for (const auto& s : m) t += s + "\n";
  return t;
}

class Export : public test::MitVerein {
 protected:
  Export() {
    TVereinskonto& k = stamm().FVereinskonten.Element(0);
    k.FInhaber = "TSV Musterstadt & Söhne e.V.";
    k.FIBAN = "DE89370400440532013000";
    k.FGlaeubigerID = "DE98ZZZ09999999999";
  }
  const TVereinskonto& konto() { return stamm().FVereinskonten.Element(0); }
  // A list of n debits with umlauts, "&" and characters outside the SEPA
  // set in names and purposes, 140-character purposes with line breaks.
  void Liste(int n, std::uint8_t sequenz = 1) {
    ASSERT_TRUE(liste_.Anlegen(datei));
    TSepaKopf kopf = liste_.Kopf();
    kopf.Kontoschluessel = "HAUPT";
    kopf.Sequenz = sequenz;
    ASSERT_TRUE(liste_.SchreibeKopf(kopf));
    TSepa::Stapel stapel(liste_);
    for (int i = 1; i <= n; ++i) {
      TSepaBuchung b;
      b.Name = "Jürgen Groß & Söhne <" + std::to_string(i) + "> €_@";
      b.IBAN = i % 3 ? "DE89370400440532013000" : "DE02120300000000202051";
      b.Mandatsreferenz = "MREF-" + std::to_string(i);
      b.Mandatsdatum = test::D("01.02.2014") + 0.5;
      b.Sequenz = sequenz ? 2 : 0;
      b.Betrag = static_cast<float>(i) * 1.37f + 1234.56f * (i % 2);
      if (i % 4 == 0) b.Kundenreferenz = "R " + std::to_string(i);
      std::string zweck = "Beitrag 2027 für Mitglied " + std::to_string(i) + "\r\nÄbteilung \"Tennis\" & Co.";
      b.Verwendungszweck = zweck + std::string(140 - zweck.size(), 'x');
      ASSERT_TRUE(liste_.Schreiben(b, i));
      cents += std::llround(static_cast<double>(b.Betrag) * 100.0);
    }
    ASSERT_TRUE(stapel.Ende());
  }
  std::string datei = dir / "lauf.slv";
  TSepa liste_;
  long long cents = 0;
};

TEST_F(Export, VieleBuchungenInJedemSchemaUndJederArt) {
  sepa::SetExtendedCharsAllowed(true);
  for (std::uint8_t sequenz : {0, 1}) {
    Liste(150, sequenz);
    for (int version : kVersionen) {
      const std::string_view schema = SchemaVonVersion(version);
      SCOPED_TRACE(std::string(schema) + (sequenz ? " RCUR" : " OOFF"));
      const auto dokument = BaueDokument(liste_, konto(), schema, Heute() + 7);
      const std::string xml = dokument.Write();
      EXPECT_EQ(Texte(PruefeDokument(dokument, xml)), "");
      EXPECT_EQ(Texte(sepa::ValidateAgainstXsd(xml, schema)), "");
      EXPECT_NE(xml.find("xsd:" + std::string(schema) + "\""), std::string::npos);
      EXPECT_EQ(Zwischen(xml, "<GrpHdr>\r\n<MsgId>", "<"), dokument.GrpHdrMsgId);
      EXPECT_EQ(Zwischen(xml, "<NbOfTxs>", "<"), "150");
      EXPECT_EQ(Zwischen(xml, "<CtrlSum>", "<"), sepa::AmountToText(sepa::Currency::FromCents(cents), 2));
      EXPECT_EQ(Zwischen(xml, "<SeqTp>", "<"), sequenz ? "RCUR" : "OOFF");
      // The first debit: 1.37 + 1234.56 in the list's float, exactly 1235.93 in the file.
      EXPECT_EQ(Zwischen(xml, "<InstdAmt Ccy=\"EUR\">", "<"), "1235.93");
      EXPECT_EQ(Zwischen(xml, "<Dbtr><Nm>", "<"), "Jürgen Groß &amp; Söhne  1     ");
      const std::string zweck = Zwischen(xml, "<Ustrd>", "<");
      EXPECT_EQ(zweck.rfind("Beitrag 2027 für Mitglied 1//Äbteilung  Tennis  &amp; Co.xx", 0), 0u) << zweck;
      EXPECT_EQ(Zwischen(xml, "<EndToEndId>", "<"), "NOTPROVIDED");
      EXPECT_NE(xml.find("<EndToEndId>R 4</EndToEndId>"), std::string::npos);
      EXPECT_EQ(Zwischen(xml, "<DtOfSgntr>", "<"), "2014-02-01");
      EXPECT_EQ(Zwischen(xml, "<ReqdColltnDt>", "<"), sepa::DateToText(Heute() + 7));
    }
    cents = 0;
  }
  sepa::SetExtendedCharsAllowed(false);
}

TEST_F(Export, Ausfuehrungsdatum) {
  const struct {
    Tag kopf, erwartet;
  } faelle[] = {{0, Heute() + 1}, {Heute(), Heute() + 1}, {Heute() + 1, Heute() + 1},
                {Heute() + 9, Heute() + 9}, {Heute() + 14, Heute() + 14}, {Heute() + 40, Heute() + 14}};
  for (const auto& f : faelle) EXPECT_EQ(TAusfuehrungsdatumDialog(f.kopf).FDatum, f.erwartet) << f.kopf - Heute();
  const struct {
    Tag datum;
    const char* meldung;
  } pruefungen[] = {
      {Heute(), "Bitte geben Sie kein Datum an, welches heute ist oder in der Vergangenheit liegt."},
      {Heute() - 3, "Bitte geben Sie kein Datum an, welches heute ist oder in der Vergangenheit liegt."},
      {Heute() + 15, "Das Buchungsdatum darf maximal 14 Tage im Voraus liegen."},
      {Heute() + 1, nullptr},
      {Heute() + 14, nullptr},
  };
  for (const auto& p : pruefungen) {
    ui.Leeren();
    TAusfuehrungsdatumDialog d(0);
    d.FDatum = p.datum;
    EXPECT_EQ(d.Bestaetigen(), p.meldung == nullptr);
    EXPECT_EQ(ui.Texte(), p.meldung ? std::vector<std::string>{p.meldung} : std::vector<std::string>{});
  }
  ASSERT_EQ(XmlDateifilter().size(), 3u);
  EXPECT_EQ(XmlDateifilter()[0].beschreibung, "SEPA-Version 3.7 (pain.008.001.08)");
  EXPECT_EQ(VersionVonFilter(0), kSepaVersion37);
  EXPECT_EQ(VersionVonFilter(2), kSepaVersion29);
}

TEST_F(Export, ErzeugeXMLFragtUndSchreibt) {
  Liste(3);
  const std::string aus = dir / "lauf.xml";
  Tag gezeigt = 0;
  auto datum = [&](Tag tag) {
    ui.Dialoge.push_back([&gezeigt, tag](DialogDaten& d) {
      auto& dialog = dynamic_cast<TAusfuehrungsdatumDialog&>(d);
      gezeigt = dialog.FDatum;
      dialog.FDatum = tag;
      return true;
    });
  };

  // Cancelled at the date: nothing written, nothing said.
  EXPECT_FALSE(ErzeugeXML(liste_, stamm(), aus, kSepaVersion37));
  EXPECT_EQ(ui.DialogArten, std::vector<std::string>{"DTA-Datei erstellen"});
  EXPECT_TRUE(ui.Meldungen.empty());
  EXPECT_FALSE(std::filesystem::exists(aus));

  // The next business day: tomorrow may be a Saturday.
  const Tag frueh = sepa::EarliestCollectionDate("CORE", "RCUR", sepa::kPain00800108, 0);
  datum(frueh);
  ASSERT_TRUE(ErzeugeXML(liste_, stamm(), aus, kSepaVersion37));
  EXPECT_EQ(gezeigt, Heute() + 3) << "the header's date, three days on";
  const plattform::Bytes b = test::Lies(aus);
  const std::string xml(b.begin(), b.end());
  EXPECT_EQ(Texte(sepa::ValidateAgainstXsd(xml, sepa::kPain00800108)), "");
  EXPECT_EQ(Zwischen(xml, "<ReqdColltnDt>", "<"), sepa::DateToText(frueh));
  EXPECT_TRUE(ui.Meldungen.empty());

  // A finding: OK writes nothing, Ignore writes all the same.
  TSepaBuchung falsch = liste_.Lesen(2);
  falsch.IBAN = "DE89370400440532013001";
  ASSERT_TRUE(liste_.Schreiben(falsch, 2));
  std::filesystem::remove(aus);
  for (Antwort antwort : {Antwort::OK, Antwort::Ignorieren}) {
    ui.Leeren();
    datum(frueh);
    ui.Antworten.push_back(antwort);
    EXPECT_EQ(ErzeugeXML(liste_, stamm(), aus, kSepaVersion30), antwort == Antwort::Ignorieren);
    ASSERT_EQ(ui.Meldungen.size(), 1u);
    EXPECT_EQ(ui.Meldungen[0].meldung.knoepfe, Knoepfe::OKIgnorieren);
    EXPECT_EQ(ui.Meldungen[0].meldung.text.find("IBAN \"DE89370400440532013001\" not valid."), 0u)
        << ui.Meldungen[0].meldung.text;
    EXPECT_EQ(std::filesystem::exists(aus), antwort == Antwort::Ignorieren);
  }

  // A list whose amount or mandate date is no number is refused, whatever
  // the bytes hold.
  for (float betrag : {std::nanf(""), INFINITY, 4.6e16f}) {
    TSepaBuchung kaputt = liste_.Lesen(1);
    kaputt.Betrag = betrag;
    kaputt.Mandatsdatum = std::nan("");
    ASSERT_TRUE(liste_.Schreiben(kaputt, 1));
    TSepa wieder;
    ASSERT_TRUE(wieder.Oeffnen(datei));
    EXPECT_EQ(wieder.Lesen(1).Mandatsdatum, 0);
    const auto dokument = BaueDokument(wieder, konto(), sepa::kPain00800108, Heute() + 2);
    const std::string text = Texte(PruefeDokument(dokument, dokument.Write()));
    EXPECT_NE(text.find("InstdAmt \"0.0000\" not valid"), std::string::npos) << betrag << text;
    EXPECT_NE(text.find("DtOfSgntr required."), std::string::npos) << text;
  }

  ui.Leeren();
  EXPECT_FALSE(ErzeugeXML(liste_, stamm(), aus, 31));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Ungültige XML-Version an TSepa.ErzeugeXML übergeben."});
  TSepaKopf kopf = liste_.Kopf();
  kopf.Kontoschluessel = "FEHLT";
  ASSERT_TRUE(liste_.SchreibeKopf(kopf));
  ui.Leeren();
  EXPECT_FALSE(ErzeugeXML(liste_, stamm(), aus, kSepaVersion37));
  EXPECT_EQ(ui.Texte(), std::vector<std::string>{"Konnte das Vereinskonto nicht laden, auf das der Kontoschlüssel in "
                                                 "den Buchungsstammdaten zeigt."});
}

class SepaBefehle : public Export {
 protected:
  SepaBefehle() {
    mitglieder = dir / "verein.zaq";
    EXPECT_TRUE(liste->SpeichernAls(mitglieder, false));
  }
  struct Lauf {
    int status;
    std::string aus, fehler;
  };
  Lauf Starte(std::vector<std::string> argumente) {
    argumente.insert(argumente.end(), {"--user", "Admin", "--config", dir.Pfad().string()});
    std::ostringstream aus, fehler;
    const int status = cli::Run(argumente, aus, fehler);
    return {status, aus.str(), fehler.str()};
  }
  std::string mitglieder;
};

TEST_F(SepaBefehle, SlvDump) {
  ASSERT_TRUE(liste_.Anlegen(datei));
  TSepaKopf kopf = liste_.Kopf();
  kopf.Kontoschluessel = "HAUPT";
  kopf.Datum = 46000.5;
  kopf.Beschreibung = "Läufe";
  ASSERT_TRUE(liste_.SchreibeKopf(kopf));
  TSepaBuchung b;
  b.Name = "Groß";
  b.IBAN = "DE89370400440532013000";
  b.Mandatsreferenz = "M1";
  b.Mandatsdatum = 41671;
  b.Sequenz = 2;
  b.Betrag = 1234.56f;
  b.Verwendungszweck = "a\r\nb";
  ASSERT_TRUE(liste_.Schreiben(b, 1));
  const Lauf l = Starte({"slv-dump", datei});
  ASSERT_EQ(l.status, 0) << l.fehler;
  EXPECT_EQ(Json::parse(l.aus), Json::parse(R"j({
    "Kopf": {"Kennung": "SEPA-LASTSCHRIFTEN", "Kontoschluessel": "HAUPT", "Datum": 46000.5, "Sequenz": 0,
             "Beschreibung": "Läufe"},
    "Buchungen": [{"Name": "Groß", "IBAN": "DE89370400440532013000", "Mandatsreferenz": "M1",
                   "Mandatsdatum": 41671.0, "Sequenz": 2, "Betrag": 123456, "Kundenreferenz": "",
                   "Verwendungszweck": "a\r\nb"}]})j"));

  test::Schreibe(dir / "kaputt.slv", std::string("kein Inhalt"));
  const Lauf kaputt = Starte({"slv-dump", dir / "kaputt.slv"});
  EXPECT_EQ(kaputt.status, 1);
  EXPECT_TRUE(kaputt.aus.empty());
  EXPECT_NE(kaputt.fehler.find("Die Datei beinhaltet keine gültigen SEPA-Lastschriften."), std::string::npos);
}

TEST_F(SepaBefehle, SepaXml) {
  Liste(20);
  const plattform::Bytes vereinVorher = test::Lies(mitglieder);
  const std::string aus = dir / "bank.xml";
  const std::string morgen = DatumText(Heute() + 1);
  // The next business day: tomorrow may be a Saturday.
  const std::string frueh = DatumText(sepa::EarliestCollectionDate("CORE", "RCUR", sepa::kPain00800102, 0));

  const struct {
    std::vector<std::string> optionen;
    std::string_view schema;
  } gut[] = {{{}, sepa::kPain00800108},
             {{"--schema", "pain.008.001.02", "--date", frueh}, sepa::kPain00800102},
             {{"--schema", "pain.008.003.02", "--date", DatumText(Heute() + 14)}, sepa::kPain00800302}};
  for (const auto& g : gut) {
    std::vector<std::string> a = {"sepa-xml", mitglieder, datei, aus};
    a.insert(a.end(), g.optionen.begin(), g.optionen.end());
    const Lauf l = Starte(a);
    ASSERT_EQ(l.status, 0) << l.fehler;
    const plattform::Bytes b = test::Lies(aus);
    const std::string xml(b.begin(), b.end());
    EXPECT_NE(xml.find("xsd:" + std::string(g.schema) + "\""), std::string::npos);
    EXPECT_EQ(Texte(sepa::ValidateAgainstXsd(xml, g.schema)), "") << g.schema;
    EXPECT_EQ(Zwischen(xml, "<Cdtr><Nm>", "<"), "TSV Musterstadt &amp; Söhne e.V.");
    EXPECT_EQ(Zwischen(xml, "<NbOfTxs>", "<"), "20");
    std::filesystem::remove(aus);
  }

  // Refused: the findings on stderr, nothing written.
  TSepaBuchung falsch = liste_.Lesen(3);
  falsch.IBAN = "AT611904300234573201";
  falsch.Mandatsdatum = Heute() + 1;
  ASSERT_TRUE(liste_.Schreiben(falsch, 3));
  falsch = liste_.Lesen(5);
  falsch.Betrag = 0;
  falsch.Mandatsreferenz = "";
  ASSERT_TRUE(liste_.Schreiben(falsch, 5));
  const plattform::Bytes falscheListe = test::Lies(datei);
  const Lauf l = Starte({"sepa-xml", mitglieder, datei, aus});
  EXPECT_EQ(l.status, 1);
  for (const std::string& m : {std::string("Only German bank accounts are allowed for IBAN-only (no BIC given)."),
                               "DtOfSgntr \"" + morgen + "\" not valid (may not be in the future).",
                               std::string("MndtId required."),
                               std::string("InstdAmt \"0.0000\" not valid, positive value with at most 2 decimal "
                                           "places required.")})
    EXPECT_NE(l.fehler.find(m), std::string::npos) << m << "\n" << l.fehler;
  EXPECT_FALSE(std::filesystem::exists(aus));
  EXPECT_EQ(test::Lies(datei), falscheListe);
  EXPECT_EQ(test::Lies(mitglieder), vereinVorher);

  // A collection date of today, and wrong calls.
  const Lauf heute = Starte({"sepa-xml", mitglieder, datei, aus, "--date", DatumText(Heute())});
  EXPECT_EQ(heute.status, 1);
  EXPECT_NE(heute.fehler.find("Bitte geben Sie kein Datum an, welches heute ist oder in der Vergangenheit liegt."),
            std::string::npos);
  EXPECT_EQ(Starte({"sepa-xml", mitglieder, datei, aus, "--schema", "pain.008.002.02"}).status, 2);
  EXPECT_EQ(Starte({"sepa-xml", mitglieder, datei}).status, 2);
  EXPECT_EQ(Starte({"sepa-xml", mitglieder, dir / "fehlt.slv", aus}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(aus));
}

}  // namespace
}  // namespace zaq
