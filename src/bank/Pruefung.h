#pragma once
// Checking German bank connections: the Bundesbank's account check-digit
// methods, the IBAN check digits (ISO 7064 MOD 97-10) and the computation of
// a German IBAN from bank code and account number.
#include <string>
#include <string_view>

namespace zaq {

// Result codes of PruefeBankverbindung.
enum Bankpruefung : int {
  bpGueltig = 0,
  bpLeer = 1,
  bpKontoOhneBLZ = 11,
  bpBLZLaenge = 12,
  bpBLZZeichen = 13,
  bpBLZUnbekannt = 14,
  bpBLZOhneKonto = 21,
  bpKontoLaenge = 22,
  bpKontoZeichen = 23,
  bpKeinVerfahren = 24,
  bpKontoFalsch = 25,
  bpIBANFehlt = 31,
  bpIBANForm = 32,
  bpIBANPruefziffer = 33,
};

// Results of PruefeKonto.
inline constexpr int kKontoUngueltig = 0;
inline constexpr int kKontoGueltig = 1;
inline constexpr int kKontoNichtPruefbar = 2;

// Checks 10 account digits with a method of the directory's numbering.
// A method that is not implemented, like one that cannot decide, gives 2;
// anything but exactly 10 digits gives 0.
int PruefeKonto(int verfahren, std::string_view konto);

// 0, or 31 / 32 / 33.  The text is taken as it is (no blanks removed).
int IBANCode(std::string_view iban, bool mitPruefziffer = true);

// The whole check of bank code, account number and IBAN against the
// directory of the run.  Never shows a message.
int PruefeBankverbindung(std::string_view blz, std::string_view konto, std::string_view iban);

// The message of a result code of PruefeBankverbindung; for the codes of
// IstPruefungsfrage it is a question whether to use the data anyway.
std::string Pruefungstext(int code, std::string_view konto, std::string_view iban);
bool IstPruefungsfrage(int code);

// The interactive check: true when the caller may store the data (after a
// Yes where a question was asked), false after a refusal with its message.
bool PruefeMitMeldung(std::string_view blz, std::string_view konto, bool leerErlaubt, std::string_view iban);
bool PruefeIBANMitMeldung(std::string_view iban, bool leerErlaubt);
// The same for a connection of bank code and account number only, as the
// lists from before SEPA hold them.
bool PruefeKontoMitMeldung(std::string_view blz, std::string_view konto, bool leerErlaubt);

// The IBAN of an account at a bank whose IBAN rule is the standard one.
// Fails for an unknown bank code, for every other rule (the bank may then
// use a different account number or bank code in its IBANs), and for input
// that is not 8 and 10 digits.
bool BerechneIBAN(std::string_view blz, std::string_view konto, std::string& iban);

}  // namespace zaq
