#pragma once
// The SEPA window "SEPA-Lastschriftenverwaltung SLV": the open booking list
// one booking at a time, with editing, adding, deleting, finding, sorting,
// the list's master data, bookings from members, the check and the XML
// export.  Every change reaches the list file at once; the window keeps only
// the fields being typed, and asks before it leaves them unsaved.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/Datum.h"
#include "debits/sepa/Buchungsliste.h"
#include "interaction/Oberflaeche.h"
#include "views/Formularfenster.h"

namespace zaq {

class TMitglied;
class TTabelle;
class TZAQ;

// The fields of a booking as the window shows them and the user types them.
struct TBuchungsfelder {
  std::string Kontoinhaber, IBAN, Mandatsreferenz, Betrag, Mandatsdatum, Kundenreferenz, Verwendungszweck;
  bool operator==(const TBuchungsfelder&) const = default;
};

// A field's name in messages and the most characters it takes.
struct TFeldgrenze {
  std::string_view name;
  std::size_t laenge;
};
inline constexpr TFeldgrenze kKontoinhaberFeld{"Kontoinhaber", 35}, kIBANFeld{"IBAN", 42},
    kMandatsreferenzFeld{"Mandatsreferenz", 35}, kBetragFeld{"Betrag", 10}, kMandatsdatumFeld{"Mandatsdatum", 13},
    kKundenreferenzFeld{"Kundenreferenz", 35}, kVerwendungszweckFeld{"Verwendungszweck", 140};

// The amount of a booking as typed, in cents; none after its message.  The
// list stores 32-bit floats, which lose cents from 131.072 € on, so such
// amounts and a third decimal are refused.
std::optional<std::int64_t> LeseBuchungsbetrag(std::string_view text);
// "12,50": two decimals, decimal comma, no thousands separator.
std::string BuchungsbetragText(std::int64_t cent);

// "Buchungsstammdaten": the list's header.
class TfrmBuchungsstammdaten : public DialogDaten {
 public:
  static constexpr std::string_view kArt = "Buchungsstammdaten";
  std::string_view Art() const override { return kArt; }
  static constexpr TFeldgrenze kBeschreibungFeld{"Dateibeschreibung", 54}, kDatumFeld{"Abbuchungsdatum", 13},
      kSchluesselFeld{"Kontoschluessel", 5};

  TfrmBuchungsstammdaten(TSepa& liste, const TZAQ& verein);

  // The fields.
  std::string FBeschreibung;
  std::string FDatum;
  std::uint8_t FSequenz = 0;  // 0 "Einmalige Lastschriften", 2 "Wiederkehrende Lastschriften"
  std::string FSchluessel;    // upper case

  // The linked club account, read only: "Verknüpfung: " + its description,
  // creditor name, IBAN in groups, bank name, creditor identifier.
  std::string Verknuepfung() const;
  std::string Glaeubiger() const;
  std::string IBAN() const;
  std::string Bank() const;
  std::string GlaeubigerID() const;
  // "Konto wählen...": the key chooser of the club accounts.
  void KontoWaehlen();
  // "OK": writes the header; false after the message, nothing written.
  bool OK();

 private:
  TSepa& FListe;
  const TZAQ& FVerein;
};

class TfrmSEPA : public TListenformular<TSepa> {
 public:
  static constexpr std::string_view kArt = "SEPA-Lastschriften";
  std::string_view Art() const override { return kArt; }
  explicit TfrmSEPA(TZAQ& verein);
  TSepa& Liste() { return *FListe; }
  TZAQ& Verein() { return *FVerein; }
  // The findings table of the run that made the list, kept beside it.
  std::shared_ptr<TTabelle> FBefunde;

  // --- what the window shows ---
  TBuchungsfelder FFelder;  // as typed; the front end writes here and calls Geaendert()
  // "SEPA-Lastschriften - [name]".
  std::string Titel() const;
  // The bank of the typed IBAN in the bank directory, and whether the IBAN's
  // check fails (shown in red).
  std::string Bankname() const;
  bool IBANRot() const;
  // "Verwendungszweck (n/140 Zeichen)".
  std::string ZweckBeschriftung() const;
  // The date "ddd, dd.mm.yyyy" and the list total.
  std::string StatusDatum(Tag heute) const;
  std::string StatusSumme() const;
  // The member shown in the main window, for "Angezeigtes Mitglied aus ZAQ einfügen...".
  std::function<TMitglied*()> AktuellesMitglied;

  // --- entry points ---
  // After a run made the list: show it from its first booking.
  void ZeigeListe(int i = 1);
  // "Öffnen...": the dialog, then the list; the open list stays when the
  // chosen file cannot be opened.
  bool OeffnenDialog();
  bool Oeffnen(const std::string& datei);
  // "&Neu...": a new list with one default booking.
  bool Neu();

  // --- the window's commands ---
  // "Speichern": false after the message.
  bool Speichern() override;
  // "Mitglied per Nummer aus ZAQ einfügen...": asks until it succeeds or is
  // cancelled.  MitgliedEinfuegen is one attempt with the number text.
  bool MitgliedPerNummer();
  bool MitgliedEinfuegen(std::string_view nummer);
  bool AngezeigtesMitgliedEinfuegen();
  // "&Speichern unter...".
  bool SpeichernUnterDialog();
  // "Buchungsstammdaten...": the dialog; true when the header was written.
  bool Buchungsstammdaten();
  // "&Bankverbindungen prüfen...": the findings table, or "Die Datenbank
  // ist in Ordnung!".
  bool BankverbindungenPruefen();
  // "XML-Datei erzeugen...": the check, the save dialog (its file type
  // chooses the schema), the note for version 29, the export.
  bool XmlErzeugen();
  // "&Drucken...": the print dialog "Buchungen ausdrucken", then the printout.
  bool Drucken();
  // "B&ankenverzeichnis...": the bank directory at the bank of the shown IBAN.
  void Bankenverzeichnis();

 private:
  void FelderZeigen(int i) override;
  TZAQ* FVerein;
  std::shared_ptr<TZAQ> FHalter;
};

// Creates the booking list a run makes, its file chosen in the save dialog
// "SEPA-Lastschriften anlegen" (asked again when it cannot be created);
// false when cancelled.
bool NeueListeAnlegen(TSepa& liste, const std::string& vorschlag, const std::string& verzeichnis);

}  // namespace zaq
