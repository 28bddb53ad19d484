#pragma once
// Shared pieces of the core tests: a temporary directory that also holds the
// settings file, and the scripted front end installed for the test's life.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "interaction/Einstellungen.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "support/SkriptOberflaeche.h"

namespace zaq::test {

class TempVerzeichnis {
 public:
  TempVerzeichnis();
  ~TempVerzeichnis();
  TempVerzeichnis(const TempVerzeichnis&) = delete;
  TempVerzeichnis& operator=(const TempVerzeichnis&) = delete;
  const std::filesystem::path& Pfad() const { return FPfad; }
  std::string operator/(const std::string& name) const { return (FPfad / name).string(); }

 private:
  std::filesystem::path FPfad;
};

plattform::Bytes Lies(const std::string& datei);
void Schreibe(const std::string& datei, const plattform::Bytes& inhalt);
void Schreibe(const std::string& datei, const std::string& inhalt);

// A test with its own settings directory and the scripted front end.
class MitOberflaeche : public ::testing::Test {
 protected:
  MitOberflaeche();
  ~MitOberflaeche() override;
  TempVerzeichnis dir;
  SkriptOberflaeche ui;

 private:
  OberflaecheSetzen FSetzen{ui};
};

}  // namespace zaq::test
