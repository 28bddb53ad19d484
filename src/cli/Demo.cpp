#include "cli/Demo.h"

#include <array>
#include <optional>
#include <random>

#include "bank/Bank.h"
#include "bank/Pruefung.h"
#include "base/Datum.h"
#include "base/Text.h"

namespace zaq::cli {
namespace {

constexpr std::array kNachnamen = {
    "Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann",
    "Schäfer", "Koch", "Bauer", "Richter", "Klein", "Wolf", "Schröder", "Neumann", "Schwarz", "Zimmermann",
    "Braun", "Krüger", "Hofmann", "Hartmann", "Lange", "Schmitt", "Werner", "Schmitz", "Krause", "Meier",
    "Lehmann", "Schmid", "Schulze", "Maier", "Köhler", "Herrmann", "König", "Walter", "Mayer", "Huber",
    "Kaiser", "Fuchs", "Peters", "Lang", "Scholz", "Möller", "Weiß", "Jung", "Hahn", "Schubert",
    "Vogel", "Friedrich", "Keller", "Günther", "Frank", "Berger", "Winkler", "Roth", "Beck", "Lorenz",
    "Baumann", "Franke", "Albrecht", "Schuster", "Simon", "Ludwig", "Böhm", "Winter", "Kraus", "Martin",
    "Schumacher", "Krämer", "Vogt", "Stein", "Jäger", "Otto", "Sommer", "Groß", "Seidel", "Heinrich",
    "Brandt", "Haas", "Schreiber", "Graf", "Schulte", "Dietrich", "Ziegler", "Kuhn", "Kühn", "Pohl",
    "Engel", "Horn", "Busch", "Bergmann", "Thomas", "Voigt", "Sauer", "Arnold", "Wolff", "Pfeiffer",
};
constexpr std::array kVornamenM = {"Alexander", "Andreas", "Bernd", "Christian", "Daniel", "Dieter", "Felix",
                                   "Frank", "Georg", "Hans", "Heinz", "Jan", "Jonas", "Jürgen", "Karl",
                                   "Klaus", "Leon", "Lukas", "Manfred", "Markus", "Max", "Michael", "Niklas",
                                   "Paul", "Peter", "Ralf", "Stefan", "Thomas", "Tim", "Uwe", "Werner", "Wolfgang"};
constexpr std::array kVornamenW = {"Anna", "Andrea", "Birgit", "Claudia", "Christa", "Elke", "Emma", "Gabriele",
                                   "Hannah", "Heike", "Ingrid", "Julia", "Karin", "Katharina", "Laura", "Lea",
                                   "Lena", "Maria", "Marie", "Monika", "Petra", "Renate", "Sabine", "Sandra",
                                   "Sophie", "Stefanie", "Susanne", "Ursula", "Ute", "Jutta"};
constexpr std::array kStrassen = {"Hauptstraße", "Schulstraße", "Gartenstraße", "Bahnhofstraße", "Dorfstraße",
                                  "Bergstraße", "Lindenstraße", "Kirchweg", "Am Sportplatz", "Waldstraße",
                                  "Mühlenweg", "Rosenstraße", "Ringstraße", "Wiesengrund", "Talstraße"};
struct Ort {
  const char* plz;
  const char* name;
};
constexpr std::array<Ort, 6> kOrte = {{{"74321", "Musterstadt"},
                                       {"74322", "Musterstadt-Süd"},
                                       {"74336", "Brackenheim"},
                                       {"74343", "Sachsenheim"},
                                       {"74354", "Besigheim"},
                                       {"74357", "Bönnigheim"}}};
constexpr std::array kAbteilungen = {"Fußball", "Tennis", "Turnen", "Leichtathletik", "Schwimmen", "Tischtennis"};
constexpr std::array kTitel = {"", "", "", "", "", "", "", "", "Dr.", "Prof."};
constexpr std::array kGruende = {"Austritt", "Ausschluß", "Todesfall", "Umzug"};

struct Zufall {
  std::mt19937 gen;
  int Zahl(int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(gen); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(gen); }
  template <class A>
  auto Aus(const A& a) {
    return a[static_cast<std::size_t>(Zahl(0, static_cast<int>(a.size()) - 1))];
  }
};

std::string Rtf(const std::string& text) {
  // Notes are Rich Text; umlauts as \'xx escapes of their Windows-1252 bytes.
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      rtf += static_cast<char>(c);
    } else {
      // Two-byte UTF-8 sequences of Latin-1 letters.
      unsigned cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F);
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\'%02x", cp);
      rtf += buf;
    }
  }
  return rtf + "\\par}";
}

