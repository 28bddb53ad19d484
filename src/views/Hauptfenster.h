#pragma once
// The main window's logic (TfrmZAQ): the current member shown as display
// fields, navigation, the quick search, the guards before changes, the state
// of every command and the notes indicator.  A front end renders the state
// after each call and forwards every input to the handlers here.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Programm.h"
#include "views/Befehle.h"
#include "lists/Tabelle.h"
#include "views/Einzug.h"
#include "views/Lgvfenster.h"
#include "views/Rechnungen.h"
#include "views/Sortieren.h"

namespace zaq {

// The display fields of the member view, by component name.
#define ZAQ_ANZEIGEFELDER(X)                                                                     \
  /* personal data */                                                                           \
  X(txtNNa) X(txtVNa) X(txtZus) X(txtTit) X(txtGes) X(txtStr) X(txtPLZ) X(txtOrt) X(txtLand)     \
  X(txtTel) X(txtMob) X(txtMail) X(txtHTTP) X(txtGDt) X(txtEDt) X(txtAbt) X(txtEMG) X(txtEhr)    \
  X(txtGru)                                                                                     \
  /* fee data */                                                                                \
  X(txtBtrKlasse) X(txtBetrag) X(txtZahlDt)                                                     \
  /* payment page 1: direct debit */                                                            \
  X(txtKIn) X(txtBLZ) X(txtKNr) X(txtSepaIBAN) X(txtSepaMand) X(txtSepaDate) X(txtEKO) X(txtBnk) \
  /* payment page 2: the payer */                                                               \
  X(txtZNr) X(txtZNa) X(txtZGd) X(txtZAd) X(txtZBa) X(txtZKo) X(txtZIb) X(txtZEK)

#define ZAQ_AUFZAEHLEN(name) name,
enum class Anzeige : std::uint8_t { ZAQ_ANZEIGEFELDER(ZAQ_AUFZAEHLEN) };
#undef ZAQ_AUFZAEHLEN
#define ZAQ_ZAEHLEN(name) +1
inline constexpr std::size_t kAnzahlAnzeigefelder = 0 ZAQ_ANZEIGEFELDER(ZAQ_ZAEHLEN);
#undef ZAQ_ZAEHLEN
const char* Name(Anzeige feld);

// One display field of the member view.
struct TAnzeigefeld {
  std::string text;
  std::string hinweis;  // "short|long"
  bool sichtbar = true;
  bool halbeBreite = false;  // shares its row with the field beside it
  bool rot = false;          // the colour of an IBAN that fails its check
};

// A user's picture: a built-in one by number, or the user's own JPEG.
struct TBenutzerbild {
  std::uint8_t nummer = 0;
  Bytes jpeg;  // FBildNr 255
  bool operator==(const TBenutzerbild&) const = default;
};

// An entry of a menu built from notes (tasks menu, notes pop-up).
struct TNotizEintrag {
  std::string text;
  bool trenner = false;
  std::optional<TBenutzerbild> bild;
  int notiz = -1;  // index of the note; -1 = "new note"
};

// An entry of the Tables menu after its fixed commands: a club template
// (from the master data) or a program template (from the settings file).
struct TTabellenEintrag {
  std::string text;
  std::string hinweis;
  bool trenner = false;
  bool verein = true;  // else a program template
  int index = -1;      // in the club's templates, or the program template's number from 1
  bool operator==(const TTabellenEintrag&) const = default;
};

// An entry of the quick search's drop-down list.
struct TSuchtreffer {
  std::string text;  // "Nr. " + member number text
  Statussymbol symbol;
  std::string name;  // list name
  std::string ort;
  Zwischenspeicher<TMitglied> mitglied;
};

// Keys the quick search reacts to.
enum class SuchTaste { Buchstabe, Ziffer, Escape, Enter, PfeilHoch, PfeilRunter, Andere };
// A key that types this text: a letter (umlauts and every other letter
// included), a digit, or another key.
SuchTaste SuchtasteFuerText(std::string_view getippt);

// Dialogs the main window shows besides those of the list operations.
class TTextfenster : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Textfenster";
  std::string_view Art() const override { return kArt; }
  TTextfenster(std::string titel, std::string text) : FTitel(std::move(titel)), FText(std::move(text)) {}
  std::string FTitel;
  std::string FText;  // lines end with "\r\n"
};

