#include "views/Bearbeiten.h"

#include <algorithm>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "bank/Pruefung.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "interaction/Zeichenpruefung.h"
#include "store/ZAQ.h"
#include "views/Beitragsdialoge.h"

namespace zaq {
namespace {

constexpr Tag kSepaStart = 41659;  // 20.01.2014
constexpr Tag kVorgabeBezahltBis = 36525;

std::string DatumOderLeer(Tag t) { return t > 0 ? DatumText(t) : std::string(); }

// A date text field: empty is 0, otherwise the parsed date.
Tag DatumAusText(const std::string& text) {
  if (Trim(text).empty()) return 0;
  return TextZuDatum(text).value_or(0);
}

std::string Erste(const std::string& text, std::size_t n) { return ErsteZeichen(Trim(text), n); }

TfrmZAQBearbeiten::Erfassung Stempel(const TVerweisBen& v) {
  TfrmZAQBearbeiten::Erfassung e;
  const TBenutzer* b = v.GetZiel();
  if (!b) return e;
  e.sichtbar = true;
  e.durch = "durch " + b->FVollerName;
  e.am = "am " + DatumZeitText(v.FZeit) + ".";
  return e;
}

// The plain text fields of the personal page and the member fields they edit.
struct Textfeld {
  std::string TfrmZAQBearbeiten::*feld;
  std::string TMitglied::*mitglied;
};
constexpr Textfeld kTextfelder[] = {
    {&TfrmZAQBearbeiten::txtNNa, &TMitglied::FName},      {&TfrmZAQBearbeiten::txtVNa, &TMitglied::FVorname},
    {&TfrmZAQBearbeiten::txtZus, &TMitglied::FZusatz},    {&TfrmZAQBearbeiten::txtTitel, &TMitglied::FTitel},
    {&TfrmZAQBearbeiten::txtStr, &TMitglied::FStrasse},   {&TfrmZAQBearbeiten::txtPLZ, &TMitglied::FPLZ},
    {&TfrmZAQBearbeiten::txtOrt, &TMitglied::FOrt},       {&TfrmZAQBearbeiten::txtLand, &TMitglied::FLand},
    {&TfrmZAQBearbeiten::txtTel, &TMitglied::FTelefon},   {&TfrmZAQBearbeiten::txtMob, &TMitglied::FMobil},
    {&TfrmZAQBearbeiten::txtMail, &TMitglied::FEMail},    {&TfrmZAQBearbeiten::txtLink, &TMitglied::FHomepage},
    {&TfrmZAQBearbeiten::txtAbt, &TMitglied::FAbteilungen},
};

using B = TfrmZAQBearbeiten;
using Seite = B::Seite;
constexpr TEingaberegel kText100{100}, kText200{200}, kZahl3{3}, kDatumstext{10, false, true}, kSchluessel{5, true};
const B::Textfeld kEingabefelder[] = {
    {"txtNNa", "Nachname", &B::txtNNa, kText100, Seite::Persoenlich},
    {"txtVNa", "Vorname", &B::txtVNa, kText100, Seite::Persoenlich},
    {"txtZus", "Zusatz", &B::txtZus, kText100, Seite::Persoenlich},
    {"txtTitel", "Titel", &B::txtTitel, kText100, Seite::Persoenlich},
    {"txtStr", "Straße", &B::txtStr, kText100, Seite::Persoenlich},
    {"txtPLZ", "PLZ", &B::txtPLZ, kText100, Seite::Persoenlich},
    {"txtOrt", "Ort", &B::txtOrt, kText100, Seite::Persoenlich},
    {"txtLand", "Land", &B::txtLand, kText100, Seite::Persoenlich},
    {"txtTel", "Telefon", &B::txtTel, kText100, Seite::Persoenlich},
    {"txtMob", "Mobil", &B::txtMob, kText100, Seite::Persoenlich},
    {"txtMail", "E-Mail/Fax", &B::txtMail, kText200, Seite::Persoenlich},
    {"txtLink", "Link", &B::txtLink, kText200, Seite::Persoenlich},
    {"txtAbt", "Abteilungen", &B::txtAbt, kText100, Seite::Persoenlich},
    {"txtEMG", "Ehrenmitglied seit", &B::txtEMG, kDatumstext, Seite::Persoenlich},
    {"txtEhr", "Letzte Ehrung", &B::txtEhr, kZahl3, Seite::Persoenlich},
    {"txtAnr", "Anrechnung", &B::txtAnr, kZahl3, Seite::Persoenlich},
    {"txtBTS", "Beitragsschlüssel", &B::txtBTS, kSchluessel, Seite::Beitrag, B::Auswahl::Beitragsschluessel},
    {"txtBLZ", "Bankleitzahl", &B::txtBLZ, {10}, Seite::Beitrag},
    {"txtKNR", "Kontonummer", &B::txtKNR, {13}, Seite::Beitrag},
    {"txtIBAN", "IBAN", &B::txtIBAN, {42, true}, Seite::Beitrag},
    {"txtKIN", "Kontoinhaber", &B::txtKIN, {35}, Seite::Beitrag},
    {"txtMandref", "Mandatsreferenz", &B::txtMandref, {35}, Seite::Beitrag},
    {"txtMandDat", "Mandatsdatum", &B::txtMandDat, kDatumstext, Seite::Beitrag},
    {"txtEKS", "Empfängerkonto", &B::txtEKS, kSchluessel, Seite::Beitrag, B::Auswahl::Empfaengerkonto},
    {"txtZMG", "Zahlendes Mitglied", &B::txtZMG, {5}, Seite::Beitrag, B::Auswahl::Zahler},
    {"txtADt", "Austrittsdatum", &B::txtADt, {10}, Seite::Austritt},
    {"txtATx", "Austrittsgrund", &B::txtATx, kText100, Seite::Austritt},
};

}  // namespace

std::span<const TfrmZAQBearbeiten::Textfeld> TfrmZAQBearbeiten::Textfelder() { return kEingabefelder; }

const TfrmZAQBearbeiten::Textfeld& TfrmZAQBearbeiten::TextfeldVon(std::string TfrmZAQBearbeiten::*text) {
  for (const Textfeld& f : kEingabefelder)
    if (f.text == text) return f;
  return kEingabefelder[0];  // every text member is in the table (a test checks it)
}

void TfrmZAQBearbeiten::Tippe(std::string TfrmZAQBearbeiten::*feld, std::string_view text) {
  const Textfeld& f = TextfeldVon(feld);
  if (!SeiteAktiv(f.seite)) return;
  this->*feld = Getippt(f.regel, text);
  if (feld == &B::txtMandref) MandatsreferenzGeaendert();
}

bool TfrmZAQBearbeiten::Feldtaste(std::string TfrmZAQBearbeiten::*feld, zaq::Feldtaste) {
  const Textfeld& f = TextfeldVon(feld);
  if (!SeiteAktiv(f.seite)) return false;
  switch (f.auswahl) {
    case Auswahl::Beitragsschluessel: return WaehleBeitragsschluessel();
    case Auswahl::Empfaengerkonto: return WaehleEmpfaengerkonto();
    case Auswahl::Zahler: return WaehleZahlerVorschlag();
    case Auswahl::Keine: break;
  }
  return false;
}

std::vector<std::pair<std::string, std::string>> TfrmZAQBearbeiten::Laender() {
  return {{"D", "Deutschland"}, {"A", "Österreich"},  {"B", "Belgien"},   {"CH", "Schweiz"},
          {"CN", "China"},      {"CZ", "Tschechien"}, {"E", "Spanien"},   {"F", "Frankreich"},
          {"I", "Italien"},     {"NL", "Niederlande"}, {"PL", "Polen"}};
}

std::vector<std::string> TfrmZAQBearbeiten::Austrittsgruende() { return {"Austritt", "Ausschluß", "Todesfall"}; }

TfrmZAQBearbeiten::TfrmZAQBearbeiten(TMitglied& m, TZAQ& liste, Editormodus modus, std::string titel)
    : FTitel(std::move(titel)),
      FModus(modus),
      FArchivModus(modus == Editormodus::Archiv),
      FMitglied(m),
      FListe(liste),
      FAltesAustrittsdatum(m.FAustrittsdatum),
      FVorlaeufig(m.FVorlaeufigBezahltBis) {
  for (const auto& t : kTextfelder) this->*t.feld = m.*t.mitglied;
  optGe1 = m.FMaennlich;
  txtGebDt = m.FGeburtsdatum;
  txtEinDt = m.FEintrittsdatum;
  txtEMG = DatumOderLeer(m.FEhrenmitgliedSeit);
  txtEhr = std::to_string(m.FEhrung);
  txtAnr = std::to_string(m.FAnrechnung);
  const int gruppen = std::clamp<int>(liste.FStammdaten.FGruppenAnzahl, 1, kGruppen);
  for (int i = 1; i <= gruppen; ++i) lstGruppen.push_back(m.InGruppe(i));
  txtBTS = m.FBeitragsschluessel.wert;
  txtZahlDt = m.FBezahltBis;
  kntrZahlVorl = kntrZahlVorlAktiv = m.FVorlaeufigBezahltBis > 0;
  kntrZahlVorlText = m.FVorlaeufigBezahltBis > 0 ? "vorläufig bis zum " + DatumText(m.FVorlaeufigBezahltBis) + " bezahlt"
                                                 : "kein vorläufiges Datum hinterlegt";
  FZahlart = std::min<int>(m.FZahlart, 2);
  if (const TMitgliedskonto* k = m.Konto()) {
    txtBLZ = BLZText(k->FBLZ);
    txtKNR = KontoText(k->FKontonummer);
    txtIBAN = IBANText(k->FIBAN);
    txtKIN = k->FInhaber;
    txtMandref = k->FMandatsreferenz;
    txtMandDat = DatumOderLeer(k->FMandatsdatum);
    txtEKS = k->FEmpfaengerKonto.wert;
  }
  VerlasseBank();
  if (TVerweisMitgl* z = m.Zahler()) {
    TMitglied* zahler = z->GetZiel();
    txtZMG = zahler ? zahler->MitgliedsnummerText() : "?";
  }
  txtADt = DatumOderLeer(m.FAustrittsdatum);
  txtATx = m.FAustrittsgrund;
  FLoeschung = Stempel(m.FAustrittVon);
  FAufnahme = Stempel(m.FErstelltVon);
  FAenderung = Stempel(m.FGeaendertVon);
}

bool TfrmZAQBearbeiten::Recht(std::uint32_t a, std::uint32_t b) const {
  const TBenutzer* benutzer = FListe.AktuellerBenutzer();
  return benutzer && benutzer->HatRecht(a, b);
}

bool TfrmZAQBearbeiten::SeiteAktiv(Seite s) const {
  switch (s) {
    case Seite::Persoenlich: return Recht(rPersoenlicheDaten, rMitgliederHinzufuegen);
    case Seite::Gruppen: return Recht(rGruppen, rMitgliederHinzufuegen);
    case Seite::Beitrag: return Recht(rBeitragsdatenBearbeiten, rMitgliederHinzufuegen);
    case Seite::Austritt: return Recht(rMitgliederHinzufuegen);
  }
  return false;
}

bool TfrmZAQBearbeiten::SeiteSichtbar(Seite s) const {
  if (s == Seite::Beitrag) return Recht(rBeitragsdatenAnzeigen);
  if (s == Seite::Austritt) return FModus != Editormodus::Hinzufuegen;
  return true;
}

TfrmZAQBearbeiten::Seite TfrmZAQBearbeiten::Startseite() const {
  const bool wieZuletzt = FModus == Editormodus::Bearbeiten || FModus == Editormodus::Archiv;
  const Seite s = wieZuletzt ? sLetzteSeite : Seite::Persoenlich;
  return SeiteSichtbar(s) ? s : Seite::Persoenlich;
}

std::vector<std::string> TfrmZAQBearbeiten::GruppenNamen() const {
  std::vector<std::string> namen;
  for (std::size_t i = 0; i < lstGruppen.size(); ++i) namen.push_back(FListe.FStammdaten.FGruppenname[i]);
  return namen;
}

void TfrmZAQBearbeiten::VerlasseEintrittsdatum() {
  if (txtZahlDt == kVorgabeBezahltBis) txtZahlDt = txtEinDt - 1;
}

void TfrmZAQBearbeiten::BetreteKontoinhaber() {
  if (txtKIN.empty()) txtKIN = Trim(Trim(txtNNa) + ", " + Trim(txtVNa) + " " + Trim(txtZus));
}

void TfrmZAQBearbeiten::BetreteIBAN() {
  if (!txtIBAN.empty() || Trim(txtBLZ).empty() || Trim(txtKNR).empty()) return;
  std::string iban;
  if (BerechneIBAN(OhneLeerzeichen(txtBLZ), NullenAuffuellen(OhneLeerzeichen(txtKNR), 10), iban)) txtIBAN = IBANText(iban);
}

void TfrmZAQBearbeiten::BetreteMandatsreferenz() {
  if (!txtMandref.empty() || Trim(txtVNa).empty()) return;
  // The number as it will be stored: the copy's number with the file's format.
  txtMandref = FMitglied.MitgliedsnummerText() + Erste(txtVNa, 1) + FormatDatum("ddmmyy", txtGebDt);
}

void TfrmZAQBearbeiten::BetreteMandatsdatum() {
  if (txtMandDat.empty()) txtMandDat = DatumText(txtEinDt >= kSepaStart ? txtEinDt : kSepaStart);
}

bool TfrmZAQBearbeiten::VerlasseDatumstext(std::string& text) {
  std::replace(text.begin(), text.end(), ',', '.');
  if (Trim(text).empty()) return true;
  auto datum = TextZuDatum(text);
  if (!datum) {
    Meldung("Ungültiges Datum!", MeldungsArt::Fehler);
    return false;
  }
  text = DatumText(*datum);
  return true;
}

bool TfrmZAQBearbeiten::VerlasseDatumsfeld(Tag TfrmZAQBearbeiten::*feld, std::string_view text) {
  const Seite seite = feld == &B::txtZahlDt ? Seite::Beitrag : Seite::Persoenlich;
  if (!SeiteAktiv(seite)) return true;
  const auto tag = LeseDatumsfeld(text);
  if (!tag) {
    Meldung("Ungültiges Datum!", MeldungsArt::Fehler);
    return false;
  }
  this->*feld = *tag;
  if (feld == &B::txtEinDt) VerlasseEintrittsdatum();
  return true;
}

void TfrmZAQBearbeiten::VerlasseBank() {
  txtBnk = Bankverzeichnis() ? Bankverzeichnis()->KurzbezeichnungZu(OhneLeerzeichen(txtBLZ), OhneLeerzeichen(txtIBAN))
                             : std::string();
}

bool TfrmZAQBearbeiten::GruppeUmbenennen(int gruppe) {
  if (gruppe < 1 || gruppe > static_cast<int>(lstGruppen.size())) return false;
  if (!FListe.PruefeRecht(rStammdaten)) return false;
  auto& name = FListe.FStammdaten.FGruppenname[static_cast<std::size_t>(gruppe - 1)];
  auto neu = UI().Eingabe("Gruppe ändern",
                          "Bitte geben Sie die Bezeichnung der Gruppe " + std::to_string(gruppe) + " ein." + "\r\n" +
                              "\r\n" + "Hinweis: Diese Änderung betrifft die Vereinsstammdatun und wirkt sich auf alle "
                                       "Mitglieder aus.",
                          name);
  if (!neu || !Speicherbar(*neu, "Gruppe")) return false;
  name = *neu;
  FListe.Geaendert();
  return true;
}

bool TfrmZAQBearbeiten::WaehleBeitragsschluessel() {
  return ZeigeSchlAuswahl(FListe.FStammdaten, txtBTS, skBeitragsklasse);
}

bool TfrmZAQBearbeiten::WaehleEmpfaengerkonto() { return ZeigeSchlAuswahl(FListe.FStammdaten, txtEKS, skVereinskonto); }

bool TfrmZAQBearbeiten::WaehleZahlerVorschlag() {
  auto nummer = static_cast<std::uint16_t>(ZuZahl(Trim(txtZMG)).value_or(0));
  if (!WaehleZahler(FListe, nummer, Trim(txtNNa), Trim(txtPLZ), Trim(txtOrt), FMitglied.FMitgliedsnummer)) return false;
  txtZMG = FListe.MitgliedsnummerText(nummer);
  return true;
}

bool TfrmZAQBearbeiten::BankdatenVorhanden() const {
  return !Trim(txtBLZ).empty() || !Trim(txtKNR).empty() || !Trim(txtIBAN).empty();
}

bool TfrmZAQBearbeiten::OK() {
  auto fehler = [](const char* text) {
    Meldung(text, MeldungsArt::Fehler);
    return false;
  };
  // What the file cannot hold is refused before anything else is looked at.
  for (const Textfeld& f : kEingabefelder)
    if (SeiteAktiv(f.seite) && !Speicherbar(this->*f.text, f.titel)) return false;
  if (Recht(rPersoenlicheDaten, rMitgliederHinzufuegen)) {
    if (Trim(txtNNa).empty()) return fehler("Geben Sie bitte einen Nachnamen ein!");
    if (Trim(txtVNa).empty()) return fehler("Geben Sie bitte einen Vornamen ein!");
    if (txtEinDt < txtGebDt) return fehler("Das Eintrittsdatum darf nicht vor dem Geburtsdatum liegen.");
  }
  if (!FArchivModus && Recht(rBeitragsdatenBearbeiten, rMitgliederHinzufuegen)) {
    if (!FListe.FStammdaten.SucheBtrKlasse(Trim(txtBTS))) return fehler("Geben Sie bitte einen gültigen Beitragsschlüssel an.");
    if (FZahlart != zaLastschrift && BankdatenVorhanden() &&
        Meldung("Als Zahlungmethode wurde nicht Lastschrift gewählt, obwohl eine Bankverbindung angegeben wurde. "
                "Bankverbindung wird gelöscht. Fortfahren?",
                MeldungsArt::Frage, Knoepfe::JaNein) != Antwort::Ja)
      return false;
    if (FZahlart == zaLastschrift) {
      if (!BankdatenVorhanden()) return fehler("Geben Sie bitte eine Bankverbindung an oder stellen Sie die Zahlmethode um!");
      if (!PruefeMitMeldung(txtBLZ, txtKNR, false, txtIBAN)) return false;
      if (Trim(txtMandref).empty()) return fehler("Bitte geben Sie eine Mandatsreferenznummer an!");
      if (!IstDatum(txtMandDat)) return fehler("Ungültiges oder kein Mandatsdatum angegeben.");
      if (Trim(txtKIN).empty()) return fehler("Geben Sie bitte einen Kontoinhaber an!");
      if (!FListe.FStammdaten.SucheVereinskonto(Trim(txtEKS)))
        return fehler("Geben Sie bitte einen gültigen Empfängerkontoschlüssel an!");
    }
    if (FZahlart == zaMitfinanziert) {
      const std::string nummer = Trim(txtZMG);
      auto zahl = NurZiffern(nummer) ? ZuZahl(nummer) : std::nullopt;
      if (!zahl || *zahl > 65535) return fehler("Ungültige Mitgliedsnummer für das zahlende Mitglied eingegeben.");
      if (*zahl == FMitglied.FMitgliedsnummer)
        return fehler("Als zahlende Mitgliedsnummer darf nicht die Nummer des aktuellen Mitglieds eingegeben werden.");
      if (*zahl == 0) return fehler("Bitte eine zahlende Mitgliedsnummer eingeben!");
      if (!PruefeZahler(FListe, FMitglied.FMitgliedsnummer, static_cast<std::uint16_t>(*zahl))) return false;
    }
  }
  if (Recht(rMitgliederHinzufuegen) && !Trim(txtADt).empty() && !IstDatum(txtADt))
    return fehler("Ungültiges Austrittsdatum.");
  return true;
}

void TfrmZAQBearbeiten::SpeichereMitglied() {
  TMitglied& m = FMitglied;
  if (Recht(rPersoenlicheDaten, rMitgliederHinzufuegen)) {
    for (const auto& t : kTextfelder) m.*t.mitglied = Trim(this->*t.feld);
    m.FMaennlich = optGe1;
    m.FGeburtsdatum = txtGebDt;
    m.FEintrittsdatum = txtEinDt;
    m.FEhrenmitgliedSeit = DatumAusText(txtEMG);
    m.FEhrung = static_cast<std::uint8_t>(std::clamp(ZuZahl(txtEhr).value_or(0), 0, 100));
    m.FAnrechnung = static_cast<std::uint8_t>(std::clamp(ZuZahl(txtAnr).value_or(0), 0, 100));
  }
  if (Recht(rGruppen, rMitgliederHinzufuegen))
    for (std::size_t i = 0; i < lstGruppen.size(); ++i) m.SetzeGruppe(static_cast<int>(i) + 1, lstGruppen[i]);
  if (Recht(rBeitragsdatenBearbeiten, rMitgliederHinzufuegen)) {
    m.FBeitragsschluessel.wert = Erste(txtBTS, 5);
    m.FBezahltBis = txtZahlDt;
    if (!kntrZahlVorl) m.FVorlaeufigBezahltBis = 0;
    m.FZahlart = static_cast<std::uint8_t>(FZahlart);
    m.KontoEntfernen();
    m.ZahlerEntfernen();
    if (!FArchivModus && FZahlart == zaLastschrift) {
      TMitgliedskonto& k = m.KontoAnlegen();
      k.FBLZ = NullenAuffuellen(OhneLeerzeichen(txtBLZ), 8);
      k.FKontonummer = NullenAuffuellen(OhneLeerzeichen(txtKNR), 10);
      k.FInhaber = Trim(txtKIN);
      k.FIBAN = OhneLeerzeichen(txtIBAN);
      k.FMandatsreferenz = Trim(txtMandref);
      k.FMandatsdatum = DatumAusText(txtMandDat);
      k.FEmpfaengerKonto.wert = Erste(txtEKS, 5);
    } else if (!FArchivModus && FZahlart == zaMitfinanziert) {
      const auto nummer = static_cast<std::uint16_t>(ZuZahl(Trim(txtZMG)).value_or(0));
      m.ZahlerAnlegen().Setze(FListe.SucheNummer(nummer));
    }
  }
  if (Recht(rMitgliederHinzufuegen)) {
    m.FAustrittsdatum = DatumAusText(txtADt);
    m.FAustrittsgrund = Trim(txtATx);
    if (m.FAustrittsdatum > 0 && m.FAustrittsdatum != FAltesAustrittsdatum) m.FAustrittVon.Setze(FListe.AktuellerBenutzer());
    if (m.FAustrittsdatum == 0 && FAltesAustrittsdatum > 0) m.FAustrittVon.Setze(nullptr);
  }
}

}  // namespace zaq
