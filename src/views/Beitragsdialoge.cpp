#include "views/Beitragsdialoge.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "bank/Pruefung.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "debits/sepa/SEPACommon.h"
#include "fees/Beitrag.h"
#include "interaction/Einstellungen.h"
#include "interaction/Zeichenpruefung.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

constexpr const char* kFehlerBeimSpeichern = "Fehler beim Speichern, bitte überprüfen Sie alle Angaben!";
constexpr const char* kSchluesselFehlt = "Geben Sie bitte einen Schlüssel an.";

std::string ZweiStellen(float betrag) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(betrag));
  std::string t = text;
  std::replace(t.begin(), t.end(), '.', ',');
  return t;
}

// Keys are typed in upper case, at most 5 characters, and stored trimmed.
std::string Schluessel(const std::string& text) { return Trim(Getippt(TfrmBtrKlasse::kSchluessel, Trim(text))); }

// Shows the dialog of an element until it is saved or cancelled; a new
// element joins the list only when saved.
template <class T, class Bearbeiten>
T* Hinzufuegen(TListe<T>& liste, Bearbeiten bearbeiten) {
  auto neu = std::make_unique<T>();
  if (!bearbeiten(*neu)) return nullptr;
  return &liste.Hinzufuegen(std::move(neu));
}

template <class T>
bool Entfernen(TListe<T>& liste, int index, const char* frage) {
  if (index < 0 || index >= liste.Anzahl()) return false;
  if (Meldung(frage, MeldungsArt::Warnung, Knoepfe::OKAbbrechen) != Antwort::OK) return false;
  liste.Loeschen(index);
  return true;
}

}  // namespace

// --- fee class editor ---

TfrmBtrKlasse::TfrmBtrKlasse(TBtrKlasse& klasse, const TBtrKlassenListe& liste) : FKlasse(klasse), FListe(liste) {
  const bool neu = klasse.FSchluessel.empty();
  Titel = neu ? "Beitragsklasse hinzufügen" : "Beitragsklasse bearbeiten";
  Knopf = neu ? "Hinzufügen" : "OK";
  txtSchluessel = klasse.FSchluessel;
  txtBezeichnung = klasse.FBezeichnung;
  cmbTeilberechnung = klasse.FTeilberechnung < kTeilberechnungen ? klasse.FTeilberechnung : 0;
  chkFaktorText = klasse.FFaktorText;
  optFamilienbeitrag = klasse.FFamilienbeitrag;
  txtAnzahl = std::clamp(static_cast<int>(klasse.FAltKlassen.size()), 1, kZeilen);
  chkHoechstzahl = klasse.FFamilienMax != 0;
  chkFesteZahl = klasse.FFamilienIst != 0;
  txtFamilienZahl = std::clamp(klasse.FFamilienMax + klasse.FFamilienIst, 1, 9);
  txtFamilienAlter = std::min<int>(klasse.FFamilienAlter, 99);
  for (std::size_t i = 0; i < Zeilen.size(); ++i) {
    Zeile& z = Zeilen[i];
    z.betrag = ZweiStellen(0);
    if (i < klasse.FAltKlassen.size() && !(klasse.FFamilienbeitrag && i == 0)) {
      const TAltKlasse& a = klasse.FAltKlassen[i];
      z.zweck = a.FVerwendungszweck;
      z.bis = std::min<int>(a.FAlterBis, 150);
      z.betrag = ZweiStellen(a.FBetrag);
    }
  }
  txtBisChange(-1);
  if (klasse.FFamilienbeitrag && !klasse.FAltKlassen.empty()) {
    txtFamilienZweck = klasse.FAltKlassen.front().FVerwendungszweck;
    txtFamilienBetrag = ZweiStellen(klasse.FAltKlassen.front().FBetrag);
  } else {
    txtFamilienZweck = klasse.FFamilienbeitrag ? "" : "Familienbeitrag";
    txtFamilienBetrag = ZweiStellen(0);
  }
}