Bytes AlsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Banks of the region, all with the standard IBAN rule.
constexpr std::array kBanken = {"62050000", "60450050", "60491430", "62063263", "62250030"};

// A random account that passes its bank's check-digit method, with its IBAN;
// without the bank directory the account stays without IBAN.
void Bankverbindung(Zufall& z, TKonto& konto, const char* blz) {
  konto.FBLZ = blz;
  TBank* bank = Bankverzeichnis();
  const int verfahren = bank && bank->Lade(blz) ? bank->Pruefverfahren() : -1;
  for (int versuch = 0; versuch < 1000; ++versuch) {
    const int stamm = z.Zahl(1000000, 99999999);
    const int pruefziffer = z.Zahl(0, 9);
    konto.FKontonummer = NullenAuffuellen(std::to_string(stamm) + std::to_string(pruefziffer), 10);
    if (verfahren < 0 || PruefeKonto(verfahren, konto.FKontonummer) == kKontoGueltig) break;
  }
  if (!BerechneIBAN(konto.FBLZ, konto.FKontonummer, konto.FIBAN)) konto.FIBAN.clear();
}

TBtrKlasse& Beitragsklasse(TStammdaten& s, const char* schluessel, const char* bezeichnung, int modus,
                           std::initializer_list<std::pair<const char*, float>> stufen,
                           std::initializer_list<int> grenzen) {
  auto& k = s.FBtrKlassen.Hinzufuegen();
  k.FSchluessel = schluessel;
  k.FBezeichnung = bezeichnung;
  k.FTeilberechnung = static_cast<std::uint8_t>(modus);
  k.FFaktorText = modus != 0;
  k.FAltKlassen.clear();
  auto grenze = grenzen.begin();
  for (const auto& [zweck, betrag] : stufen) {
    auto& a = k.FAltKlassen.emplace_back();
    a.FVerwendungszweck = zweck;
    a.FBetrag = betrag;
    a.FAlterBis = static_cast<std::uint8_t>(*grenze++);
  }
  return k;
}

}  // namespace

