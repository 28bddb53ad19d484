#pragma once
// The bank data viewer ("Bankdaten anzeigen"): a bank code field, "Suchen",
// and the directory's data of the bank found.  Front ends render the fields
// and call the handlers.
#include <string>

namespace zaq {

class TfrmBankdaten {
 public:
  static constexpr const char* kTitel = "Bankdaten anzeigen";
  static constexpr const char* kBLZBeschriftung = "Bankleitzahl:";
  static constexpr const char* kBezeichnungBeschriftung = "Bezeichnung:";
  static constexpr const char* kSitzBeschriftung = "Sitz der Bank:";
  static constexpr const char* kKurzbezeichnungBeschriftung = "Kurzbezeichnung:";
  static constexpr const char* kBICBeschriftung = "BIC:";
  static constexpr const char* kVerfahrenBeschriftung = "Prüfziffernverfahren:";
  static constexpr const char* kIBANRegelBeschriftung = "IBAN-Regel:";

  // blz: the bank code to show, "00000000" when none is known.
  explicit TfrmBankdaten(const std::string& blz = "00000000");

  // When shown: a known bank code is looked up at once.
  void FormShow();
  // "Suchen": looks up the entered bank code (blanks do not count).
  void befSuchenClick();

  std::string txtBLZ;  // the bank code field
  std::string txtBezeichnung, txtSitz, txtKurzbezeichnung, txtBIC, txtVerfahren, txtIBANRegel;
  // Set after each search: the front end selects the bank code field's text
  // and gives it the focus, then clears the flag.
  bool FBLZAuswaehlen = false;

 private:
  void Leeren();
};

}  // namespace zaq
