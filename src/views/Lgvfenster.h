#pragma once
// The window "Last- und Gutschriftenverwaltung" (LGV): an older debit or
// credit list one booking at a time, with correcting, adding, deleting,
// finding, sorting, the list's master data, its sums, setting purpose lines
// of every booking at once, printing and saving under another name.  Every
// change reaches the list file at once.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "debits/lgv/Lgv.h"
#include "views/Formularfenster.h"

namespace zaq {

class TZAQ;

// The fields of a booking as the window shows them and the user types them.
struct TLgvFelder {
  std::string Kontoinhaber, BLZ, Kontonummer, Betrag;
  std::array<std::string, kLgvZeilen> Zweck;
  bool operator==(const TLgvFelder&) const = default;
};

// "Buchungsstammdaten" of a debit or credit list.
class TfrmLgvStammdaten : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "LGV-Buchungsstammdaten";
  std::string_view Art() const override { return kArt; }
  TfrmLgvStammdaten(TLGV& liste, const TZAQ& verein);

  std::string FReferenz, FAuftraggeber, FBankname, FBeschreibung, FBLZ, FKonto;
  // "Konto wählen...": bank data of a club account, the club's name.
  void KontoWaehlen();
  // "OK": writes the header; false after the message, nothing written.
  bool OK();

 private:
  TLGV& FListe;
  const TZAQ& FVerein;
};

// "Verwendungszweckfelder und Beträge setzen": "#" keeps a field.
class TfrmLgvMehrfach : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Verwendungszweckfelder und Beträge setzen";
  std::string_view Art() const override { return kArt; }
  static constexpr const char* kAnfuegen = "Verwendungszweckfelder 2 bis 14 an vorhandene Felder anfügen";
  explicit TfrmLgvMehrfach(TLGV& liste);

  std::string FBetrag = "#";
  std::array<std::string, kLgvZeilen> FZeilen;
  bool FAnfuegen = false;
  // "OK": the checks, the question, then every booking; false when nothing
  // was changed.
  bool OK();

 private:
  TLGV& FListe;
};

class TfrmLGV : public TListenformular<TLGV> {
 public:
  static constexpr std::string_view kArt = "Last- und Gutschriftenverwaltung";
  std::string_view Art() const override { return kArt; }
  explicit TfrmLGV(TZAQ& verein);
  TLGV& Liste() { return *FListe; }

  TLgvFelder FFelder;  // as typed; the front end writes here and calls Geaendert()
  // "Lastschriften - [name]", "Gutschriften - [name]".
  std::string Titel() const;
  // "Abbuchungsbetrag" or "Überweisungsbetrag".
  std::string Betragsbeschriftung() const;
  // The list total, "1.234,50 €".
  std::string StatusSumme() const;
  // The bank of the typed bank code in the bank directory.
  std::string Bankname() const;
  // The bank code typed: true when the focus moves on to the account number.
  bool BLZGetippt();
  // Leaving the account number pads it to ten digits.
  void KontoVerlassen();
  // Leaving the amount shows it as "0.00", or refuses it.
  bool BetragVerlassen();

  // "LGV-Datei ö&ffnen...": the dialog, then the list.
  bool OeffnenDialog();
  bool Oeffnen(const std::string& datei);
  bool Speichern() override;
  bool SpeichernUnterDialog();
  bool Buchungsstammdaten();
  // "Datenbank s&ummieren...": the control sums.
  void Summieren();
  bool Mehrfachaenderung();
  bool Drucken();
  void Bankenverzeichnis();

 private:
  void FelderZeigen(int i) override;
  TZAQ* FVerein;
  std::shared_ptr<TZAQ> FHalter;
};

}  // namespace zaq
