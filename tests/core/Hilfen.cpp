#include "Hilfen.h"

#include <fstream>
#include <random>

#include "store/Benutzer.h"

namespace zaq::test {

TempVerzeichnis::TempVerzeichnis() {
  std::random_device zufall;
  FPfad = std::filesystem::temp_directory_path() /
          ("zaq-test-" + std::to_string(::getpid()) + "-" + std::to_string(zufall()));
  std::filesystem::create_directories(FPfad);
}

TempVerzeichnis::~TempVerzeichnis() {
  std::error_code fehler;
  std::filesystem::remove_all(FPfad, fehler);
}

plattform::Bytes Lies(const std::string& datei) {
  plattform::Bytes inhalt;
  EXPECT_TRUE(plattform::LeseDatei(datei, inhalt)) << datei;
  return inhalt;
}

void Schreibe(const std::string& datei, const plattform::Bytes& inhalt) {
  std::ofstream aus(datei, std::ios::binary);
  aus.write(reinterpret_cast<const char*>(inhalt.data()), static_cast<std::streamsize>(inhalt.size()));
}

void Schreibe(const std::string& datei, const std::string& inhalt) {
  Schreibe(datei, plattform::Bytes(inhalt.begin(), inhalt.end()));
}

MitOberflaeche::MitOberflaeche() {
  SetzeEinstellungsVerzeichnis(dir.Pfad().string());
  Warten().Schliessen();
}

MitOberflaeche::~MitOberflaeche() {
  Warten().Schliessen();
  SetzeEinstellungsVerzeichnis("");
}

}  // namespace zaq::test
