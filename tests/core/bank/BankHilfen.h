#pragma once
// Shared pieces of the bank tests: the directory built from the bundled
// Bundesbank file (once per test run), small hand-made directories, and a
// fixture that makes a directory the one of the run.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Hilfen.h"
#include "bank/Bank.h"

namespace zaq::test {

inline const std::string kBundesbankDatei = std::string(ZAQ_QUELLEN) + "/data/bank/blz_20200420.txt";
inline const std::string kIBANRegeln = std::string(ZAQ_QUELLEN) + "/data/bank/iban-regeln.txt";
inline const std::string kBankTestdaten = std::string(ZAQ_TESTDATEN) + "/bank";

// Directory holding ZAQ-BLZ.DAT/.IND built from the bundled files.
const std::string& BundesbankVerzeichnis();

// Writes a directory of these banks (sorted here) into verzeichnis.
void SchreibeVerzeichnis(const std::filesystem::path& verzeichnis, std::vector<Bankdatensatz> banken);

// Rows of a tab-separated file with a header line, as column -> value.
std::vector<std::vector<std::string>> LiesTabelle(const std::string& datei, std::vector<std::string>& kopf);

// The scripted front end and the Bundesbank directory as the one of the run.
class MitBank : public MitOberflaeche {
 private:
  std::unique_ptr<BankverzeichnisSetzen> FSetzen;  // before bank: it provides it

 protected:
  MitBank();
  ~MitBank() override;
  TBank& bank;
};

}  // namespace zaq::test
