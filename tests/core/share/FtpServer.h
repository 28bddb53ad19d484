#pragma once
// A real FTP server on 127.0.0.1 for the tests: tests/share/ftpserver.py,
// started for one test and stopped with it, with faults on demand.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace zaq::test {

class FtpServer {
 public:
  static constexpr const char* kBenutzer = "verein";
  // ":", "@" and "#" must reach the server as they are.
  static constexpr const char* kKennwort = "ge:h@im#1";

  explicit FtpServer(const std::filesystem::path& verzeichnis) : FWurzel(verzeichnis / "server"),
                                                                FSteuerung(verzeichnis / "steuerung") {
    std::filesystem::create_directories(FWurzel);
    std::filesystem::create_directories(FSteuerung);
    // Debian's pyftpdlib belongs to the system's Python.
    const std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    const std::string skript = std::string(ZAQ_QUELLEN) + "/tests/share/ftpserver.py";
    const std::string log = (FSteuerung / "log").string();
    std::string argumente[] = {python, skript, FWurzel.string(), FSteuerung.string(), kBenutzer, kKennwort};
    char* argv[] = {argumente[0].data(), argumente[1].data(), argumente[2].data(), argumente[3].data(),
                    argumente[4].data(), argumente[5].data(), nullptr};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&aktionen, 1, 2);
    posix_spawnp(&FPid, python.c_str(), &aktionen, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&aktionen);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < ende && !std::filesystem::exists(FSteuerung / "port"))
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::ifstream(FSteuerung / "port") >> FPort;
  }
  ~FtpServer() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
  }
  FtpServer(const FtpServer&) = delete;
  FtpServer& operator=(const FtpServer&) = delete;

  int Port() const { return FPort; }
  std::string Adresse() const { return "127.0.0.1:" + std::to_string(FPort); }
  const std::filesystem::path& Wurzel() const { return FWurzel; }
  // After this command on this file the network "breaks" until Heilen().
  void Stoerung(const std::string& befehl, const std::string& datei) {
    std::ofstream(FSteuerung / "fault") << befehl << " " << datei << "\n";
  }
  bool Gestoert() const { return std::filesystem::exists(FSteuerung / "broken"); }
  void Heilen() {
    std::filesystem::remove(FSteuerung / "fault");
    std::filesystem::remove(FSteuerung / "broken");
  }
  bool Vorhanden(const std::string& datei) const { return std::filesystem::exists(FWurzel / datei); }

 private:
  std::filesystem::path FWurzel, FSteuerung;
  pid_t FPid = -1;
  int FPort = 0;
};

}  // namespace zaq::test