// The bank directory viewer, at a bank code or "00000000" for none.
class TBankdatenDialog : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Bankdaten anzeigen";
  std::string_view Art() const override { return kArt; }
  explicit TBankdatenDialog(std::string blz) : FBLZ(std::move(blz)) {}
  std::string FBLZ;
};

inline constexpr const char* kProgrammTitel = "ZAQ Mitgliederverwaltung";
inline constexpr const char* kRechnungText = "Mitglied zahlt den Beitrag per Rechnung";
// Window background while the shared list is checked out (Windows colour 15785936).
inline constexpr std::uint32_t kFarbeAusgespeichert = 0xF0DFD0;

class TfrmZAQ : public TProgramm {
 public:
  TfrmZAQ();
  ~TfrmZAQ() override;

  // --- operations other windows use ---
  // Makes the member current at its place in the list and refreshes fully.
  void ZeigeMitglied(TMitglied* mitglied);
  bool ZeigeMitgliedNr(std::uint16_t nummer);
  bool ZeigeMitgliedRef(const TMitglied* mitglied);
  // Name search from the list start or from the member after the current one.
  TMitglied* SucheName(std::string_view text, bool vonAnfang) const;
  void AktualisiereAnzeige(bool voll);
  void AktualisiereBereich();
  void AktualisiereMenues();
  bool PruefeReservierung();
  bool PruefeMitgliedAktuell();
  TMitglied* AktuellesMitglied() const;
  std::uint16_t AktuelleNummer() const;
  int AktuellePosition() const { return FPosition; }

  // --- window events ---
  void FormActivate();
  // The pointer rests on a command or menu, or on neither.
  void ZeigeHinweis(THinweisZiel ziel);
  // Scroll bar moved to a position; ziehen while the thumb is dragged.
  void bldlPosScroll(int position, bool ziehen);
  // Mouse wheel: delta > 0 away from the user.  Always consumed.
  bool FormMausrad(int delta, bool nurStrg);
  void cboSucheEnter();
  void cboSucheExit();
  // True when the key is swallowed.
  bool cboSucheTaste(SuchTaste taste);
  // The user changed the box text.
  void cboSucheAenderung(const std::string& text);
  void cboSucheWahl(int index);
  void NotizTimerTick();

  // --- commands ---
  static std::span<const TMenue> Menues();
  static std::span<const TBefehl> Befehle();
  static const TBefehl& SucheBefehl(Bef befehl);
  // The command a key runs ("PgUp", "F5"), or none.  Page Up and Page Down
  // step through the members whatever has the focus, so front ends hand
  // them here before any field sees them.
  static std::optional<Bef> BefehlFuerTaste(std::string_view taste);
  // Runs a command with its rights check and guards; false when it did not run.
  bool Befehl(Bef befehl, bool umschalt = false);
  TBefehlsZustand Zustand(Bef befehl) const;
  // The hint of a command or menu as it currently reads.
  std::string Hinweis(Bef befehl) const;
  std::string Hinweis(Menue menue) const;

