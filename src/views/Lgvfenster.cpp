#include "views/Lgvfenster.h"

#include <algorithm>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "bank/Pruefung.h"
#include "base/Text.h"
#include "debits/sepa/Buchungsliste.h"
#include "fees/Beitrag.h"
#include "interaction/Einstellungen.h"
#include "interaction/Zeichenpruefung.h"
#include "platform/Plattform.h"
#include "store/Konto.h"
#include "store/ZAQ.h"
#include "views/Beitragsdialoge.h"
#include "views/Druckdialoge.h"
#include "views/Hauptfenster.h"
#include "views/Sepafenster.h"

namespace zaq {

namespace {

constexpr std::string_view kInDerListe = "in der Liste";
constexpr std::size_t kText = 27;

std::string Ziffern(std::string_view text) { return OhneLeerzeichen(text); }

// Field checks before anything is stored: too long or not storable is
// refused, never cut.
bool Passt(const std::string& text, std::size_t laenge, std::string_view feld) {
  return PasstInFeld(text, laenge, feld) && Speicherbar(text, feld, kInDerListe);
}

std::string Zeilenname(std::size_t j) { return "Verwendungszweck " + std::to_string(j + 1); }

// "%SEPA%" in any case replaced by the value.
std::string SepaErsetzt(const std::string& text, const std::string& wert) {
  std::string out;
  const std::string gross = Gross(text);
  std::size_t a = 0;
  for (std::size_t p; (p = gross.find("%SEPA%", a)) != std::string::npos; a = p + 6) out += text.substr(a, p - a) + wert;
  return out + text.substr(a);
}

}  // namespace

// --- "Buchungsstammdaten" ---

TfrmLgvStammdaten::TfrmLgvStammdaten(TLGV& liste, const TZAQ& verein) : FListe(liste), FVerein(verein) {
  const TLGVKopf k = liste.Kopf();
  FReferenz = k.Referenznummer;
  FAuftraggeber = k.Auftraggeber;
  FBankname = k.Bankname;
  FBeschreibung = k.Beschreibung1 + k.Beschreibung2;
  FBLZ = k.BLZ;
  FKonto = k.Kontonummer;
}

void TfrmLgvStammdaten::KontoWaehlen() {
  std::string schluessel;
  if (!ZeigeSchlAuswahl(FVerein.FStammdaten, schluessel, 1)) return;
  const TVereinskonto* k = FVerein.FStammdaten.SucheVereinskonto(schluessel);
  if (!k) return;
  FBLZ = k->FBLZ;
  FKonto = k->FKontonummer;
  FBankname = k->FBankname;
  FAuftraggeber = FVerein.FStammdaten.FVereinsname;
}

bool TfrmLgvStammdaten::OK() {
  if (!Passt(FReferenz, 10, "Referenznummer") || !Passt(FAuftraggeber, kText, "Vereinsbezeichnung") ||
      !Passt(FBankname, kText, "Bankname") || !Passt(FBeschreibung, 2 * kText, "Dateibeschreibung") ||
      !Passt(FBLZ, 10, "Bankleitzahl") || !Passt(FKonto, 13, "Kontonummer"))
    return false;
  if (!PruefeKontoMitMeldung(Ziffern(FBLZ), Ziffern(FKonto), false)) return false;
  const std::string referenz = Trim(FReferenz);
  if (referenz.empty() || !NurZiffern(referenz)) {
    Meldung("Ungültige Referenznummer.", MeldungsArt::Fehler);
    return false;
  }
  if (Trim(FAuftraggeber).empty()) {
    Meldung("Keine Vereinsbezeichnung angegeben.", MeldungsArt::Fehler);
    return false;
  }
  if (Trim(FBankname).empty()) {
    Meldung("Kein Bankname angegeben.", MeldungsArt::Fehler);
    return false;
  }
  TLGVKopf k = FListe.Kopf();
  k.BLZ = NullenAuffuellen(Ziffern(FBLZ), 8);
  k.Kontonummer = NullenAuffuellen(Ziffern(FKonto), 10);
  k.Referenznummer = NullenAuffuellen(referenz, 10);
  k.Auftraggeber = Trim(FAuftraggeber);
  k.Bankname = Trim(FBankname);
  const std::string beschreibung = Trim(FBeschreibung);
  k.Beschreibung1 = ErsteZeichen(beschreibung, kText);
  k.Beschreibung2 = Zeichenzahl(beschreibung) > kText ? Teiltext(beschreibung, kText, kText) : std::string();
  return FListe.SchreibeKopf(k);
}

// --- "Verwendungszweckfelder und Beträge setzen" ---

TfrmLgvMehrfach::TfrmLgvMehrfach(TLGV& liste) : FListe(liste) {
  FZeilen.fill("#");
  FZeilen[1] = "Ab 2015 erfolgt der Einzug";
  FZeilen[2] = "per SEPA zum 10. Feb.";
  FZeilen[3] = "Mandatsref %SEPA%";
  FZeilen[4] = "Gläubiger-ID DE98ZZZ09999999999";
}

bool TfrmLgvMehrfach::OK() {
  std::optional<std::int64_t> cent;
  if (Trim(FBetrag) != "#") {
    cent = LeseBuchungsbetrag(FBetrag);
    if (!cent) return false;
  }
  for (std::size_t j = 0; j < FZeilen.size(); ++j)
    if (!Speicherbar(FZeilen[j], Zeilenname(j), kInDerListe)) return false;
  if (Meldung("Wollen Sie wirklich einige Verwendungszweckfelder festsetzen? Dies kann nicht mehr rückgängig gemacht "
              "werden.",
              MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
    return false;
  // One write for all bookings: a failure leaves the list as it was.
  TLGV::Stapel stapel(FListe);
  for (int i = 1; i <= FListe.Anzahl(); ++i) {
    TLGVBuchung b = FListe.Lesen(i);
    std::size_t k = 0;
    if (FAnfuegen) {
      while (k < 13 && !b.Zweck[k + 1].empty()) ++k;
      if (k == 13) k = 0;
    }
    std::string sepa;
    if (b.Zweck[13].starts_with("#SEPA")) {
      sepa = Teiltext(b.Zweck[13], 5, 21);
      b.Zweck[13].clear();
    }
    if (cent) b.Betrag = static_cast<float>(static_cast<double>(*cent) / 100.0);
    if (FZeilen[0] != "#") b.Zweck[0] = ErsteZeichen(SepaErsetzt(FZeilen[0], sepa), kText);
    for (std::size_t j = 1; j < FZeilen.size(); ++j)
      if (FZeilen[j] != "#" && j + k < FZeilen.size())
        b.Zweck[j + k] = ErsteZeichen(SepaErsetzt(FZeilen[j], sepa), kText);
    if (!FListe.Schreiben(b, i)) return false;
  }
  return stapel.Ende();
}

// --- the window ---

TfrmLGV::TfrmLGV(TZAQ& verein)
    : TListenformular(std::make_unique<TLGV>()), FVerein(&verein), FHalter(verein.weak_from_this().lock()) {
  FAutoSuche = LeseEinstellung(esAutosuchen) != "0";
}

std::string TfrmLGV::Titel() const {
  const std::string name = plattform::PfadText(plattform::Pfad(FListe->Dateiname()).filename());
  switch (FListe->Art()) {
    case 1: return "Lastschriften - [" + name + "]";
    case 2: return "Gutschriften - [" + name + "]";
    default: return "LGV-Fehler: undefinierte Buchungsart";
  }
}

std::string TfrmLGV::Betragsbeschriftung() const {
  return FListe->Art() == 2 ? "Überweisungsbetrag" : "Abbuchungsbetrag";
}

std::string TfrmLGV::StatusSumme() const { return BetragText(FListe->Kontrollsummen().SummeCent) + " €"; }

std::string TfrmLGV::Bankname() const {
  TBank* bank = Bankverzeichnis();
  const std::string blz = Ziffern(FFelder.BLZ);
  if (!bank || blz.size() != 8 || !NurZiffern(blz)) return {};
  return bank->Lade(blz) ? bank->Bezeichnung() : std::string();
}

bool TfrmLGV::BLZGetippt() {
  const std::string blz = Ziffern(FFelder.BLZ);
  return blz.size() == 8 && NurZiffern(blz) && blz != "00000000";
}

void TfrmLGV::KontoVerlassen() {
  const std::string konto = Ziffern(FFelder.Kontonummer);
  if (NurZiffern(konto) && konto.size() <= 10) FFelder.Kontonummer = NullenAuffuellen(konto, 10);
}

bool TfrmLGV::BetragVerlassen() {
  const auto cent = LeseBuchungsbetrag(FFelder.Betrag);
  if (!cent) return false;
  FFelder.Betrag = BuchungsbetragText(*cent);
  return true;
}

void TfrmLGV::FelderZeigen(int i) {
  if (i == 0) {
    FFelder = {};
    return;
  }
  const TLGVBuchung b = FListe->Lesen(i);
  FFelder.Kontoinhaber = b.Kontoinhaber;
  FFelder.BLZ = b.BLZ == "00000000" ? std::string() : BLZText(b.BLZ);
  const std::size_t erste = b.Kontonummer.find_first_not_of('0');
  FFelder.Kontonummer = erste == std::string::npos ? std::string() : b.Kontonummer.substr(erste);
  const auto cent = BetragInCent(b.Betrag);
  FFelder.Betrag = cent ? BuchungsbetragText(*cent) : std::string();
  FFelder.Zweck = b.Zweck;
}

bool TfrmLGV::OeffnenDialog() {
  if (!AenderungenBehandeln()) return false;
  DateiDialog d;
  d.titel = "Datei öffnen";
  d.filter = {{"Last- und Gutschriften", "*.lsv;*.gsv"},
              {"Lastschriften", "*.lsv"},
              {"Gutschriften", "*.gsv"},
              {"Alle Dateien", "*.*"}};
  d.verzeichnis = FVerein->Verzeichnis();
  const auto datei = UI().DateiOeffnen(d);
  return datei && Oeffnen(*datei);
}

bool TfrmLGV::Oeffnen(const std::string& datei) {
  auto neu = std::make_unique<TLGV>();
  if (!neu->Oeffnen(datei)) {
    Meldung("Das Programm konnte die ausgewähle Datei nicht öffnen.\r\n\r\nEntweder ist diese Datei ungültig bzw. "
            "beschädigt oder das eingegebene Kennwort ist falsch.",
            MeldungsArt::Fehler);
    return false;
  }
  FListe = std::move(neu);
  Zeige(1);
  return true;
}

bool TfrmLGV::Speichern() {
  if (!FListe->Offen() || FIndex < 1) return false;
  const TLgvFelder& f = FFelder;
  if (!Passt(f.Kontoinhaber, kText, "Kontoinhaber") || !Passt(f.BLZ, 10, "Bankleitzahl") ||
      !Passt(f.Kontonummer, 13, "Kontonummer") || !Passt(f.Betrag, 10, "Betrag"))
    return false;
  for (std::size_t j = 0; j < f.Zweck.size(); ++j)
    if (!Passt(f.Zweck[j], kText, Zeilenname(j))) return false;
  const auto cent = LeseBuchungsbetrag(f.Betrag);
  if (!cent) return false;
  if (Trim(f.Kontoinhaber).empty()) {
    Meldung("Bitte geben Sie einen Kontoinhaber ein!", MeldungsArt::Fehler);
    return false;
  }
  if (!PruefeKontoMitMeldung(Ziffern(f.BLZ), Ziffern(f.Kontonummer), true)) return false;
  TLGVBuchung b;
  b.Kontoinhaber = Trim(f.Kontoinhaber);
  b.BLZ = NullenAuffuellen(Ziffern(f.BLZ), 8);
  b.Kontonummer = NullenAuffuellen(Ziffern(f.Kontonummer), 10);
  b.Betrag = static_cast<float>(static_cast<double>(*cent) / 100.0);
  for (std::size_t j = 0; j < f.Zweck.size(); ++j) b.Zweck[j] = Trim(f.Zweck[j]);
  if (*cent <= 0) {
    Meldung("Bitte geben Sie einen Betrag größer als null ein!", MeldungsArt::Fehler);
    return false;
  }
  if (b.Zweck[0].empty()) {
    Meldung("Bitte geben Sie einen Verwendungszweck ein!", MeldungsArt::Fehler);
    return false;
  }
  if (!FListe->Schreiben(b, FIndex)) return false;
  Zeige(FIndex);
  return true;
}

bool TfrmLGV::SpeichernUnterDialog() {
  if (!FListe->Offen() || !AenderungenBehandeln()) return false;
  const bool gut = FListe->Art() == 2;
  DateiDialog d;
  d.titel = gut ? "Gutschriften speichern unter" : "Lastschriften speichern unter";
  d.filter = {{gut ? "Gutschriften" : "Lastschriften", gut ? "*.gsv" : "*.lsv"}, {"Alle Dateien", "*.*"}};
  d.vorschlag = gut ? "Gutschriften.gsv" : "Lastschriften.lsv";
  d.verzeichnis = plattform::PfadText(plattform::Pfad(FListe->Dateiname()).parent_path());
  d.endung = gut ? "gsv" : "lsv";
  d.ueberschreibenFragen = true;
  const auto datei = UI().DateiSpeichern(d);
  return datei && SpeichernUnter(*datei);
}

bool TfrmLGV::Buchungsstammdaten() {
  if (!FListe->Offen()) return false;
  TfrmLgvStammdaten d(*FListe, *FVerein);
  return UI().Dialog(d);
}

void TfrmLGV::Summieren() {
  if (!FListe->Offen()) return;
  const TKontrollsummen s = FListe->Kontrollsummen();
  Meldung("Anzahl der Buchungen: " + std::to_string(s.Anzahl) + "\r\nSumme der Bankleitzahlen: " +
              std::to_string(s.SummeBLZ) + "\r\nSumme der Kontonummern: " + std::to_string(s.SummeKontonummern) +
              "\r\nGesamtbetrag: " + BetragText(s.SummeCent) + " €",
          MeldungsArt::Information);
}

bool TfrmLGV::Mehrfachaenderung() {
  if (!FListe->Offen() || !AenderungenBehandeln()) return false;
  TfrmLgvMehrfach d(*FListe);
  const bool geaendert = UI().Dialog(d);
  Zeige(FIndex);
  return geaendert;
}

bool TfrmLGV::Drucken() {
  if (!FListe->Offen() || !AenderungenBehandeln()) return false;
  return LgvDrucken(*FListe);
}

void TfrmLGV::Bankenverzeichnis() {
  const std::string blz = Ziffern(FFelder.BLZ);
  TBankdatenDialog dialog(blz.size() == 8 && NurZiffern(blz) ? blz : "00000000");
  UI().Dialog(dialog);
}

}  // namespace zaq