void TfrmBtrKlasse::txtSchluesselChange() { txtSchluessel = Getippt(kSchluessel, txtSchluessel); }

void TfrmBtrKlasse::txtBisChange(int zeile) {
  // Each row starts after the previous one; a bound below its start moves up.
  Zeilen[0].von = 0;
  for (int i = std::max(zeile, 0); i < kZeilen; ++i) {
    Zeile& z = Zeilen[static_cast<std::size_t>(i)];
    if (i > 0) z.von = std::min(Zeilen[static_cast<std::size_t>(i - 1)].bis + 1, 150);
    z.bis = std::clamp(z.bis, z.von, 150);
  }
}

void TfrmBtrKlasse::chkHoechstzahlClick() {
  if (chkHoechstzahl) chkFesteZahl = false;
}

void TfrmBtrKlasse::chkFesteZahlClick() {
  if (chkFesteZahl) chkHoechstzahl = false;
}

bool TfrmBtrKlasse::Speichern() {
  const std::pair<const std::string*, const char*> texte[] = {{&txtSchluessel, "Schlüssel"},
                                                              {&txtBezeichnung, "Bezeichnung"},
                                                              {&txtFamilienZweck, "Bezeichnung (Verwendungszweck)"}};
  for (const auto& [text, feld] : texte)
    if (!Speicherbar(*text, feld)) return false;
  for (const Zeile& z : Zeilen)
    if (!Speicherbar(z.zweck, "Bezeichnung (Verwendungszweck)")) return false;
  const std::string schluessel = Schluessel(txtSchluessel);
  if (schluessel.empty()) {
    Meldung(kSchluesselFehlt, MeldungsArt::Fehler);
    return false;
  }
  // Compared as stored: a key typed with blanks must not duplicate another.
  if (const TBtrKlasse* andere = FListe.Suche(schluessel); andere && andere != &FKlasse) {
    Meldung("Beitragsschlüssel existiert bereits. Wählen Sie einen anderen!", MeldungsArt::Fehler);
    return false;
  }
  std::vector<TAltKlasse> altKlassen;
  const int anzahl = optFamilienbeitrag ? 1 : std::clamp(txtAnzahl, 1, kZeilen);
  for (int i = 0; i < anzahl; ++i) {
    const Zeile& z = Zeilen[static_cast<std::size_t>(i)];
    const std::string& text = optFamilienbeitrag ? txtFamilienBetrag : z.betrag;
    bool zuGross = false;
    auto betrag = LeseFloatBetrag(text, &zuGross);
    if (!betrag) {
      Meldung(zuGross ? ZuGrosserBetragText(text) : std::string(kFehlerBeimSpeichern), MeldungsArt::Fehler);
      return false;
    }
    TAltKlasse& a = altKlassen.emplace_back();
    a.FVerwendungszweck = ErsteZeichen(optFamilienbeitrag ? txtFamilienZweck : z.zweck, kBezeichnung.laenge);
    a.FBetrag = *betrag;
    a.FAlterBis = static_cast<std::uint8_t>(optFamilienbeitrag ? 0 : std::clamp(z.bis, 0, 150));
  }
  const auto zahl = static_cast<std::uint8_t>(std::clamp(txtFamilienZahl, 1, 9));
  FKlasse.FSchluessel = schluessel;
  FKlasse.FBezeichnung = ErsteZeichen(Trim(txtBezeichnung), kBezeichnung.laenge);
  FKlasse.FTeilberechnung = static_cast<std::uint8_t>(std::clamp(cmbTeilberechnung, 0, kTeilberechnungen - 1));
  FKlasse.FFaktorText = chkFaktorText;
  FKlasse.FFamilienbeitrag = optFamilienbeitrag;
  FKlasse.FFamilienMax = chkHoechstzahl ? zahl : 0;
  FKlasse.FFamilienIst = chkFesteZahl && !chkHoechstzahl ? zahl : 0;
  FKlasse.FFamilienAlter = static_cast<std::uint8_t>(std::clamp(txtFamilienAlter, 0, 99));
  FKlasse.FAltKlassen = std::move(altKlassen);
  return true;
}