  // --- the view ---
  const TAnzeigefeld& Feld(Anzeige feld) const { return FFelder[static_cast<std::size_t>(feld)]; }
  // Status line fields 1 to 3.
  std::string Status(int feld) const;
  std::string FTitel = kProgrammTitel;
  bool FAusgespeichertFarbe = false;
  std::string FRahmen1 = "Persönliche Daten";
  std::string FRahmen2 = "Beitragsdaten";
  bool FRahmen2Sichtbar = true;
  int FZahlartSeite = 0;  // -1 for a payment kind without page
  // Scroll bar.
  int FBereich = 1;
  int FGrosserSchritt = 1;
  // Quick search.
  std::string cboSucheText = "Suche...";
  bool FNamenssuche = false;
  std::vector<TSuchtreffer> FTreffer;
  bool FTrefferOffen = false;
  int FTrefferGewaehlt = -1;
  bool FSucheAuswaehlen = false;  // the front end selects the box text, then clears it
  bool FFokusBildlauf = false;    // the front end focuses the scroll bar, then clears it
  // Notes indicator.
  std::vector<TNotizEintrag> FNotizMenue;
  bool FNotizTimer = false;
  bool FNotizAutorZeigen = false;  // the button shows the author's picture, else the note picture
  std::optional<TBenutzerbild> FNotizAutor;
  // Tasks menu.
  std::vector<TNotizEintrag> FAufgaben;
  // The user-defined tables of the Tables menu, rebuilt with the menus.
  std::vector<TTabellenEintrag> FTabellenMenue;
  void TabellenMenueWahl(int eintrag);
  // A table window's "Mitglied aufrufen": the row's member becomes current
  // when it is an active member of the open list.
  bool ZeigeTabellenMitglied(const TTabelle& tabelle, int oben, int unten);
  // The SEPA window with the list a run made; one at a time.
  std::shared_ptr<TfrmSEPA> SepaFenster() const { return FSepa; }
  // While the SEPA window is shown the fee menu is hidden and "SE&PA"
  // brings the window back.
  bool MenueSichtbar(Menue menue) const;
  void mnuSEPAWechselClick();
  // The LGV window, while a list is open in it; "&LGV" brings it back.
  std::shared_ptr<TfrmLGV> LgvFenster() const { return FLgv; }
  void mnuLGVWechselClick();
  void mnuLSVLGVOeffnenClick();
  // The fee check window, while it is open.
  std::shared_ptr<TfrmBeitragspruefung> FBeitragspruefung;
  // Co-financing window: shown, and a count that grows with every full
  // refresh while it is shown (the front end refills it then).
  bool FMitfinSichtbar = false;
  std::uint64_t FMitfinStand = 0;
  // The co-financing window was opened or closed (also by its own frame).
  void SetzeMitfinSichtbar(bool sichtbar);
  // The search window "Mitglied suchen".
  TfrmZAQSuchen& Suchfenster() { return FSuchen; }
  // Sorts by the keys of sort command nummer (10 "nach Nachname" ... 41;
  // 0 asks in the extended dialog) and shows the member current before.
  void Sortiere(int nummer);

 protected:
  void ListeGewechselt() override;
  // The state changed: the front end renders it.
  virtual void Darstellen() {}
  // "&Beenden": the front end closes the window (which asks FormCloseQuery).
  virtual void Schliessen() {}
  // Hands a document, link or "mailto:" to the desktop.
  virtual bool Oeffne(const std::string& ziel);
  // Check-out of the shared list (tests replace it).
  virtual bool Ausspeichern();
  void MenuesNeu() override;

 private:
  bool HatRecht(std::uint32_t m1, std::uint32_t m2 = 0) const;
  TAnzeigefeld& F(Anzeige feld) { return FFelder[static_cast<std::size_t>(feld)]; }
  // The state a refresh sets; a command without one shows the state of the command it acts as.
  TBefehlsZustand& EigenerZustand(Bef befehl);
  void SetzeZustand(Bef befehl, bool aktiv, bool sichtbar = true);
  void Schreite(bool rueckwaerts);
  TMitglied* SucheNameAb(std::string_view text, TMitglied* start) const;
  void NummerSuchen();
  void FuelleKonto(const TMitgliedskonto* konto);
  void ZahlerSuchen(const TMitglied& m);
  void NotizAnzeige(const TMitglied& m);
  void Aufgenommen(TMitglied* neu, const std::string& meldung);

