// Starting programs and documents.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "Hilfen.h"
#include "interaction/Systemdienste.h"
#include "platform/Prozess.h"

namespace zaq {
namespace {

class StarteProgrammTest : public test::MitOberflaeche {};

TEST_F(StarteProgrammTest, ProgrammMitParameternImVerzeichnis) {
  const std::string ziel = dir / "ergebnis.txt";
  // The working directory and the parameters reach the program.
  long pid = StarteProgramm("/bin/sh", "-c \"pwd > ergebnis.txt; echo $0 >> ergebnis.txt\" \"zwei Worte\"   ",
                            dir.Pfad().string() + "/");
  ASSERT_GT(pid, 0);
  // The program runs on its own; wait until it has written both lines.
  auto groesse = [&] {
    std::error_code fehler;
    auto n = std::filesystem::file_size(ziel, fehler);
    return fehler ? 0 : n;
  };
  for (int i = 0; i < 500 && groesse() < dir.Pfad().string().size() + 12; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  auto inhalt = test::Lies(ziel);
  EXPECT_EQ(std::string(inhalt.begin(), inhalt.end()), dir.Pfad().string() + "\nzwei Worte\n");
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(StarteProgrammTest, DokumentFehler) {
  EXPECT_EQ(StarteProgramm(dir / "fehlt.pdf", "", ""), -1);
  EXPECT_EQ(StarteProgramm(dir / "gibtsnicht/x.pdf", "", ""), -1);
  EXPECT_EQ(ui.Texte(), (std::vector<std::string>{
                            "Die angegebene Datei \"" + (dir / "fehlt.pdf") + "\" konnte nicht gefunden werden.",
                            "Der angegebene Pfad \"" + (dir / "gibtsnicht") + "\" konnte nicht gefunden werden."}));
  EXPECT_EQ(plattform::ZerlegeKommandozeile(" a  \"b c\" d\"\" "), (std::vector<std::string>{"a", "b c", "d"}));
}

}  // namespace
}  // namespace zaq