bool BearbeiteBtrKlasse(TBtrKlasse& klasse, const TBtrKlassenListe& liste) {
  TfrmBtrKlasse dialog(klasse, liste);
  return UI().Dialog(dialog);
}

TBtrKlasse* BtrKlasseHinzufuegen(TBtrKlassenListe& liste) {
  return Hinzufuegen(liste, [&](TBtrKlasse& k) { return BearbeiteBtrKlasse(k, liste); });
}

bool BtrKlasseEntfernen(TBtrKlassenListe& liste, int index) {
  return Entfernen(liste, index, "Hiermit entfernen Sie die ausgewählte Beitragsklasse.");
}

// --- club account editor ---

TfrmVereinskonto::TfrmVereinskonto(TVereinskonto& konto, const TVereinskontenListe& liste,
                                   const std::string& vereinsname)
    : FKonto(konto), FListe(liste), FVereinsname(vereinsname) {
  const bool neu = konto.FKontoSchluessel.empty();
  Titel = neu ? "Vereinskonto hinzufügen" : "Vereinskonto bearbeiten";
  Knopf = neu ? "Hinzufügen" : "OK";
  txtSchluessel = konto.FKontoSchluessel;
  txtBezeichnung = konto.FBezeichnung;
  txtInhaber = konto.FInhaber;
  txtBLZ = BLZText(konto.FBLZ);
  txtKonto = KontoText(konto.FKontonummer);
  txtIBAN = IBANText(konto.FIBAN);
  txtGlaeubigerID = konto.FGlaeubigerID;
  txtBankname = konto.FBankname;
}

void TfrmVereinskonto::txtSchluesselChange() { txtSchluessel = Getippt(kSchluessel, txtSchluessel); }

void TfrmVereinskonto::txtIBANEnter() {
  if (!Trim(txtIBAN).empty() || Trim(txtBLZ).empty() || Trim(txtKonto).empty()) return;
  std::string iban;
  if (BerechneIBAN(OhneLeerzeichen(txtBLZ), NullenAuffuellen(OhneLeerzeichen(txtKonto), 10), iban))
    txtIBAN = IBANText(iban);
}

void TfrmVereinskonto::txtInhaberEnter() {
  if (Trim(txtInhaber).empty()) txtInhaber = FVereinsname;
}

void TfrmVereinskonto::txtBanknameEnter() {
  if (!Trim(txtBankname).empty()) return;
  TBank* bank = Bankverzeichnis();
  txtBankname = bank ? bank->BezeichnungZu(OhneLeerzeichen(txtBLZ), OhneLeerzeichen(txtIBAN)) : std::string();
}

bool TfrmVereinskonto::Speichern() {
  const std::pair<const std::string*, const char*> texte[] = {
      {&txtSchluessel, "Kontoschlüssel"}, {&txtBezeichnung, "Bezeichnung"}, {&txtInhaber, "Kontoinhaber"},
      {&txtBLZ, "Bankleitzahl"},           {&txtKonto, "Kontonummer"},       {&txtIBAN, "IBAN"},
      {&txtGlaeubigerID, "Gläubiger-ID"},  {&txtBankname, "Bankname"}};
  for (const auto& [text, feld] : texte)
    if (!Speicherbar(*text, feld)) return false;
  const std::string schluessel = Schluessel(txtSchluessel);
  if (schluessel.empty()) {
    Meldung(kSchluesselFehlt, MeldungsArt::Fehler);
    return false;
  }
  for (const auto& k : FListe)
    if (k.get() != &FKonto && k->FKontoSchluessel == schluessel) {
      Meldung("Kontoschlüssel existiert bereits. Wählen Sie einen anderen!", MeldungsArt::Fehler);
      return false;
    }
  if (!PruefeMitMeldung(txtBLZ, txtKonto, false, txtIBAN)) return false;
  // A wrong creditor identifier would only show when the bank rejects the
  // collection; an empty one is allowed for accounts that collect nothing.
  if (!Trim(txtGlaeubigerID).empty() && !sepa::IsValidCreditorId(txtGlaeubigerID)) {
    Meldung("Die angegebene Gläubiger-ID " + Trim(txtGlaeubigerID) +
                " ist ungültig. Prüfen Sie bitte Ihre Eingabe!",
            MeldungsArt::Fehler);
    return false;
  }
  FKonto.FKontoSchluessel = schluessel;
  FKonto.FBezeichnung = ErsteZeichen(Trim(txtBezeichnung), kBezeichnung.laenge);
  FKonto.FInhaber = ErsteZeichen(txtInhaber, kInhaber.laenge);
  FKonto.FBLZ = NullenAuffuellen(OhneLeerzeichen(txtBLZ), 8);
  FKonto.FKontonummer = NullenAuffuellen(OhneLeerzeichen(txtKonto), 10);
  FKonto.FIBAN = OhneLeerzeichen(txtIBAN);
  FKonto.FBankname = ErsteZeichen(txtBankname, kBankname.laenge);
  FKonto.FGlaeubigerID = ErsteZeichen(txtGlaeubigerID, kGlaeubigerID.laenge);
  return true;
}