  // Handlers named in the command table.
  void mnuDateiNeuClick() { TProgramm::mnuDateiNeuClick(); }
  void mnuDateiOeffnenClick() { TProgramm::mnuDateiOeffnenClick(); }
  void mnuDateiSpeichernUnterClick() { TProgramm::mnuDateiSpeichernUnterClick(); }
  void mnuDateiKopieErstellenClick() { TProgramm::mnuDateiKopieErstellenClick(); }
  void mnuDateiBeendenClick() { Schliessen(); }
  // 0 check-out, 1 check-in, 2 download.
  void FtpBefehl(int art);
  void mnuDateiAusspeichernClick() { FtpBefehl(0); }
  void mnuDateiEinspeichernClick() { FtpBefehl(1); }
  void mnuDateiKopieAktualisierenClick() { FtpBefehl(2); }
  void mnuMitglVorherClick() { Schreite(true); }
  void mnuMitglNchstesClick() { Schreite(false); }
  void mnuMitglAendernClick();
  void mnuMitglHinzuClick();
  void mnuMitglDuplizierenClick();
  void mnuMitglEntfernenClick();
  void mnuMitglMitglnraendernClick();
  void mnuMitglAnredKopierenClick();
  void mnuMitglKopierenClick();
  void mnuMitglSelektClick();
  void mnuMitglMitfinClick() { SetzeMitfinSichtbar(!FMitfinSichtbar); }
  void mnuMitglSuchenClick() { FSuchen.SetzeSichtbar(!FSuchen.Sichtbar()); }
  void mnuSortNameClick() { Sortiere(10); }
  void mnuSortVornameClick() { Sortiere(11); }
  void mnuSortAdresseClick() { Sortiere(12); }
  void mnuSortGebtagClick() { Sortiere(20); }
  void mnuSortGebDatClick() { Sortiere(21); }
  void mnuSortAlterClick() { Sortiere(22); }
  void mnuSortEintrittClick() { Sortiere(30); }
  void mnuSortMitglClick() { Sortiere(31); }
  void mnuSortAustrittClick() { Sortiere(32); }
  void mnuSortMNrClick() { Sortiere(40); }
  void mnuSortAenderungClick() { Sortiere(41); }
  void mnuSortErweitertClick() { Sortiere(0); }
  void mnuLSVZahldatenUebernahmeClick();
  void mnuExtrasMassenSEPAClick();
  void mnuExtrasImportClick();
  void mnuExtrasBesterhClick();
  void mnuExtrasFreieMGNClick();
  void mnuInfoStatistikClick();
  void mnuInfoVereinClick();
  void Dateivergleich1Click();
  void mnuInfoDatensatzClick();
  void mnuExtrasExportClick();
  void mnuMitglZugSelektClick();
  void mnuSelFragenClick();
  void StandardTabelle(int n, bool fragen);
  void mnuTabPersClick() { StandardTabelle(0, true); }
  void mnuTabVereinClick() { StandardTabelle(1, true); }
  void mnuTabBeitrClick() { StandardTabelle(2, true); }
  void mnuTabBestandClick() { StandardTabelle(3, true); }
  void mnuTabGebTagClick() { StandardTabelle(6, false); }
  void mnuTabEhrungenClick();
  void mnuTabEMGClick() { StandardTabelle(7, false); }
  void mnuTabGeloeschteClick() { StandardTabelle(8, false); }
  void mnuExtrasAustritteClick();
  void mnuSelGesamtClick();
  void mnuSelEinzelClick();
  void mnuSelUmkClick();
  void mnuSelAufhebenClick();
  void mnuSelSpeichernClick();
  void mnuSelLadenClick();
  void mnuSelStatusClick();
  void mnuLSVTestlaufClick();
  void mnuDateiDruckereinrichtenClick();
  void mnuDateiStammdatenDruckenClick();
  void mnuMitglMitglDruckenClick();
  void mnuLSVOeffnenClick();
  void mnuLSVNeuClick();
  void AlleMitgliedsbeitrgeberprfen1Click();
  void mnuLSVRechnungenClick();
  void mnuLSVBeitraegeClick() { Einziehen(false); }
  void mnuLSVSonderbuchungenClick() { Einziehen(true); }
  void Einziehen(bool sonder);
  // The SEPA window for a new list: the open list, if any, is closed first.
  TfrmSEPA& NeuesSepaFenster();
  void ZeigeSepa(const TSammelErgebnis& e);
  void ZeigeSepa();
  void mnuExtrasMassenSelekLoschenClick();
  void mnuExtrasBenutzerClick();
  void mnuExtrasBankVerzClick();
  void mnuInfoVersionClick();
  void mnuInfoProgrammClick();
  void befMailClick();
  void befHttpClick();
  void befZWechselClick();

  std::shared_ptr<TfrmSEPA> FSepa;
  std::shared_ptr<TfrmLGV> FLgv;
  Zwischenspeicher<TMitglied> FAktuell;
  TfrmZAQSuchen FSuchen{*this};
  int FPosition = 1;
  THinweisZiel FHinweisZiel;  // command or menu under the pointer
  std::string FStatus1;
  std::array<TAnzeigefeld, kAnzahlAnzeigefelder> FFelder;
  std::array<std::optional<TBefehlsZustand>, kAnzahlBefehle> FZustaende;
  std::uint64_t FListenwechsel = 0;
};

// The quick search's name match: the text trimmed and upper-cased; one
// character matches the start of the surname, more match when every word
// occurs in the upper-cased list name.
bool NamePasst(const TMitglied& mitglied, std::string_view text);

// The text of the version history window.
std::string Versionsaenderungen();

}  // namespace zaq
