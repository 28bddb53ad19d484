#include "BankHilfen.h"

#include <algorithm>
#include <fstream>

#include "bank/BLZImport.h"
#include "platform/Plattform.h"

namespace zaq::test {

const std::string& BundesbankVerzeichnis() {
  static TempVerzeichnis verzeichnis;
  static const std::string pfad = [] {
    BLZImportBericht bericht;
    bool ok = ErzeugeBLZVerzeichnis(kBundesbankDatei, verzeichnis.Pfad().string(), kIBANRegeln, bericht);
    EXPECT_TRUE(ok);
    return verzeichnis.Pfad().string();
  }();
  return pfad;
}

void SchreibeVerzeichnis(const std::filesystem::path& verzeichnis, std::vector<Bankdatensatz> banken) {
  std::sort(banken.begin(), banken.end(), [](const auto& a, const auto& b) { return a.FBLZ < b.FBLZ; });
  Schreibe((verzeichnis / kBLZDatei).string(), BLZDatenDatei(banken));
  Schreibe((verzeichnis / kBLZIndex).string(), BLZIndexDatei(banken));
}

std::vector<std::vector<std::string>> LiesTabelle(const std::string& datei, std::vector<std::string>& kopf) {
  std::ifstream ein(datei);
  EXPECT_TRUE(ein) << datei;
  std::vector<std::vector<std::string>> zeilen;
  std::string zeile;
  bool erste = true;
  while (std::getline(ein, zeile)) {
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    if (zeile.empty()) continue;
    std::vector<std::string> felder;
    std::size_t a = 0;
    while (true) {
      std::size_t e = zeile.find('\t', a);
      felder.push_back(zeile.substr(a, e == std::string::npos ? std::string::npos : e - a));
      if (e == std::string::npos) break;
      a = e + 1;
    }
    if (erste) kopf = felder;
    else {
      felder.resize(kopf.size());
      zeilen.push_back(felder);
    }
    erste = false;
  }
  return zeilen;
}

MitBank::MitBank()
    : FSetzen(std::make_unique<BankverzeichnisSetzen>(std::make_unique<TBank>(BundesbankVerzeichnis()))),
      bank(*Bankverzeichnis()) {}

MitBank::~MitBank() = default;

}  // namespace zaq::test