bool BearbeiteVereinskonto(TVereinskonto& konto, const TVereinskontenListe& liste, const std::string& vereinsname) {
  TfrmVereinskonto dialog(konto, liste, vereinsname);
  return UI().Dialog(dialog);
}

TVereinskonto* VereinskontoHinzufuegen(TVereinskontenListe& liste, const std::string& vereinsname) {
  return Hinzufuegen(liste, [&](TVereinskonto& k) { return BearbeiteVereinskonto(k, liste, vereinsname); });
}

bool VereinskontoEntfernen(TVereinskontenListe& liste, int index) {
  return Entfernen(liste, index, "Hiermit entfernen Sie das ausgewählte Vereinskonto.");
}

// --- conversion to SEPA ---

Umstellungsergebnis IBANBerechnen(TZAQ& liste) {
  Umstellungsergebnis e;
  for (const auto& m : liste.FMitglieder) {
    TMitgliedskonto* konto = m->Konto();
    if (!konto || !Trim(konto->FIBAN).empty() || konto->FBLZ.empty() || konto->FBLZ == "00000000") continue;
    std::string iban;
    if (BerechneIBAN(konto->FBLZ, konto->FKontonummer, iban)) {
      konto->FIBAN = iban;
      m->Geaendert();
      ++e.erfolgreich;
    } else {
      ++e.fehlgeschlagen;
    }
  }
  return e;
}

int MandateGenerieren(TZAQ& liste, Tag mandatsdatum) {
  int anzahl = 0;
  for (const auto& m : liste.FMitglieder) {
    TMitgliedskonto* konto = m->Konto();
    if (!konto) continue;
    konto->FMandatsreferenz = m->MandatsreferenzVorschlag(m->FVorname, m->FGeburtsdatum);
    konto->FMandatsdatum = mandatsdatum;
    m->Geaendert();
    ++anzahl;
  }
  return anzahl;
}

TfrmSepaUmstellung::TfrmSepaUmstellung(TZAQ& liste) : txtMandatsdatum(DatumText(Heute())), FListe(liste) {}

void TfrmSepaUmstellung::befIBANClick() {
  if (!KnoepfeAktiv()) return;
  const Umstellungsergebnis e = IBANBerechnen(FListe);
  Meldung("Es wurde bei " + std::to_string(e.erfolgreich) + " Mitgliedern die IBAN generiert. Bei " +
              std::to_string(e.fehlgeschlagen) + " konnte leider keine IBAN automatisch berechnet werden.",
          MeldungsArt::Information);
}

