#pragma once
// zaq-cli's bank commands: building the bank directory, showing a bank,
// checking an account number, computing and checking an IBAN.
#include <memory>
#include <ostream>
#include <string>

#include "bank/Bank.h"

namespace zaq::cli {

// The directory of the program directory, as the program itself uses it,
// for the life of one command.
class Befehlsverzeichnis {
 public:
  Befehlsverzeichnis() : FSetzen(Lade()) {}
  // The bank of the code, or none after the message.
  TBank* Bank(const std::string& blz);

 private:
  static std::unique_ptr<TBank> Lade();
  BankverzeichnisSetzen FSetzen;
};

// blz-import DATEI VERZ [--iban-regeln DATEI]: 0 written, 1 failed.
int BLZImport(const std::string& datei, const std::string& verzeichnis, const std::string& regeln,
              std::ostream& aus);
// bank BLZ: 0 found, 1 unknown or no directory, 2 no bank code.
int BankZeigen(const std::string& blz, std::ostream& aus);
// konto BLZ KONTO: 0 valid, 1 invalid, 2 malformed input, 3 not checkable
// (method not implemented or undecided, bank unknown, no directory).
int KontoPruefen(const std::string& blz, const std::string& konto, std::ostream& aus);
// iban BLZ KONTO: 0 computed, 1 no IBAN (bank unknown, another IBAN rule, no
// directory), 2 malformed input.
int IBANBerechnen(const std::string& blz, const std::string& konto, std::ostream& aus);
// iban-pruefen IBAN: 0 valid, 1 invalid.
int IBANPruefen(const std::string& iban, std::ostream& aus);

}  // namespace zaq::cli
