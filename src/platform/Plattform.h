#pragma once
// The small platform layer: everything that is not plain standard C++.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zaq::plattform {

using Bytes = std::vector<std::uint8_t>;

// Directory of the running executable, with a trailing separator.
std::string ProgrammVerzeichnis();
// Tests and the command-line tool may point the program directory elsewhere.
void SetzeProgrammVerzeichnis(const std::string& verzeichnis);

// A system-wide guard held for the life of the process (the named mutex of
// the Windows build).  Vorhanden() is true when another process holds it.
class Einzelinstanz {
 public:
  explicit Einzelinstanz(const std::string& name);
  ~Einzelinstanz();
  Einzelinstanz(const Einzelinstanz&) = delete;
  Einzelinstanz& operator=(const Einzelinstanz&) = delete;
  bool BereitsVorhanden() const { return FVorhanden; }
  // The file whose lock stands for the guard.
  static std::string Sperrdatei(const std::string& name);

 private:
  int FHandle = -1;
  bool FVorhanden = false;
};

// Reads a whole file.  False when it cannot be opened or read.
bool LeseDatei(const std::filesystem::path& pfad, Bytes& inhalt);

// Who may read a file the program creates.  Member files, their backups,
// the settings and everything with members' data are the owner's alone;
// public data (the bank directory) may be read by all.
enum class Zugriff { NurBesitzer, Alle };

// Replaces a file atomically: a temporary file in the same directory is
// written and flushed to disk, then renamed over the target.  On failure the
// old file is untouched and the temporary file is removed.  A file that
// existed keeps its permissions; a new one gets those of zugriff.
bool SchreibeDateiSicher(const std::filesystem::path& pfad, const std::uint8_t* daten, std::size_t laenge,
                         Zugriff zugriff = Zugriff::NurBesitzer);
inline bool SchreibeDateiSicher(const std::filesystem::path& pfad, const Bytes& inhalt,
                                Zugriff zugriff = Zugriff::NurBesitzer) {
  return SchreibeDateiSicher(pfad, inhalt.data(), inhalt.size(), zugriff);
}

// Whether a file or a directory exists, and a file's size (0 when unknown).
bool DateiExistiert(const std::string& name);
bool VerzeichnisExistiert(const std::string& name);
std::uint64_t Dateigroesse(const std::string& name);

// Whether two names reach the same file: another spelling of the path, a
// link or a second hard link of one file all count.
bool GleicheDatei(const std::string& a, const std::string& b);

// Paths of the program are kept as UTF-8 strings.
std::filesystem::path Pfad(const std::string& utf8);
std::string PfadText(const std::filesystem::path& pfad);

// Hands a document, a directory, a link or a "mailto:" to the desktop.
bool OeffneDokument(const std::string& ziel);
// Starts a program in a directory, not waiting for it: its process number, or -1.
long StarteProzess(const std::vector<std::string>& argumente, const std::string& verzeichnis);
// Whether the desktop's opener for documents is available.
bool DokumentOeffnerVorhanden();
bool IstAusfuehrbar(const std::string& datei);

// Time now as a day number with the time of day as fraction (local time).
double Jetzt();
// Today's day number (local time).
std::int32_t Heute();
// Freezes the clock for tests; 0 lets it run again.
void SetzeFesteZeit(double zeit);

}  // namespace zaq::plattform
