#pragma once
// zaq-cli's bank commands: building the bank directory, showing a bank,
// checking an account number.
#include <ostream>
#include <string>

namespace zaq::cli {

// blz-import DATEI VERZ [--iban-regeln DATEI]: 0 written, 1 failed.
int BLZImport(const std::string& datei, const std::string& verzeichnis, const std::string& regeln,
              std::ostream& aus);
// bank BLZ: 0 found, 1 unknown or no directory, 2 no bank code.
int BankZeigen(const std::string& blz, std::ostream& aus);
// konto BLZ KONTO: 0 valid, 1 invalid, 2 malformed input, 3 not checkable
// (method not implemented or undecided, bank unknown, no directory).
int KontoPruefen(const std::string& blz, const std::string& konto, std::ostream& aus);

}  // namespace zaq::cli
