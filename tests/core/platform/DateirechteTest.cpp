// Files with members' data are the owner's alone: new files get mode 0600
// whatever the umask; a file that existed keeps its mode.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "Hilfen.h"
#include "cli/Befehle.h"
#include "interaction/Einstellungen.h"
#include "platform/Plattform.h"
#include "store/ZAQ.h"

namespace zaq {
namespace {

mode_t Modus(const std::string& datei) {
  struct stat s {};
  EXPECT_EQ(::stat(datei.c_str(), &s), 0) << datei;
  return s.st_mode & 0777;
}

class Dateirechte : public test::MitOberflaeche {
 protected:
  Dateirechte() : FAlt(::umask(022)) {}
  ~Dateirechte() override { ::umask(FAlt); }
  mode_t FAlt;
};

TEST_F(Dateirechte, NeueDateienNurFuerDenBesitzer) {
  std::ostringstream aus, fehler;
  const std::string datei = dir / "verein.zaq";
  ASSERT_EQ(cli::Run({"new", datei, "--config", dir.Pfad().string()}, aus, fehler), 0) << fehler.str();
  EXPECT_EQ(Modus(datei), 0600u);

  SchreibeEinstellungZahl(esSicherungsdatei, 0);
  SchreibeEinstellung(esSicherungsverzeichnis, dir.Pfad().string());
  EXPECT_EQ(Modus(EinstellungsDatei()), 0600u);
  auto liste = TZAQ::CreateNeu(true, true);
  ASSERT_TRUE(liste->SpeichernAls(datei, false));
  liste->Sicherungskopie();
  EXPECT_EQ(Modus(dir / "~Sicherungskopie1.~aq"), 0600u);

  // Saving over a file keeps the mode its owner gave it.
  ASSERT_EQ(::chmod(datei.c_str(), 0640), 0);
  ASSERT_TRUE(liste->SpeichernAls(datei, false));
  EXPECT_EQ(Modus(datei), 0640u);

  // Public data may be read by all, as the umask allows.
  const plattform::Bytes b{1, 2, 3};
  ASSERT_TRUE(plattform::SchreibeDateiSicher(dir / "ZAQ-BLZ.DAT", b, plattform::Zugriff::Alle));
  EXPECT_EQ(Modus(dir / "ZAQ-BLZ.DAT"), 0644u);
}

}  // namespace
}  // namespace zaq
