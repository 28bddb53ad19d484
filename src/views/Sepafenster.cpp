#include "views/Sepafenster.h"

#include <algorithm>
#include <cmath>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "bank/Pruefung.h"
#include "base/Text.h"
#include "debits/sepa/Einzug.h"
#include "debits/sepa/Export.h"
#include "fees/Beitrag.h"
#include "interaction/Einstellungen.h"
#include "interaction/Zeichenpruefung.h"
#include "platform/Plattform.h"
#include "store/Benutzer.h"
#include "store/Konto.h"
#include "store/Mitglied.h"
#include "store/ZAQ.h"
#include "views/Beitragsdialoge.h"
#include "views/Druckdialoge.h"
#include "views/Eingabe.h"
#include "views/Hauptfenster.h"

namespace zaq {

namespace {

constexpr std::string_view kInDerListe = "in der Buchungsliste";
// From here on a 32-bit float no longer holds every cent.
constexpr std::int64_t kFloatGrenzeCent = 13'107'200;
constexpr std::uint32_t kMitgliederEinfuegen = 512;

std::string Datumsfeld(double zeit) { return DatumText(static_cast<Tag>(std::floor(GueltigeZeit(zeit))), true); }

// The text that is not a date, in the date conversion's words.
bool LeseDatum(const std::string& text, Tag& tag) {
  const auto d = TextZuDatum(text);
  if (!d) {
    Meldung("'" + text + "' ist kein gültiges Datum.", MeldungsArt::Fehler);
    return false;
  }
  tag = *d;
  return true;
}

std::vector<DateiFilter> SepaFilter() { return {{"SEPA-Lastschriften", "*.slv"}, {"Alle Dateien", "*.*"}}; }

}  // namespace

std::optional<std::int64_t> LeseBuchungsbetrag(std::string_view text) {
  std::string t = Trim(text);
  std::string weitere;
  const std::size_t komma = t.find(',');
  if (komma != std::string::npos && t.size() - komma - 1 > 2) {
    weitere = t.substr(komma + 3);
    t.resize(komma + 3);
  }
  const auto cent = LeseCent(t);
  if (!cent || (!weitere.empty() && !NurZiffern(weitere))) {
    Meldung("Bitte geben Sie einen gültigen Buchungsbetrag ein!", MeldungsArt::Fehler);
    return std::nullopt;
  }
  if (weitere.find_first_not_of('0') != std::string::npos) {
    Meldung("Bitte geben Sie den Buchungsbetrag mit höchstens zwei Nachkommastellen ein!", MeldungsArt::Fehler);
    return std::nullopt;
  }
  if (*cent >= kFloatGrenzeCent) {
    Meldung(ZuGrosserBetragText(text), MeldungsArt::Fehler);
    return std::nullopt;
  }
  return cent;
}

std::string BuchungsbetragText(std::int64_t cent) { return BetragText(cent, false); }

// --- "Buchungsstammdaten" ---

TfrmBuchungsstammdaten::TfrmBuchungsstammdaten(TSepa& liste, const TZAQ& verein) : FListe(liste), FVerein(verein) {
  const TSepaKopf k = liste.Kopf();
  FBeschreibung = k.Beschreibung;
  FDatum = Datumsfeld(k.Datum);
  FSequenz = k.Sequenz == 0 ? 0 : 2;
  FSchluessel = Gross(k.Kontoschluessel);
}

namespace {

const TVereinskonto* Konto(const TZAQ& verein, const std::string& schluessel) {
  return verein.FStammdaten.SucheVereinskonto(OhneLeerzeichen(schluessel));
}

}  // namespace

std::string TfrmBuchungsstammdaten::Verknuepfung() const {
  const TVereinskonto* k = Konto(FVerein, FSchluessel);
  return "Verknüpfung: " + (k ? k->FBezeichnung : std::string());
}
std::string TfrmBuchungsstammdaten::Glaeubiger() const {
  const TVereinskonto* k = Konto(FVerein, FSchluessel);
  return k ? k->FInhaber : std::string();
}
std::string TfrmBuchungsstammdaten::IBAN() const {
  const TVereinskonto* k = Konto(FVerein, FSchluessel);
  return k ? IBANText(k->FIBAN) : std::string();
}
std::string TfrmBuchungsstammdaten::Bank() const {
  const TVereinskonto* k = Konto(FVerein, FSchluessel);
  return k ? k->FBankname : std::string();
}
std::string TfrmBuchungsstammdaten::GlaeubigerID() const {
  const TVereinskonto* k = Konto(FVerein, FSchluessel);
  return k ? k->FGlaeubigerID : std::string();
}

void TfrmBuchungsstammdaten::KontoWaehlen() {
  std::string schluessel = FSchluessel;
  if (ZeigeSchlAuswahl(FVerein.FStammdaten, schluessel, 1)) FSchluessel = Gross(schluessel);
}

bool TfrmBuchungsstammdaten::OK() {
  for (const auto& [text, feld] : {std::pair{&FBeschreibung, kBeschreibungFeld}, std::pair{&FDatum, kDatumFeld},
                                   std::pair{&FSchluessel, kSchluesselFeld}})
    if (!PasstInFeld(*text, feld.laenge, feld.name) || !Speicherbar(*text, feld.name, kInDerListe)) return false;
  Tag datum = 0;
  if (!LeseDatum(FDatum, datum)) return false;
  TSepaKopf k = FListe.Kopf();
  k.Beschreibung = Trim(FBeschreibung);
  k.Datum = datum;
  k.Sequenz = FSequenz == 0 ? 0 : 2;
  k.Kontoschluessel = OhneLeerzeichen(Gross(FSchluessel));
  return FListe.SchreibeKopf(k);
}

// --- the SEPA window ---

TfrmSEPA::TfrmSEPA(TZAQ& verein)
    : TListenformular(std::make_unique<TSepa>()), FVerein(&verein), FHalter(verein.weak_from_this().lock()) {
  FAutoSuche = LeseEinstellung(esAutosuchen) != "0";
}

std::string TfrmSEPA::Titel() const {
  return "SEPA-Lastschriften - [" + plattform::Pfad(FListe->Dateiname()).filename().string() + "]";
}

std::string TfrmSEPA::Bankname() const {
  TBank* bank = Bankverzeichnis();
  const std::string iban = OhneLeerzeichen(FFelder.IBAN);
  if (!bank || iban.size() < 12 || iban.compare(0, 2, "DE") != 0) return {};
  return bank->Lade(iban.substr(4, 8)) ? bank->Bezeichnung() : std::string();
}

bool TfrmSEPA::IBANRot() const { return IBANCode(OhneLeerzeichen(FFelder.IBAN)) != 0; }

std::string TfrmSEPA::ZweckBeschriftung() const {
  return "Verwendungszweck (" + std::to_string(Zeichenzahl(FFelder.Verwendungszweck)) + "/" +
         std::to_string(kVerwendungszweckFeld.laenge) + " Zeichen)";
}

std::string TfrmSEPA::StatusDatum(Tag heute) const {
  static const char* const kTage[] = {"Sa", "So", "Mo", "Di", "Mi", "Do", "Fr"};
  return std::string(kTage[((heute % 7) + 7) % 7]) + ", " + DatumText(heute);
}

std::string TfrmSEPA::StatusSumme() const { return BetragText(FListe->Gesamtbetrag()) + " €"; }

void TfrmSEPA::FelderZeigen(int i) {
  if (i == 0) {
    FFelder = {};
    return;
  }
  const TSepaBuchung b = FListe->Lesen(i);
  FFelder.Kontoinhaber = b.Name;
  FFelder.IBAN = IBANText(b.IBAN);
  FFelder.Mandatsreferenz = b.Mandatsreferenz;
  const auto cent = BetragInCent(b.Betrag);
  FFelder.Betrag = cent ? BuchungsbetragText(*cent) : std::string();
  FFelder.Mandatsdatum = Datumsfeld(b.Mandatsdatum);
  FFelder.Kundenreferenz = b.Kundenreferenz;
  FFelder.Verwendungszweck = b.Verwendungszweck;
}

void TfrmSEPA::ZeigeListe(int i) { Zeige(i); }

bool TfrmSEPA::Speichern() {
  if (!FListe->Offen() || FIndex < 1) return false;
  const TBuchungsfelder& f = FFelder;
  const std::pair<const std::string*, TFeldgrenze> felder[] = {
      {&f.Kontoinhaber, kKontoinhaberFeld},     {&f.IBAN, kIBANFeld},
      {&f.Mandatsreferenz, kMandatsreferenzFeld}, {&f.Betrag, kBetragFeld},
      {&f.Mandatsdatum, kMandatsdatumFeld},     {&f.Kundenreferenz, kKundenreferenzFeld},
      {&f.Verwendungszweck, kVerwendungszweckFeld}};
  for (const auto& [text, feld] : felder)
    if (!PasstInFeld(*text, feld.laenge, feld.name)) return false;
  for (const auto& [text, feld] : felder)
    if (!Speicherbar(*text, feld.name, kInDerListe)) return false;
  const auto cent = LeseBuchungsbetrag(f.Betrag);
  if (!cent) return false;
  if (Trim(f.Kontoinhaber).empty()) {
    Meldung("Bitte geben Sie einen Kontoinhaber ein!", MeldungsArt::Fehler);
    return false;
  }
  // A booking without an IBAN could never be collected.
  if (!PruefeIBANMitMeldung(f.IBAN, false)) return false;
  TSepaBuchung b;
  b.Name = Trim(f.Kontoinhaber);
  b.IBAN = OhneLeerzeichen(f.IBAN);
  b.Mandatsreferenz = OhneLeerzeichen(f.Mandatsreferenz);
  b.Betrag = static_cast<float>(static_cast<double>(*cent) / 100.0);
  Tag datum = 0;
  if (!LeseDatum(f.Mandatsdatum, datum)) return false;
  b.Mandatsdatum = datum;
  b.Verwendungszweck = Trim(f.Verwendungszweck);
  b.Kundenreferenz = Trim(f.Kundenreferenz);
  b.Sequenz = 0;
  if (*cent <= 0) {
    Meldung("Bitte geben Sie einen Betrag größer als null ein!", MeldungsArt::Fehler);
    return false;
  }
  if (b.Verwendungszweck.empty()) {
    Meldung("Bitte geben Sie einen Verwendungszweck ein!", MeldungsArt::Fehler);
    return false;
  }
  // A failed write leaves the fields as typed and the mark set.
  if (!FListe->Schreiben(b, FIndex)) return false;
  Zeige(FIndex);
  return true;
}

bool TfrmSEPA::MitgliedEinfuegen(std::string_view nummer) {
  const std::string t = Trim(nummer);
  if (t.empty() || t.size() > 9 || !NurZiffern(t)) {
    Meldung("Ungültige Mitgliedsnummer.", MeldungsArt::Fehler);
    return false;
  }
  const long n = std::stol(t);
  TMitglied* m = n <= 0xFFFF ? FVerein->SucheNummer(static_cast<std::uint16_t>(n)) : nullptr;
  if (!m) {
    Meldung("Mitgliedsnummer ist nicht vorhanden.", MeldungsArt::Fehler);
    return false;
  }
  if (!m->Konto()) {
    Meldung("Bei " + m->NameKomplett() + " ist keine Bankverbindung angegeben. Bitte wählen Sie ein anderes Mitglied!",
            MeldungsArt::Fehler);
    return false;
  }
  if (!FListe->MitgliedAnhaengen(*m)) return false;
  Zeige(FListe->Anzahl());
  return true;
}

bool TfrmSEPA::MitgliedPerNummer() {
  if (!FListe->Offen() || !FVerein->PruefeRecht(kMitgliederEinfuegen) || !AenderungenBehandeln()) return false;
  for (;;) {
    const auto text = UI().Eingabe("Mitglied einfügen",
                                   "Geben Sie bitte die Nummer des Mitglieds an, welches Sie einfügen möchten!", "");
    if (!text) return false;
    if (MitgliedEinfuegen(*text)) return true;
  }
}

bool TfrmSEPA::AngezeigtesMitgliedEinfuegen() {
  if (!FListe->Offen() || !FVerein->PruefeRecht(kMitgliederEinfuegen) || !AenderungenBehandeln()) return false;
  TMitglied* m = AktuellesMitglied ? AktuellesMitglied() : nullptr;
  if (!m) return false;
  return MitgliedEinfuegen(std::to_string(m->FMitgliedsnummer));
}

bool TfrmSEPA::OeffnenDialog() {
  if (!AenderungenBehandeln()) return false;
  DateiDialog d;
  d.titel = "Datei öffnen";
  d.filter = SepaFilter();
  d.vorschlag = "*.slv";
  d.verzeichnis = FVerein->Verzeichnis();
  const auto datei = UI().DateiOeffnen(d);
  return datei && Oeffnen(*datei);
}

bool TfrmSEPA::Oeffnen(const std::string& datei) {
  auto neu = std::make_unique<TSepa>();
  if (!neu->Oeffnen(datei)) return false;
  FListe = std::move(neu);
  FBefunde.reset();
  Zeige(1);
  return true;
}

bool TfrmSEPA::Neu() {
  if (!AenderungenBehandeln()) return false;
  auto neu = std::make_unique<TSepa>();
  if (!NeueListeAnlegen(*neu, "Neue Lastschriften", FVerein->Verzeichnis())) return false;
  if (!neu->Anhaengen()) {
    neu->SchliessenUndLoeschen();
    return false;
  }
  FListe = std::move(neu);
  FBefunde.reset();
  Zeige(1);
  return true;
}

bool TfrmSEPA::SpeichernUnterDialog() {
  if (!FListe->Offen() || !AenderungenBehandeln()) return false;
  DateiDialog d;
  d.titel = "SEPA-Lastschriften speichern unter";
  d.filter = SepaFilter();
  d.vorschlag = "Lastschriften";
  d.verzeichnis = plattform::PfadText(plattform::Pfad(FListe->Dateiname()).parent_path());
  d.endung = "elv";
  d.ueberschreibenFragen = true;
  const auto datei = UI().DateiSpeichern(d);
  return datei && SpeichernUnter(*datei);
}

bool TfrmSEPA::Buchungsstammdaten() {
  if (!FListe->Offen()) return false;
  TfrmBuchungsstammdaten d(*FListe, *FVerein);
  return UI().Dialog(d);
}

bool TfrmSEPA::BankverbindungenPruefen() {
  if (!FListe->Offen()) return false;
  if (!PruefeListe(*FListe, FVerein->FStammdaten)) return false;
  Meldung("Die Datenbank ist in Ordnung!", MeldungsArt::Information);
  return true;
}

bool TfrmSEPA::XmlErzeugen() {
  if (!FListe->Offen()) return false;
  if (!PruefeListe(*FListe, FVerein->FStammdaten) &&
      Meldung("Die Datenbank beinhaltet Fehler. Fortfahren mit dem Erstellen der XML-Datei?", MeldungsArt::Frage,
              Knoepfe::JaNein) != Antwort::Ja)
    return false;
  DateiDialog d;
  d.titel = "SEPA-XML-Datei erzeugen";
  d.filter = XmlDateifilter();
  d.vorschlag = plattform::PfadText(plattform::Pfad(FListe->Dateiname()).replace_extension());
  d.endung = "xml";
  d.ueberschreibenFragen = true;
  const auto datei = UI().DateiSpeichern(d);
  if (!datei) return false;
  const int version = VersionVonFilter(d.filterIndex);
  if (version == kSepaVersion29 &&
      Meldung("Achtung: ZAQ unterstützt den Sequenztyp \"Erstlastschrift\" (FRST) nicht mehr, da diese ab 21.11.2016 "
              "mit der neuen SEPA-Version 3.0 entfällt. Es werden alle Lastschriften mit dem Typ Einmallastschrift "
              "bzw. Folgelastschrift erzeugt, je nachdem, was in den SEPA-Stammdaten hinterlegt ist.",
              MeldungsArt::Information, Knoepfe::OKAbbrechen) != Antwort::OK)
    return false;
  return ErzeugeXML(*FListe, FVerein->FStammdaten, *datei, version);
}

bool TfrmSEPA::Drucken() {
  if (!FListe->Offen() || !AenderungenBehandeln()) return false;
  return BuchungenDrucken(*FListe, *FVerein);
}

void TfrmSEPA::Bankenverzeichnis() {
  TBank* bank = Bankverzeichnis();
  const bool gefunden = bank && bank->LadeBank("", OhneLeerzeichen(FFelder.IBAN));
  TBankdatenDialog dialog(gefunden ? bank->BLZ() : "00000000");
  UI().Dialog(dialog);
}

bool NeueListeAnlegen(TSepa& liste, const std::string& vorschlag, const std::string& verzeichnis) {
  for (;;) {
    DateiDialog d;
    d.titel = "SEPA-Lastschriften anlegen";
    d.filter = {{"SEPA-Lastschriften", "*.slv"}};
    d.vorschlag = vorschlag;
    d.verzeichnis = verzeichnis;
    d.endung = "slv";
    d.ueberschreibenFragen = true;
    const auto datei = UI().DateiSpeichern(d);
    if (!datei) return false;
    if (liste.Anlegen(*datei, false)) return true;
    Meldung("Das Programm konnte die Datei nicht anlegen.", MeldungsArt::Fehler);
  }
}

}  // namespace zaq