std::unique_ptr<TZAQ> ErzeugeDemoverein(int anzahl, unsigned saat) {
  Zufall z{std::mt19937(saat)};
  auto liste = TZAQ::CreateNeu(false, true);
  liste->FBeschreibung = "TSV Musterstadt 1899 e.V. – Mitgliederliste";
  liste->FHauptanwender = "Geschäftsstelle";
  liste->FZAQFormat = anzahl >= 1000 ? (anzahl >= 10000 ? "00000" : "0000") : "000";
  TStammdaten& s = liste->FStammdaten;
  s.FVereinsname = "TSV Musterstadt 1899 e.V.";
  s.FVereinsPLZ = "74321";
  s.FVereinsort = "Musterstadt";
  s.FGruendungsdatum = KodiereDatum(1899, 5, 1);
  s.FVereinsnummern = "VR 1234 Amtsgericht Stuttgart";
  s.BerechneStichtage();
  // IBANs come from the bank directory of the program.
  std::optional<BankverzeichnisSetzen> verzeichnis;
  if (!Bankverzeichnis()) verzeichnis.emplace(std::make_unique<TBank>());
  auto& konto = s.FVereinskonten.Hinzufuegen();
  konto.FKontoSchluessel = "HAUPT";
  konto.FBezeichnung = "Hauptkonto Beiträge";
  konto.FInhaber = s.FVereinsname;
  konto.FBLZ = "60450050";
  konto.FKontonummer = "0001234569";
  if (!BerechneIBAN(konto.FBLZ, konto.FKontonummer, konto.FIBAN)) konto.FIBAN.clear();
  konto.FBankname = "Kreissparkasse Ludwigsburg";
  konto.FGlaeubigerID = "DE98ZZZ09999999999";

  Beitragsklasse(s, "AKT", "Aktive Mitglieder", 6,
                 {{"Jugend aktiv", 48.0f}, {"Beitrag Erwachsene", 96.0f}, {"Beitrag Senioren", 60.0f}}, {17, 64, 150});
  Beitragsklasse(s, "FOE", "Fördermitglieder", 0, {{"Förderbeitrag", 36.0f}}, {150});
  Beitragsklasse(s, "JUG", "Kinder und Jugendliche", 2, {{"Kinderbeitrag", 24.0f}, {"Jugendbeitrag", 36.0f}},
                 {13, 150});
  TBtrKlasse& familie = Beitragsklasse(s, "FAM", "Familienbeitrag", 12, {{"Familienbeitrag", 180.0f}}, {0});
  familie.FFamilienbeitrag = true;
  familie.FFamilienMax = 2;

  TBenutzer* admin = liste->Administrator();
  admin->FFunktion = "Systemverwaltung";
  auto& kasse = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Kasse"));
  kasse.FVollerName = "Karin Kassenwart";
  kasse.FFunktion = "Kassenwartin";
  kasse.SetzeKennwort("kasse");
  kasse.FRechte = kAlleRechte & ~(rFtpEinstellungen | rDateieinstellungen);
  auto& schrift = liste->FBenutzer.Hinzufuegen(std::make_unique<TBenutzer>("Schrift"));
  schrift.FVollerName = "Stefan Schriftführer";
  schrift.FFunktion = "Schriftführer";
  schrift.FRechte = rOnline | rPersoenlicheEinstellungen | rNotizenAnzeigen | rNotizenBearbeiten |
                    rPersoenlicheDaten | rGruppen | rMitgliederHinzufuegen;

  const Tag heute = Heute();
  const int jahr = ZerlegeDatum(heute).jahr;
  auto datum = [&](int vonJahr, int bisJahr) {
    return KodiereDatum(z.Zahl(vonJahr, bisJahr), z.Zahl(1, 12), z.Zahl(1, 28));
  };
  auto neuesMitglied = [&](std::uint16_t nummer) {
    auto m = std::make_unique<TMitglied>(liste.get(), nummer);
    m->FMaennlich = z.Chance(0.55);
    m->FName = z.Aus(kNachnamen);
    m->FVorname = m->FMaennlich ? z.Aus(kVornamenM) : z.Aus(kVornamenW);
    m->FTitel = z.Aus(kTitel);
    const Ort& ort = z.Aus(kOrte);
    m->FStrasse = std::string(z.Aus(kStrassen)) + " " + std::to_string(z.Zahl(1, 120));
    m->FPLZ = ort.plz;
    m->FOrt = ort.name;
    m->FLand = z.Chance(0.97) ? "" : "Österreich";
    m->FGeburtsdatum = datum(1930, jahr - 4);
    const int geburtsjahr = ZerlegeDatum(m->FGeburtsdatum).jahr;
    m->FEintrittsdatum = datum(std::max(geburtsjahr + 4, 1960), jahr);
    if (m->FEintrittsdatum > heute) m->FEintrittsdatum = heute;
    m->FTelefon = "07143 " + std::to_string(z.Zahl(10000, 99999));
    if (z.Chance(0.6)) m->FMobil = "0171 " + std::to_string(z.Zahl(1000000, 9999999));
    if (z.Chance(0.7)) m->FEMail = Klein(m->FVorname.substr(0, 1)) + "." + Klein(m->FName) + "@example.org";
    std::string abt = z.Aus(kAbteilungen);
    if (z.Chance(0.3)) abt += std::string(", ") + z.Aus(kAbteilungen);
    m->FAbteilungen = abt;
    m->SetzeGruppe(1, z.Chance(0.7));
    m->SetzeGruppe(2, !m->InGruppe(1));
    if (z.Chance(0.05)) m->SetzeGruppe(3, true);
    if (z.Chance(0.08)) m->SetzeGruppe(6, true);
    m->FAnrechnung = static_cast<std::uint8_t>(z.Chance(0.1) ? z.Zahl(1, 5) : 0);
    const int jahre = m->Mitgliedsjahre(heute);
    for (int stufe : {10, 25, 40, 50, 60})
      if (jahre >= stufe && z.Chance(0.8)) m->FEhrung = static_cast<std::uint8_t>(stufe);
    if (jahre >= 40 && z.Chance(0.3)) m->FEhrenmitgliedSeit = PlusJahre(m->FEintrittsdatum, 40);
    const int alter = m->Alter(heute);
    m->FBeitragsschluessel.wert = alter < 18 ? "JUG" : (m->InGruppe(1) ? "AKT" : "FOE");
    // Most owe last year's fee; new members owe from their entry; a few have paid already.
    const Datum eintritt = ZerlegeDatum(m->FEintrittsdatum);
    if (eintritt.jahr == jahr - 1) m->FBezahltBis = KodiereDatum(jahr - 1, eintritt.monat, 1) - 1;
    else m->FBezahltBis = KodiereDatum(z.Chance(0.05) ? jahr - 1 : jahr - 2, 12, 31);
    if (z.Chance(0.85)) {
      m->FZahlart = zaLastschrift;
      auto& k = m->KontoAnlegen();
      Bankverbindung(z, k, z.Aus(kBanken));
      // Some accounts still wait for "IBAN berechnen".
      if (z.Chance(0.03)) k.FIBAN.clear();
      k.FInhaber = m->FVorname + " " + m->FName;
      k.FMandatsreferenz = m->MandatsreferenzVorschlag(m->FVorname, m->FGeburtsdatum);
      k.FMandatsdatum = std::max(m->FEintrittsdatum, KodiereDatum(2014, 2, 1));
      k.FEmpfaengerKonto.wert = "HAUPT";
      if (z.Chance(0.8)) k.FErstlastschrift = KodiereDatum(2014, 3, 1);
    } else {
      m->FZahlart = zaRechnung;
    }
    if (z.Chance(0.04)) {
      m->FAustrittsdatum = KodiereDatum(jahr, 12, 31);
      m->FAustrittsgrund = z.Aus(kGruende);
      m->FAustrittVon.Setze(admin);
    }
    if (z.Chance(0.1)) {
      auto& n = m->FNotizen.Hinzufuegen();
      n.FBetreff = z.Chance(0.5) ? "Adresse prüfen" : "Übungsleiterlizenz";
      n.FInhalt = AlsBytes(Rtf("Bitte beim nächsten Training nachfragen. Grüße, Kasse"));
      n.FVerfasser.Setze(&kasse);
      if (z.Chance(0.5)) n.FTermin = heute + z.Zahl(1, 60) + 0.75;
    }
    return m;
  };

  std::uint16_t nummer = 1;
  while (liste->FMitglieder.Anzahl() < anzahl) {
    TMitglied& m = liste->FMitglieder.Anhaengen(neuesMitglied(nummer++));
    // A share of the adults pay for their children too.
    if (m.FZahlart == zaLastschrift && m.Alter(heute) >= 30 && z.Chance(0.2)) {
      const int kinder = z.Zahl(1, 3);
      // Half of these families pay one family fee.
      const bool familienbeitrag = z.Chance(0.5);
      if (familienbeitrag) m.FBeitragsschluessel.wert = "FAM";
      for (int k = 0; k < kinder && liste->FMitglieder.Anzahl() < anzahl; ++k) {
        auto kind = neuesMitglied(nummer++);
        kind->FName = m.FName;
        kind->FStrasse = m.FStrasse;
        kind->FPLZ = m.FPLZ;
        kind->FOrt = m.FOrt;
        kind->FGeburtsdatum = datum(std::max(jahr - 17, ZerlegeDatum(m.FGeburtsdatum).jahr + 18), jahr - 4);
        kind->FEintrittsdatum = std::min(heute, PlusJahre(kind->FGeburtsdatum, z.Zahl(4, 8)));
        kind->FBeitragsschluessel.wert = familienbeitrag ? "FAM" : "JUG";
        kind->FBezahltBis = m.FBezahltBis;
        kind->FZahlart = zaMitfinanziert;
        kind->KontoEntfernen();
        kind->ZahlerAnlegen().Setze(&m);
        kind->FEhrung = 0;
        kind->FEhrenmitgliedSeit = 0;
        liste->FMitglieder.Anhaengen(std::move(kind));
      }
    }
  }
  // Former members.
  const int ehemalige = std::max(2, anzahl / 20);
  for (int i = 0; i < ehemalige; ++i) {
    auto m = neuesMitglied(nummer++);
    m->FAustrittsdatum = datum(jahr - 3, jahr - 1);
    if (m->FAustrittsdatum < m->FEintrittsdatum) m->FEintrittsdatum = PlusJahre(m->FAustrittsdatum, -2);
    m->FAustrittsgrund = z.Aus(kGruende);
    m->FAustrittVon.Setze(admin);
    liste->FArchiv.Anhaengen(std::move(m));
  }
  auto& aufgabe = liste->FNotizen.Hinzufuegen();
  aufgabe.FBetreff = "Jahreshauptversammlung vorbereiten";
  aufgabe.FInhalt = AlsBytes(Rtf("Einladungen bis Ende Februar verschicken, Ehrungen prüfen."));
  aufgabe.FTermin = KodiereDatum(jahr + 1, 3, 15) + 0.8125;
  aufgabe.FVerfasser.Setze(admin);
  liste->FGeaendert = true;
  return liste;
}

}  // namespace zaq::cli