void TfrmSepaUmstellung::befMandateClick() {
  if (!KnoepfeAktiv()) return;
  const auto datum = TextZuDatum(txtMandatsdatum);
  if (!datum) {
    Meldung("'" + txtMandatsdatum + "' ist kein gültiges Datum.", MeldungsArt::Fehler);
    return;
  }
  const int anzahl = MandateGenerieren(FListe, *datum);
  Meldung("Es wurden bei " + std::to_string(anzahl) + " Mitgliedern die Mandate erstellt.", MeldungsArt::Information);
}

void ZeigeSepaUmstellung(TZAQ& liste) {
  TfrmSepaUmstellung dialog(liste);
  UI().Dialog(dialog);
}

// --- list choosers ---

bool ZeigeSchlAuswahl(const TStammdaten& stamm, std::string& schluessel, int art) {
  TfrmAuswahl auswahl;
  std::vector<std::string> schluesselListe;
  auto eintrag = [&](const std::string& s, const std::string& bezeichnung) {
    schluesselListe.push_back(s);
    auswahl.Eintraege.push_back(s + ";" + bezeichnung);
  };
  if (art == skVereinskonto) {
    if (stamm.FVereinskonten.Anzahl() == 0) {
      Meldung("Keine Vereinskonten vorhanden. Bitte in den Vereinsstammdaten eintragen!", MeldungsArt::Information);
      return false;
    }
    auswahl.Titel = "Kontoschlüssel wählen";
    for (const auto& k : stamm.FVereinskonten) eintrag(k->FKontoSchluessel, k->FBezeichnung);
  } else if (art == skBeitragsklasse) {
    if (stamm.FBtrKlassen.Anzahl() == 0) {
      Meldung("Keine Beitragsklassen vorhanden. Bitte in den Vereinsstammdaten eintragen!", MeldungsArt::Information);
      return false;
    }
    auswahl.Titel = "Beitragsschlüssel wählen";
    for (const auto& k : stamm.FBtrKlassen) eintrag(k->FSchluessel, k->FBezeichnung);
  } else {
    Meldung("Ungültige Schlüsselkennzahl in TZAQ.ZeigeSchlAuswahl.", MeldungsArt::Fehler);
    return false;
  }
  const std::string gross = GrossVergleich(schluessel);
  for (std::size_t i = 0; i < schluesselListe.size(); ++i)
    if (GrossVergleich(schluesselListe[i]) == gross) auswahl.Index = static_cast<int>(i);
  if (!UI().Dialog(auswahl) || auswahl.Index < 0 || auswahl.Index >= static_cast<int>(schluesselListe.size()))
    return false;
  schluessel = schluesselListe[static_cast<std::size_t>(auswahl.Index)];
  return true;
}

bool WaehleZahler(TZAQ& liste, std::uint16_t& zahler, const std::string& name, const std::string& plz,
                  const std::string& ort, std::uint16_t eigeneNummer) {
  TfrmAuswahl auswahl;
  auswahl.Titel = "Zahlendes Mitglied wählen";
  auswahl.Breite = 500;
  auswahl.Spaltenbreiten = {60, 200};
  std::vector<std::uint16_t> nummern;
  for (const auto& m : liste.FMitglieder) {
    // Only a member that pays for itself can pay for others.
    if (m->FName != name || m->FPLZ != plz || m->FOrt != ort || m->FMitgliedsnummer == eigeneNummer ||
        m->FZahlart == zaMitfinanziert || m->Zahler())
      continue;
    if (m->FMitgliedsnummer == zahler) auswahl.Index = static_cast<int>(nummern.size());
    nummern.push_back(m->FMitgliedsnummer);
    auswahl.Eintraege.push_back(m->MitgliedsnummerText() + ";" + m->NameKomplett() + ";" + m->Adresszeile());
  }
  if (nummern.empty()) {
    Meldung("Kein Mitglied gefunden, was passen könnte. Bitte Mitgliedsnummer manuell eingeben!",
            MeldungsArt::Information);
    return false;
  }
  if (!UI().Dialog(auswahl) || auswahl.Index < 0 || auswahl.Index >= static_cast<int>(nummern.size())) return false;
  zahler = nummern[static_cast<std::size_t>(auswahl.Index)];
  return true;
}

