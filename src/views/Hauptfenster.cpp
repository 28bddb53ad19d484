#include "views/Hauptfenster.h"

#include <algorithm>

#include "bank/Bank.h"
#include "bank/Banktexte.h"
#include "bank/Pruefung.h"
#include "base/Datum.h"
#include "base/Text.h"
#include "fees/Beitrag.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "platform/Version.h"
#include "views/Druckdialoge.h"
#include "views/Beitragsdialoge.h"
#include "views/Listenoperationen.h"
#include "views/Mitgliederdialoge.h"
#include "transfer/Vergleich.h"
#include "views/Dateiinfo.h"
#include "views/Statistikfenster.h"
#include "views/Textimport.h"

namespace zaq {

namespace {


constexpr const char* kWochentage[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

const std::string kReservierungsFrage =
    "Achtung:\r\n\r\nDie geöffnete Datei nimmt als aktive Mitgliederliste am Mehrbenutzersystem teil und muss "
    "vor Änderungen ausgespeichert werden.\r\n\r\nLassen Sie deshalb nun die Datei ausspeichern. Führen Sie "
    "dann die gewünschten Änderungen durch speichern Sie die Datei anschließend wieder ein. \r\n\r\nAndernfalls "
    "hat die lokale Version auf Ihrem Rechner einen neueren Stand als die gemeinsame FTP-Liste.\r\n\r\nHiermit "
    "wird die Online-Datei ausgepeichert und zur weiteren Benutzung reserviert.";

std::vector<TTabellenEintrag> TabellenEintraege(const TZAQ& liste) {
  std::vector<TTabellenEintrag> eintraege;
  const auto& vorlagen = liste.FStammdaten.FTabVorlagen;
  TTabellenEintrag trenner;
  trenner.trenner = true;
  eintraege.push_back(trenner);
  for (int i = 0; i < vorlagen.Anzahl(); ++i)
    eintraege.push_back({vorlagen.Element(i).FTitel, "Benutzerdefinierte Tabelle aus Stammdaten", false, true, i});
  const auto programm = Programmvorlagen();
  if (!programm.empty()) eintraege.push_back(trenner);
  for (std::size_t i = 0; i < programm.size(); ++i)
    eintraege.push_back({programm[i].FTitel, "Benutzerdefinierte Tabelle aus Programmeinstellungen", false, false,
                         static_cast<int>(i) + 1});
  return eintraege;
}

bool Enthaelt(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

std::string DatumMitJahren(Tag datum, int jahre) { return DatumText(datum) + " (" + std::to_string(jahre) + ")"; }

std::optional<TBenutzerbild> BildVon(const TBenutzer* b) {
  if (!b) return std::nullopt;
  return TBenutzerbild{b->FBildNr, b->FBild};
}

// Entries of a notes menu: "title (author)" per note, then a separator and the
// entry that creates a new note.
std::vector<TNotizEintrag> NotizEintraege(const TNotizListe& notizen, const std::string& neu) {
  std::vector<TNotizEintrag> eintraege;
  int i = 0;
  for (const auto& n : notizen) {
    const TBenutzer* autor = n->FVerfasser.GetZiel();
    eintraege.push_back({n->FBetreff + " (" + (autor ? autor->FVollerName : n->FVerfasser.FLogin) + ")", false,
                         BildVon(autor), i++});
  }
  if (!eintraege.empty()) eintraege.push_back({"", true, std::nullopt, -1});
  eintraege.push_back({neu, false, std::nullopt, -1});
  return eintraege;
}

}  // namespace

std::string KurzHinweis(std::string_view hinweis) { return std::string(hinweis.substr(0, hinweis.find('|'))); }

std::string LangHinweis(std::string_view hinweis) {
  const auto strich = hinweis.find('|');
  return std::string(strich == std::string_view::npos ? hinweis : hinweis.substr(strich + 1));
}

bool NamePasst(const TMitglied& m, std::string_view text) {
  const std::string muster = GrossVergleich(Trim(text));
  if (muster.empty()) return false;
  if (Zeichenzahl(Trim(text)) == 1) return GrossVergleich(Trim(m.FName)).starts_with(muster);
  // Several blanks between words separate them like one.
  return WorteEnthalten(Einfach(muster, ' '), GrossVergleich(m.NameKomplett()));
}

const char* Name(Anzeige feld) {
#define ZAQ_NAME(name) #name,
  static constexpr const char* namen[] = {ZAQ_ANZEIGEFELDER(ZAQ_NAME)};
#undef ZAQ_NAME
  return namen[static_cast<std::size_t>(feld)];
}

TfrmZAQ::TfrmZAQ() { AktualisiereMenues(); }

TfrmZAQ::~TfrmZAQ() = default;

bool TfrmZAQ::HatRecht(std::uint32_t m1, std::uint32_t m2) const {
  const TZAQ* liste = Liste();
  const TBenutzer* b = liste ? liste->AktuellerBenutzer() : nullptr;
  return b && b->HatRecht(m1, m2);
}

TMitglied* TfrmZAQ::AktuellesMitglied() const {
  const TZAQ* liste = Liste();
  if (!liste) return nullptr;
  TMitglied* m = FAktuell.Get();
  return m && liste->Position(m) > 0 ? m : nullptr;
}

std::uint16_t TfrmZAQ::AktuelleNummer() const {
  const TMitglied* m = AktuellesMitglied();
  return m ? m->FMitgliedsnummer : 0;
}

bool TfrmZAQ::Oeffne(const std::string& ziel) { return plattform::OeffneDokument(ziel); }

bool TfrmZAQ::Ausspeichern() { return FtpAusspeichern(); }

void TfrmZAQ::MenuesNeu() { AktualisiereMenues(); }

void TfrmZAQ::FtpBefehl(int art) {
  const std::uint16_t nummer = AktuelleNummer();
  if (art == 0) FtpAusspeichern();
  else if (art == 1) FtpEinspeichern();
  else FtpHerunterladen();
  // The member shown before, in the list that may have been replaced.
  TZAQ* liste = Liste();
  TMitglied* m = liste ? liste->SucheNummer(nummer) : nullptr;
  AktualisiereBereich();
  ZeigeMitglied(m ? m : (liste ? liste->FMitglieder.Erstes() : nullptr));
  AktualisiereMenues();
}

// --- showing a member ---

void TfrmZAQ::ListeGewechselt() {
  ++FListenwechsel;
  FNamenssuche = false;
  TZAQ* liste = Liste();
  FAktuell.Setze(liste ? liste->FMitglieder.Erstes() : nullptr);
  FPosition = 1;
  AktualisiereBereich();
  AktualisiereAnzeige(true);
  AktualisiereMenues();
}

void TfrmZAQ::ZeigeMitglied(TMitglied* m) {
  FAktuell.Setze(m);
  if (const int p = Liste() ? Liste()->Position(m) : 0) FPosition = p;
  AktualisiereAnzeige(true);
}

bool TfrmZAQ::ZeigeMitgliedNr(std::uint16_t nummer) {
  TMitglied* m = Liste() ? Liste()->SucheNummer(nummer) : nullptr;
  if (!m) return false;
  ZeigeMitglied(m);
  return true;
}

bool TfrmZAQ::ZeigeMitgliedRef(const TMitglied* m) {
  if (!Liste() || !m || Liste()->Position(m) == 0) return false;
  ZeigeMitglied(const_cast<TMitglied*>(m));
  return true;
}

void TfrmZAQ::AktualisiereBereich() {
  const int n = Liste() ? Liste()->AnzahlMitglieder() : 0;
  FBereich = std::max(1, n);
  FGrosserSchritt = n / 10 + 1;
  FTreffer.clear();
  FTrefferOffen = false;
}

std::string TfrmZAQ::Status(int feld) const {
  const TZAQ* liste = Liste();
  switch (feld) {
    case 1:
      return FStatus1;
    case 2: {
      if (!liste) return {};
      const int n = liste->AnzahlMitglieder(), s = liste->AnzahlSelektierte();
      if (n == 1) return "Ein Mitglied";
      if (s == 0) return std::to_string(n) + " Mitglieder";
      return std::to_string(n) + " Mitgl. (" + std::to_string(s) + " Sel.)";
    }
    case 3:
      if (const Bef* b = std::get_if<Bef>(&FHinweisZiel)) return LangHinweis(Hinweis(*b));
      if (const Menue* m = std::get_if<Menue>(&FHinweisZiel)) return LangHinweis(Hinweis(*m));
      return liste ? "Datensatz " + std::to_string(FPosition) : std::string();
    default:
      return {};
  }
}

void TfrmZAQ::FormActivate() {
  const Tag heute = Heute();
  FStatus1 = std::string(kWochentage[((heute % 7) + 13) % 7]) + ", " + DatumText(heute);
  Darstellen();
}

void TfrmZAQ::ZeigeHinweis(THinweisZiel ziel) {
  FHinweisZiel = ziel;
  Darstellen();
}

void TfrmZAQ::FuelleKonto(const TMitgliedskonto* k) {
  const TZAQ& liste = *Liste();
  F(Anzeige::txtKIn).text = k ? k->FInhaber : "";
  F(Anzeige::txtBLZ).text = k ? BLZText(k->FBLZ) : "";
  F(Anzeige::txtKNr).text = k ? KontoText(k->FKontonummer) : "";
  F(Anzeige::txtSepaIBAN).text = k ? IBANText(k->FIBAN) : "";
  F(Anzeige::txtSepaIBAN).rot = k && !k->FIBAN.empty() && IBANCode(k->FIBAN, true) != 0;
  F(Anzeige::txtSepaMand).text = k ? k->FMandatsreferenz : "";
  F(Anzeige::txtSepaDate).text = k && k->FMandatsdatum > 0 ? DatumText(k->FMandatsdatum) : "";
  F(Anzeige::txtEKO).text = k ? liste.FStammdaten.KontoBezeichnung(k->FEmpfaengerKonto.wert) : "";
  F(Anzeige::txtBnk).text = k ? BankText(k->FBLZ, k->FIBAN) : "";
}

void TfrmZAQ::ZahlerSuchen(const TMitglied& m) {
  if (!m.Zahler()) return;
  const TMitglied* x = Liste()->SucheNummer(m.Zahler()->FNummer);
  if (!x) return;
  F(Anzeige::txtZNa).text = x->NameKomplett();
  F(Anzeige::txtZGd).text = DatumMitJahren(x->FGeburtsdatum, x->Alter());
  F(Anzeige::txtZAd).text = x->Adresszeile();
  if (const TMitgliedskonto* k = x->Konto()) {
    F(Anzeige::txtZBa).text = BLZText(k->FBLZ);
    F(Anzeige::txtZKo).text = KontoText(k->FKontonummer);
    F(Anzeige::txtZIb).text = IBANText(k->FIBAN);
    F(Anzeige::txtZEK).text = Liste()->FStammdaten.KontoBezeichnung(k->FEmpfaengerKonto.wert);
  }
}

void TfrmZAQ::NotizAnzeige(const TMitglied& m) {
  const std::string name = m.NameAnzeige();
  FNotizMenue = NotizEintraege(m.FNotizen, "Neue Notiz für " + name + " anlegen");
  const int n = m.FNotizen.Anzahl();
  FNotizAutorZeigen = false;
  if (n == 0) {
    FNotizTimer = false;
    FNotizAutor.reset();
    return;
  }
  FNotizTimer = true;
  FNotizAutor = BildVon(m.FNotizen.Element(n - 1).FVerfasser.GetZiel());
}

void TfrmZAQ::AktualisiereAnzeige(bool voll) {
  TZAQ* liste = Liste();
  TMitglied* m = AktuellesMitglied();
  if (!liste || !m) {
    FFelder.fill(TAnzeigefeld{});
    FNotizTimer = false;
    FNotizMenue.clear();
    Darstellen();
    return;
  }
  // Frames.
  if (m->FAustrittsdatum > 0)
    FRahmen1 = "Persönliche Daten (automatisches Löschen nach dem " + DatumText(m->FAustrittsdatum) + ")";
  else
    FRahmen1 = m->FSelektiert ? "Persönliche Daten (selektiert)" : "Persönliche Daten";
  FRahmen2 = "Beitragsdaten";
  EigenerZustand(Bef::mnuMitglSelekt).markiert = m->FSelektiert;
  EigenerZustand(Bef::befSel).markiert = m->FSelektiert;
  if (!FNamenssuche) cboSucheText = "Nr. " + m->MitgliedsnummerText();

  // Personal data.
  F(Anzeige::txtNNa).text = m->FName;
  F(Anzeige::txtVNa).text = m->FVorname;
  F(Anzeige::txtZus).text = m->FZusatz;
  F(Anzeige::txtTit).text = m->FTitel;
  F(Anzeige::txtGes).text = m->FMaennlich ? "männl." : "weibl.";
  F(Anzeige::txtStr).text = m->FStrasse;
  F(Anzeige::txtPLZ).text = m->FPLZ;
  F(Anzeige::txtOrt).text = m->FOrt;
  F(Anzeige::txtLand).text = m->FLand;
  F(Anzeige::txtTel).text = m->FTelefon;
  F(Anzeige::txtMob).text = m->FMobil;
  F(Anzeige::txtMail).text = m->FEMail;
  F(Anzeige::txtHTTP).text = m->FHomepage;
  const bool homepage = !m->FHomepage.empty();
  SetzeZustand(Bef::befMail, Enthaelt(m->FEMail, '@'));
  SetzeZustand(Bef::befHttp, Enthaelt(m->FHomepage, '.'), homepage);
  F(Anzeige::txtHTTP).sichtbar = homepage;
  F(Anzeige::txtGru).halbeBreite = homepage;
  F(Anzeige::txtGDt).text = DatumMitJahren(m->FGeburtsdatum, m->Alter());
  F(Anzeige::txtEDt).text = DatumMitJahren(m->FEintrittsdatum, m->Mitgliedsjahre());
  F(Anzeige::txtAbt).text = m->FAbteilungen;
  const bool ehrenmitglied = m->FEhrenmitgliedSeit > 0;
  F(Anzeige::txtEMG).text = ehrenmitglied ? DatumText(m->FEhrenmitgliedSeit) : "";
  F(Anzeige::txtEMG).sichtbar = ehrenmitglied;
  F(Anzeige::txtAbt).halbeBreite = ehrenmitglied;
  F(Anzeige::txtEhr).text = std::to_string(m->FEhrung);
  F(Anzeige::txtGru).text = m->GruppenText(false);

  // Fee data.
  F(Anzeige::txtBtrKlasse).text = BeitragsklasseText(*m);
  F(Anzeige::txtBetrag).text = BeitragText(*m, 0, false);
  const bool vorlaeufig = m->FVorlaeufigBezahltBis > 0;
  F(Anzeige::txtZahlDt).text = DatumText(m->FBezahltBis) + (vorlaeufig ? "*" : "");
  F(Anzeige::txtZahlDt).hinweis =
      vorlaeufig ? "Vorläufiges, neues Zahldatum:\r\n" + DatumText(m->FVorlaeufigBezahltBis) + "|" : "";
  FZahlartSeite = m->FZahlart <= zaMitfinanziert ? m->FZahlart : -1;
  FuelleKonto(m->Konto());
  F(Anzeige::txtZNr).text = m->Zahler() ? liste->MitgliedsnummerText(m->Zahler()->FNummer) : "";
  for (Anzeige feld : {Anzeige::txtZNa, Anzeige::txtZGd, Anzeige::txtZAd, Anzeige::txtZBa, Anzeige::txtZKo,
                       Anzeige::txtZIb, Anzeige::txtZEK})
    F(feld).text.clear();

  if (voll) {
    const TBenutzer* aenderer = m->FGeaendertVon.GetZiel();
    F(Anzeige::txtNNa).hinweis = aenderer ? "Letzte Änderung am " + DatumZeitText(m->FGeaendertVon.FZeit) + "\r\n" +
                                         "durch " + aenderer->FVollerName + "|"
                                   : "";
    ZahlerSuchen(*m);
    if (FMitfinSichtbar) ++FMitfinStand;
    NotizAnzeige(*m);
  }
  SetzeZustand(Bef::befZur, m->Vorgaenger() != nullptr);
  SetzeZustand(Bef::mnuMitglVorher, m->Vorgaenger() != nullptr);
  SetzeZustand(Bef::befVor, m->Nachfolger() != nullptr);
  SetzeZustand(Bef::mnuMitglNaechst, m->Nachfolger() != nullptr);
  Darstellen();
}

void TfrmZAQ::AktualisiereMenues() {
  TZAQ* liste = Liste();
  if (!liste) {
    FTitel = kProgrammTitel;
    Darstellen();
    return;
  }
  FAufgaben = NotizEintraege(liste->FNotizen, "Neue Vereinsnotiz anlegen");
  FTabellenMenue = TabellenEintraege(*liste);
  const TFtpDaten& ftp = liste->FFtpDaten;
  const bool aktiv = ftp.IstAktiv(), ausgespeichert = ftp.IstAusgespeichert();
  FTitel = Trim(liste->FBeschreibung).empty()
               ? std::string(kProgrammTitel)
               : "ZAQ - " + liste->FBeschreibung + (ausgespeichert ? " (ausgespeichert)" : "");
  FAusgespeichertFarbe = ausgespeichert;
  FRahmen2Sichtbar = HatRecht(rBeitragsdatenAnzeigen);
  liste->FNurSelektierteAntwort = 0;
  SetzeZustand(Bef::mnuExtrasAustritte, HatRecht(rArchiv), liste->FAustrittsliste);
  SetzeZustand(Bef::mnuExtrasFormulare, aktiv && HatRecht(rFormulareAnzeigen, rFormulareBearbeiten));
  SetzeZustand(Bef::mnuDateiKopieAktualisieren, aktiv && !ausgespeichert);
  SetzeZustand(Bef::mnuDateiAusspeichern, aktiv && HatRecht(rOnline) && !ausgespeichert);
  SetzeZustand(Bef::mnuDateiEinspeichern, aktiv && HatRecht(rOnline) && ausgespeichert);
  Darstellen();
}

// --- navigation ---

void TfrmZAQ::Schreite(bool rueckwaerts) {
  TZAQ* liste = Liste();
  TMitglied* m = AktuellesMitglied();
  if (!liste || !m) return;
  if (liste->AnzahlSelektierte() == 0) {
    TMitglied* n = rueckwaerts ? m->Vorgaenger() : m->Nachfolger();
    if (!n) {
      Meldung("Es ist kein weiterer Datensatz vorhanden.", MeldungsArt::Fehler);
      return;
    }
    ZeigeMitglied(n);
    return;
  }
  int position = FPosition;
  TMitglied* n = liste->NaechsterSelektierter(m, rueckwaerts, position);
  if (!n) {
    Meldung("Es ist kein weiterer Datensatz selektiert.", MeldungsArt::Information);
    return;
  }
  ZeigeMitglied(n);
}

void TfrmZAQ::bldlPosScroll(int position, bool ziehen) {
  TZAQ* liste = Liste();
  TMitglied* m = AktuellesMitglied();
  if (!liste || !m) return;
  TMitglied* ziel = liste->Schritt(m, position - FPosition);
  if (!ziel) {
    FTitel = "Fehler: Mitglieder nicht gefunden";
    Darstellen();
    return;
  }
  FAktuell.Setze(ziel);
  FPosition = liste->Position(ziel);
  AktualisiereAnzeige(!ziehen);
}

bool TfrmZAQ::FormMausrad(int delta, bool nurStrg) {
  TMitglied* m = AktuellesMitglied();
  if (!m || nurStrg || delta == 0) return true;
  if (TMitglied* n = delta < 0 ? m->Vorgaenger() : m->Nachfolger()) ZeigeMitglied(n);
  return true;
}

// --- quick search ---

TMitglied* TfrmZAQ::SucheNameAb(std::string_view text, TMitglied* start) const {
  for (TMitglied* m = start; m; m = m->Nachfolger())
    if (NamePasst(*m, text)) return m;
  return nullptr;
}

TMitglied* TfrmZAQ::SucheName(std::string_view text, bool vonAnfang) const {
  const TZAQ* liste = Liste();
  if (!liste) return nullptr;
  TMitglied* start = vonAnfang ? liste->FMitglieder.Erstes()
                               : (AktuellesMitglied() ? AktuellesMitglied()->Nachfolger() : nullptr);
  return SucheNameAb(text, start);
}

void TfrmZAQ::cboSucheEnter() {
  cboSucheText.clear();
  Darstellen();
}

void TfrmZAQ::cboSucheExit() {
  FNamenssuche = false;
  AktualisiereAnzeige(true);
  FTreffer.clear();
  FTrefferOffen = false;
  Darstellen();
}

SuchTaste SuchtasteFuerText(std::string_view getippt) {
  if (IstBuchstabe(getippt)) return SuchTaste::Buchstabe;
  if (IstZiffer(getippt)) return SuchTaste::Ziffer;
  return SuchTaste::Andere;
}

bool TfrmZAQ::cboSucheTaste(SuchTaste taste) {
  switch (taste) {
    case SuchTaste::Buchstabe:
      if (!FNamenssuche) {
        FNamenssuche = true;
        FTrefferGewaehlt = -1;
      }
      return false;
    case SuchTaste::Ziffer:
      if (FNamenssuche) {
        FNamenssuche = false;
        cboSucheText.clear();
        Darstellen();
      }
      return false;
    case SuchTaste::Escape:
      FNamenssuche = false;
      Darstellen();
      return true;
    case SuchTaste::Enter:
      if (FNamenssuche) return false;
      NummerSuchen();
      return true;
    case SuchTaste::PfeilHoch:
    case SuchTaste::PfeilRunter:
      if (FTrefferOffen) return false;
      FFokusBildlauf = true;
      AktualisiereAnzeige(true);
      return true;
    case SuchTaste::Andere:
      return false;
  }
  return false;
}

void TfrmZAQ::cboSucheAenderung(const std::string& text) {
  cboSucheText = text;
  if (!FNamenssuche || FTrefferGewaehlt >= 0 || text.starts_with("Nr.")) return;
  FTreffer.clear();
  if (TZAQ* liste = Liste()) {
    constexpr std::size_t kHoechstens = 20;  // the drop-down's row count
    for (TMitglied* m = SucheNameAb(text, liste->FMitglieder.Erstes()); m && FTreffer.size() < kHoechstens;
         m = SucheNameAb(text, m->Nachfolger())) {
      TSuchtreffer t{"Nr. " + m->MitgliedsnummerText(), m->Symbol(), m->NameKomplett(), m->FOrt, {}};
      t.mitglied.Setze(m);
      FTreffer.push_back(std::move(t));
    }
  }
  FTrefferOffen = !FTreffer.empty();
  Darstellen();
}

void TfrmZAQ::cboSucheWahl(int i) {
  if (i < 0 || i >= static_cast<int>(FTreffer.size())) return;
  FTrefferGewaehlt = i;
  FTrefferOffen = false;
  cboSucheText = FTreffer[static_cast<std::size_t>(i)].text;
  if (!ZeigeMitgliedRef(FTreffer[static_cast<std::size_t>(i)].mitglied.Get())) Darstellen();
}

void TfrmZAQ::NummerSuchen() {
  TZAQ* liste = Liste();
  if (!liste) return;
  const std::string text = cboSucheText;
  constexpr const char* kKeineZahl = "Die Mitgliedsnummer muß eine ganze Zahl im Bereich von 1 bis 9999 sein.";
  if (!NurZiffern(text)) {
    Meldung(kKeineZahl, MeldungsArt::Fehler);
    return;
  }
  // Leading zeros aside, more than five digits are out of range anyway.
  const std::string ziffern = text.substr(std::min(text.find_first_not_of('0'), text.size()));
  const long wert = ziffern.size() > 6 ? 1000000 : (ziffern.empty() ? 0 : std::stol(ziffern));
  if (wert < 1 || wert > 99999) {
    Meldung("Die Mitgliedsnummer muß im Bereich von 1 bis 99999 liegen.", MeldungsArt::Fehler);
    return;
  }
  // Member numbers have 16 bits: a larger value can be no member's number,
  // and a member cannot be created with it.
  if (wert > 65535) {
    Meldung(kKeineZahl, MeldungsArt::Fehler);
    return;
  }
  const auto nummer = static_cast<std::uint16_t>(wert);
  if (!ZeigeMitgliedNr(nummer)) {
    if (Meldung("Es wurde kein Mitglied mit der angegebenen Nummer gefunden.\r\nWollen Sie ein neues Mitglied mit "
                "dieser Nummer anlegen?",
                MeldungsArt::Frage, Knoepfe::JaNein) == Antwort::Ja) {
      // Adding changes the list: the shared-list guard runs as for "&Hinzufügen...".
      if (liste->PruefeRecht(rMitgliederHinzufuegen) && PruefeReservierung() && HinzufuegenMitglied(*liste, nummer)) {
        AktualisiereBereich();
        Darstellen();
        Meldung("Das Mitglied wurde aufgenommen.\r\n\r\nDer derzeitige Bestand beträgt " +
                    std::to_string(liste->AnzahlMitglieder()) + " Mitglieder.",
                MeldungsArt::Information);
      }
    } else if (const TMitglied* m = AktuellesMitglied()) {
      cboSucheText = "Nr. " + m->MitgliedsnummerText();
    }
  }
  FSucheAuswaehlen = true;
  Darstellen();
}

void TfrmZAQ::NotizTimerTick() {
  if (!FNotizTimer) return;
  FNotizAutorZeigen = !FNotizAutorZeigen;
  Darstellen();
}

// --- guards ---

bool TfrmZAQ::PruefeReservierung() {
  TZAQ* liste = Liste();
  if (!liste) return false;
  const TFtpDaten& ftp = liste->FFtpDaten;
  if (!ftp.IstAktiv() || !HatRecht(rOnline) || ftp.IstAusgespeichert()) return true;
  const Antwort a = Meldung(kReservierungsFrage, MeldungsArt::Frage,
                            HatRecht(rOhneAusspeichern) ? Knoepfe::JaNeinAbbrechen : Knoepfe::OKAbbrechen);
  if (a == Antwort::Nein) return true;
  if (a != Antwort::Ja && a != Antwort::OK) return false;
  if (!liste->PruefeRecht(rJeder)) return false;
  const std::uint16_t nummer = AktuelleNummer();
  const bool ausgespeichert = Ausspeichern();
  Warten().Schliessen();
  AktualisiereBereich();
  TZAQ* jetzt = Liste();
  TMitglied* m = jetzt ? jetzt->SucheNummer(nummer) : nullptr;
  ZeigeMitglied(m ? m : (jetzt ? jetzt->FMitglieder.Erstes() : nullptr));
  AktualisiereMenues();
  return ausgespeichert;
}

bool TfrmZAQ::PruefeMitgliedAktuell() {
  const TMitglied* m = AktuellesMitglied();
  if (!m) return false;
  // The texts are taken now: a check-out replaces the list the member lives in.
  const std::uint16_t nummer = m->FMitgliedsnummer;
  const Tag geburt = m->FGeburtsdatum, eintritt = m->FEintrittsdatum;
  const std::string meldung = "Das Mitglied " + m->NameAnzeige() +
                              " ist in der aktuellen Datenbank nicht mehr unter der alten Mitgliedsnummer " +
                              m->MitgliedsnummerText() + " und mit selbem Geburts- (" + DatumText(geburt) +
                              ") und Eintrittsdatum (" + DatumText(eintritt) +
                              ") vorhanden. Der aktuelle Vorgang wird abgebrochen, " +
                              "suchen Sie das gewünschte Mitglied in der aktualisierten Liste und führen Sie die "
                              "gewünschte Operation dann erneut aus.";
  const std::uint64_t wechsel = FListenwechsel;
  if (!PruefeReservierung()) return false;
  if (wechsel == FListenwechsel) return true;
  const TMitglied* jetzt = AktuellesMitglied();
  if (jetzt && jetzt->FMitgliedsnummer == nummer && jetzt->FGeburtsdatum == geburt &&
      jetzt->FEintrittsdatum == eintritt)
    return true;
  Meldung(meldung, MeldungsArt::Warnung);
  return false;
}

// --- member commands ---

void TfrmZAQ::mnuMitglAendernClick() {
  if (BearbeiteMitglied(*Liste(), *AktuellesMitglied())) AktualisiereAnzeige(true);
}

void TfrmZAQ::Aufgenommen(TMitglied* neu, const std::string& meldung) {
  if (!neu) return;
  AktualisiereBereich();
  ZeigeMitglied(neu);
  Meldung(meldung + "\r\n\r\nDer derzeitige Bestand beträgt " + std::to_string(Liste()->AnzahlMitglieder()) +
              " Mitglieder.",
          MeldungsArt::Information);
}

void TfrmZAQ::mnuMitglHinzuClick() {
  Aufgenommen(HinzufuegenMitglied(*Liste(), 0), "Das Mitglied wurde aufgenommen.");
}

void TfrmZAQ::mnuMitglDuplizierenClick() {
  Aufgenommen(DupliziereMitglied(*Liste(), *AktuellesMitglied()), "Das duplizerte Mitglied wurde aufgenommen.");
}

void TfrmZAQ::mnuMitglEntfernenClick() {
  TZAQ& liste = *Liste();
  if (liste.AnzahlMitglieder() < 2) {
    Meldung("Mindestens ein Datensatz muß vorhanden sein.", MeldungsArt::Warnung);
    return;
  }
  TMitglied* m = AktuellesMitglied();
  if (!LoescheMitglied(liste, m)) {
    AktualisiereAnzeige(true);
    return;
  }
  // The neighbour the removal made current is shown at its own place.
  AktualisiereBereich();
  ZeigeMitglied(m);
}

void TfrmZAQ::mnuMitglMitglnraendernClick() {
  TNummerDialog dialog(*AktuellesMitglied());
  UI().Dialog(dialog);
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuMitglAnredKopierenClick() { AktuellesMitglied()->KopiereInZwischenablage(true); }

void TfrmZAQ::mnuMitglKopierenClick() { AktuellesMitglied()->KopiereInZwischenablage(false); }

void TfrmZAQ::mnuMitglSelektClick() {
  Liste()->SetzeSelektion(*AktuellesMitglied(), !Zustand(Bef::mnuMitglSelekt).markiert);
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuMitglZugSelektClick() {
  TZAQ& liste = *Liste();
  TMitglied* m = AktuellesMitglied();
  for (const auto& x : liste.FMitglieder)
    if (x->FMitgliedsnummer == m->FMitgliedsnummer || (x->Zahler() && x->Zahler()->GetZiel() == m))
      liste.SetzeSelektion(*x, true);
  AktualisiereAnzeige(true);
}

void TfrmZAQ::SetzeMitfinSichtbar(bool sichtbar) {
  if (sichtbar == FMitfinSichtbar) return;
  FMitfinSichtbar = sichtbar;
  EigenerZustand(Bef::mnuMitglMitfin).markiert = sichtbar;
  EigenerZustand(Bef::befMitfin).markiert = sichtbar;
  AktualisiereAnzeige(true);
}

void TfrmZAQ::Sortiere(int nummer) {
  Sortierschluessel schluessel;
  if (!SortierSchluessel(nummer, schluessel)) return;
  const std::uint16_t aktuell = AktuelleNummer();
  SortiereMitglieder(*Liste(), schluessel, 0);
  if (!ZeigeMitgliedNr(aktuell)) AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuDateiDruckereinrichtenClick() { DruckerEinrichten(); }

void TfrmZAQ::mnuExtrasImportClick() {
  TextImportieren(*Liste());
  // Whatever was imported, the view starts again at the first member.
  ZeigeMitglied(Liste()->FMitglieder.Erstes());
}

void TfrmZAQ::mnuExtrasExportClick() { TextExportieren(*Liste()); }

void TfrmZAQ::mnuExtrasBesterhClick() {
  TfrmBestandszaehlung dialog(*Liste());
  UI().Dialog(dialog);
}

void TfrmZAQ::mnuExtrasFreieMGNClick() {
  TfrmFreieNummern dialog(*Liste());
  UI().Dialog(dialog);
}

void TfrmZAQ::Dateivergleich1Click() {
  TZAQ& offen = *Liste();
  std::shared_ptr<TZAQ> andere;
  for (;;) {
    DateiDialog d;
    d.titel = "Datei zum Vergleichen wählen";
    d.filter = {{"Mitgliederverwaltung", "*.zaq"}, {"Sicherungskopien", "*.~aq"}, {"Alle Dateien", "*.*"}};
    d.verzeichnis = offen.Verzeichnis();
    const auto datei = UI().DateiOeffnen(d);
    if (!datei) return;
    if (offen.IstDatei(*datei)) {
      Meldung("Diese Datei ist bereits geöffnet. Geben Sie eine andere Datei an!", MeldungsArt::Fehler);
      continue;
    }
    andere = TZAQ::CreateAusDatei(*datei);
    if (!andere) return;
    break;
  }
  const TVergleich v = VergleicheMitglieder(offen, *andere);
  if (v.abgebrochen) {
    Meldung("Der Dateivergleich wurde abgebrochen und ist nicht vollständig.", MeldungsArt::Information);
    return;
  }
  {
    WartenSchliessen schliessen;
    Warten().ZeigeStatus("Erstelle Tabellen");
    Warten().Fortschritt(1);
    // The other list lives as long as the window of the missing members.
    for (auto& tabelle : Vergleichstabellen(v, offen, *andere)) UI().Fenster(tabelle);
  }
  Meldung(Vergleichsmeldung(v), MeldungsArt::Information);
}

void TfrmZAQ::mnuInfoVereinClick() {
  // The windows that depend on the list: this one and the booking lists open beside it.
  std::vector<std::string> fenster{"ZAQ Mitgliederverwaltung"};
  if (FSEPAOffen && FSepa) fenster.push_back(FSepa->Titel());
  if (FLGVOffen && FLgv) fenster.push_back(FLgv->Titel());
  TfrmDateiInfo dialog(*Liste(), fenster);
  dialog.Drucken = [this] { StammdatenDrucken(*Liste()); };
  UI().Dialog(dialog);
}

void TfrmZAQ::mnuInfoDatensatzClick() {
  if (TMitglied* m = AktuellesMitglied()) {
    TfrmDatensatzInfo dialog(*m);
    UI().Dialog(dialog);
  }
}

void TfrmZAQ::mnuInfoStatistikClick() { UI().Fenster(std::make_shared<TfrmStatistik>(*Liste())); }

void TfrmZAQ::mnuDateiStammdatenDruckenClick() { StammdatenDrucken(*Liste()); }

void TfrmZAQ::mnuMitglMitglDruckenClick() {
  if (TMitglied* m = AktuellesMitglied()) MitgliedDrucken(*Liste(), *m);
}

void TfrmZAQ::mnuLSVZahldatenUebernahmeClick() {
  if (mnuUebernehmeVorlDatenClick(*Liste())) AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuExtrasMassenSEPAClick() {
  ZeigeSepaUmstellung(*Liste());
  AktualisiereAnzeige(true);
}

void TfrmZAQ::mnuSelFragenClick() {
  Liste()->FNurSelektierteAntwort = 0;
  Darstellen();
}

void TfrmZAQ::mnuExtrasMassenSelekLoschenClick() {
  TZAQ& liste = *Liste();
  if (liste.AnzahlSelektierte() == 0) {
    Meldung("Zur Zeit sind keine Mitglieder selektiert.", MeldungsArt::Information);
    return;
  }
  if (Meldung("Wollen Sie wirklich alle selektierten Mitglieder unwiderruflich löschen?.", MeldungsArt::Warnung,
              Knoepfe::JaNein, 2) != Antwort::Ja)
    return;
  if (!liste.PruefeRecht(rMassenaenderung | rMitgliederHinzufuegen) || !PruefeReservierung()) return;
  if (liste.AnzahlSelektierte() == liste.AnzahlMitglieder()) {
    Meldung("Es dürfen nicht alle Mitglieder selektiert sein. Mindestens ein Datensatz muß bestehen bleiben.",
            MeldungsArt::Information);
    return;
  }
  if (LoescheSelektierte(liste) <= 0) {
    AktualisiereAnzeige(true);
    return;
  }
  AktualisiereBereich();
  ZeigeMitglied(liste.FMitglieder.Erstes());
}

// --- other commands ---

void TfrmZAQ::mnuExtrasBenutzerClick() {
  if (!Liste()->Anmelden(false)) return;
  AktualisiereAnzeige(true);
  AktualisiereMenues();
}

void TfrmZAQ::mnuExtrasBankVerzClick() {
  // The account on the payment page: the member's own, or its payer's.
  const TMitglied* m = AktuellesMitglied();
  if (FZahlartSeite == zaMitfinanziert) m = m->Zahler() ? Liste()->SucheNummer(m->Zahler()->FNummer) : nullptr;
  const TMitgliedskonto* k = m && (FZahlartSeite == zaLastschrift || FZahlartSeite == zaMitfinanziert) ? m->Konto() : nullptr;
  TBank* bank = Bankverzeichnis();
  const bool gefunden = k && bank && bank->LadeBank(k->FBLZ, k->FIBAN);
  TBankdatenDialog dialog(gefunden ? bank->BLZ() : "00000000");
  UI().Dialog(dialog);
}

void TfrmZAQ::mnuInfoVersionClick() {
  TTextfenster fenster("Versionsänderungen", Versionsaenderungen());
  UI().Dialog(fenster);
}

void TfrmZAQ::mnuInfoProgrammClick() {
  TTextfenster fenster("Programmausgabe", std::string(kProgrammTitel) + "\r\n" + Ausgabe() + "\r\n");
  UI().Dialog(fenster);
}

void TfrmZAQ::befMailClick() { Oeffne("mailto:" + AktuellesMitglied()->FEMail); }

void TfrmZAQ::befHttpClick() { Oeffne(AktuellesMitglied()->FHomepage); }

void TfrmZAQ::befZWechselClick() {
  const TMitglied* m = AktuellesMitglied();
  if (m->Zahler() && m->Zahler()->FNummer > 0) ZeigeMitgliedNr(m->Zahler()->FNummer);
}

// --- dispatch and command states ---

const TBefehl& TfrmZAQ::SucheBefehl(Bef befehl) {
  // The table in the order of the commands, built once.
  static const auto index = [] {
    std::array<const TBefehl*, kAnzahlBefehle> i{};
    for (const TBefehl& b : Befehle()) i[static_cast<std::size_t>(b.id)] = &b;
    return i;
  }();
  return *index[static_cast<std::size_t>(befehl)];
}

std::optional<Bef> TfrmZAQ::BefehlFuerTaste(std::string_view taste) {
  for (const TBefehl& b : Befehle())
    if (taste == b.taste) return b.id;
  return std::nullopt;
}

bool TfrmZAQ::Befehl(Bef befehl, bool umschalt) {
  const TBefehl& b = SucheBefehl(befehl);
  if (b.wie) return Befehl(umschalt && b.wieUmschalt ? *b.wieUmschalt : *b.wie, false);
  if (!b.verfuegbar || !b.handler) return false;
  TZAQ* liste = Liste();
  if (!b.ohneListe && (!liste || !AktuellesMitglied())) return false;
  if (!b.eigenePruefung) {
    const auto& r = b.rechte;
    if ((r[0] | r[1] | r[2] | r[3]) != 0 && !liste->PruefeRecht(r[0], r[1], r[2], r[3])) return false;
    if (b.R && !PruefeReservierung()) return false;
    if (b.M && !PruefeMitgliedAktuell()) return false;
    // A check-out may have replaced the list.
    if (!b.ohneListe && !AktuellesMitglied()) return false;
  }
  (this->*(b.handler))();
  return true;
}

TBefehlsZustand& TfrmZAQ::EigenerZustand(Bef befehl) {
  auto& z = FZustaende[static_cast<std::size_t>(befehl)];
  if (!z) z.emplace();
  return *z;
}

void TfrmZAQ::SetzeZustand(Bef befehl, bool aktiv, bool sichtbar) {
  TBefehlsZustand& z = EigenerZustand(befehl);
  z.aktiv = aktiv;
  z.sichtbar = sichtbar;
}

TBefehlsZustand TfrmZAQ::Zustand(Bef befehl) const {
  const TBefehl& b = SucheBefehl(befehl);
  const TBefehl& ziel = b.wie ? SucheBefehl(*b.wie) : b;
  TBefehlsZustand z;
  if (b.wie) z = Zustand(*b.wie);
  if (const auto& eigener = FZustaende[static_cast<std::size_t>(befehl)]) z = *eigener;
  const TZAQ* liste = Liste();
  if (befehl == Bef::mnuMitglSuchen) z.markiert = FSuchen.Sichtbar();
  if (befehl == Bef::mnuSelFragen && liste) {
    z.markiert = liste->FNurSelektierteAntwort == 0;
    z.aktiv = !z.markiert;
  }
  z.aktiv = z.aktiv && ziel.verfuegbar && (ziel.ohneListe || liste);
  return z;
}

std::string TfrmZAQ::Hinweis(Bef befehl) const {
  if (befehl == Bef::befNotiz) {
    const TMitglied* m = AktuellesMitglied();
    if (!m) return {};
    const std::string voll = m->NameAnzeige();
    const int n = m->FNotizen.Anzahl();
    if (n == 0) return "Neue Notiz für " + voll + " anlegen.";
    if (n == 1) return "Für " + voll + " ist eine Notiz hinterlegt.";
    return "Für " + voll + " sind " + std::to_string(n) + " Notizen hinterlegt.";
  }
  return SucheBefehl(befehl).hinweis;
}

std::string TfrmZAQ::Hinweis(Menue menue) const {
  for (const TMenue& m : Menues())
    if (m.id == menue) return m.hinweis;
  return {};
}

}  // namespace zaq