bool PruefeZahler(TZAQ& liste, std::uint16_t eigeneNummer, std::uint16_t zahler) {
  auto nummer = [&](std::uint16_t n) { return MitgliedsnummerText(&liste, n); };
  bool gefunden = false;
  for (const auto& m : liste.FMitglieder) {
    if (HatZahlerVerweis(*m) && m->Zahler()->FNummer == eigeneNummer && m->FMitgliedsnummer != eigeneNummer) {
      Meldung("Das aktuelle Mitglied muß eine eigene Bankverbindung aufweisen, da es bereits bei Mitglied Nummer " +
                  m->MitgliedsnummerText() + " als zahlungspflichtiges Mitglied eingetragen ist.",
              MeldungsArt::Fehler);
      return false;
    }
    if (gefunden || m->FMitgliedsnummer != zahler) continue;
    if (HatZahlerVerweis(*m)) {
      Meldung("Das aktuelle Mitglied darf nur auf ein selbstzahlendes Mitglied verweisen, tut es aber nicht. Denn "
              "Mitglied Nummer " +
                  nummer(zahler) + " wird seinerseits wiederum von Mitglied Nummer " + nummer(m->Zahler()->FNummer) +
                  " mitfinanziert.",
              MeldungsArt::Fehler);
      return false;
    }
    gefunden = true;
  }
  if (!gefunden) {
    Meldung("Die als zahlendes Mitglied angegebene Mitgliedsnummer " + nummer(zahler) +
                " ist ungültig, weil dieses Mitglied nicht vorhanden ist.",
            MeldungsArt::Fehler);
    return false;
  }
  return true;
}

// --- co-financing window ---

void TfrmMitfinanzierungen::Fuellen(TZAQ* liste, TMitglied* zahler) {
  FListe = liste;
  FEintraege.clear();
  FNummern.clear();
  if (!liste || !zahler) return;
  for (const auto& m : liste->FMitglieder) {
    if (ZahlerVon(*m) != zahler) continue;
    FNummern.push_back(m->FMitgliedsnummer);
    FEintraege.push_back(m->MitgliedsnummerText() + ";" + m->NameKomplett());
  }
}

TMitglied* TfrmMitfinanzierungen::Mitglied(int index) const {
  if (!FListe || index < 0 || index >= static_cast<int>(FNummern.size())) return nullptr;
  return FListe->SucheNummer(FNummern[static_cast<std::size_t>(index)]);
}

std::optional<TfrmMitfinanzierungen::Platz> TfrmMitfinanzierungen::GespeicherterPlatz() {
  const auto breite = LeseEinstellungZahl(esMitfinB);
  if (!breite || *breite <= 0) return std::nullopt;
  Platz p;
  p.x = LeseEinstellungZahl(esMitfinX).value_or(0);
  p.y = LeseEinstellungZahl(esMitfinY).value_or(0);
  p.breite = *breite;
  p.hoehe = LeseEinstellungZahl(esMitfinH).value_or(0);
  return p;
}

void TfrmMitfinanzierungen::SpeicherePlatz(const Platz& p) {
  SchreibeEinstellungZahl(esMitfinX, p.x);
  SchreibeEinstellungZahl(esMitfinY, p.y);
  SchreibeEinstellungZahl(esMitfinB, p.breite);
  SchreibeEinstellungZahl(esMitfinH, p.hoehe);
}

bool mnuUebernehmeVorlDatenClick(TZAQ& liste) {
  if (Meldung("Hiermit werden die aktuellen Zahldaten (das \"Bis-Bezahlt-Datum\") durch die vorläufigen, neuen "
              "Daten unwiderruflich überschrieben.",
              MeldungsArt::Warnung, Knoepfe::OKAbbrechen) != Antwort::OK)
    return false;
  UebernehmeVorlDaten(liste);
  Meldung("Daten wurden übernommen", MeldungsArt::Information);
  return true;
}

}  // namespace zaq
