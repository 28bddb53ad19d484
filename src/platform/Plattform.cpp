#include "platform/Plattform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>

namespace zaq::plattform {
namespace fs = std::filesystem;

namespace {
std::string& VerzeichnisUeberschrieben() {
  static std::string v;
  return v;
}

std::string MitTrenner(std::string v) {
  if (v.empty() || v.back() != '/') v += '/';
  return v;
}
}  // namespace

std::string ProgrammVerzeichnis() {
  if (!VerzeichnisUeberschrieben().empty()) return VerzeichnisUeberschrieben();
  std::error_code fehler;
  fs::path exe = fs::read_symlink("/proc/self/exe", fehler);
  if (fehler) return MitTrenner(PfadText(fs::current_path()));
  return MitTrenner(PfadText(exe.parent_path()));
}

void SetzeProgrammVerzeichnis(const std::string& verzeichnis) {
  VerzeichnisUeberschrieben() = verzeichnis.empty() ? std::string() : MitTrenner(verzeichnis);
}

std::string Einzelinstanz::Sperrdatei(const std::string& name) {
  const char* basis = std::getenv("XDG_RUNTIME_DIR");
  std::string verzeichnis = basis && *basis ? basis : "/tmp";
  return verzeichnis + "/" + name + "-" + std::to_string(getuid()) + ".lock";
}

Einzelinstanz::Einzelinstanz(const std::string& name) {
  // An advisory lock on a file in the user's runtime directory behaves like the
  // named mutex: the system releases it when the process ends, even by a crash.
  const std::string datei = Sperrdatei(name);
  FHandle = ::open(datei.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (FHandle < 0) return;  // no lock possible: behave as the only instance
  if (::flock(FHandle, LOCK_EX | LOCK_NB) != 0) FVorhanden = true;
}

Einzelinstanz::~Einzelinstanz() {
  if (FHandle >= 0) ::close(FHandle);
}

bool LeseDatei(const fs::path& pfad, Bytes& inhalt) {
  std::ifstream ein(pfad, std::ios::binary);
  if (!ein) return false;
  ein.seekg(0, std::ios::end);
  std::streamoff laenge = ein.tellg();
  if (laenge < 0) return false;
  ein.seekg(0, std::ios::beg);
  inhalt.resize(static_cast<std::size_t>(laenge));
  if (laenge > 0 && !ein.read(reinterpret_cast<char*>(inhalt.data()), laenge)) return false;
  return true;
}

bool SchreibeDateiSicher(const fs::path& pfad, const std::uint8_t* daten, std::size_t laenge, Zugriff zugriff) {
  fs::path verzeichnis = pfad.parent_path();
  if (verzeichnis.empty()) verzeichnis = ".";
  std::string name = ".";
  name.append(PfadText(pfad.filename())).append(".XXXXXX");
  std::string vorlage = PfadText(verzeichnis / name);
  int fd = ::mkstemp(vorlage.data());
  if (fd < 0) return false;
  bool ok = true;
  std::size_t geschrieben = 0;
  while (ok && geschrieben < laenge) {
    ssize_t n = ::write(fd, daten + geschrieben, laenge - geschrieben);
    if (n < 0) ok = false;
    else geschrieben += static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file we replace.  A new file stays as
  // mkstemp made it, readable by the owner only, unless it is public.
  struct stat alt {};
  if (ok) {
    if (::stat(pfad.c_str(), &alt) == 0) {
      ::fchmod(fd, alt.st_mode & 07777);
    } else if (zugriff == Zugriff::Alle) {
      mode_t maske = ::umask(0);
      ::umask(maske);
      ::fchmod(fd, 0666 & ~maske);
    }
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(vorlage.c_str(), pfad.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(vorlage.c_str());
    return false;
  }
  // Make the rename itself durable.
  int dir = ::open(PfadText(verzeichnis).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

fs::path Pfad(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PfadText(const fs::path& pfad) {
  auto u8 = pfad.u8string();
  return std::string(u8.begin(), u8.end());
}

extern "C" char** environ;

namespace {
// Processes we started and do not wait for; reaped as they end, so that none
// stays behind as a zombie.  Only our own children are looked at.
std::vector<pid_t>& Gestartete() {
  static std::vector<pid_t> pids;
  return pids;
}

void Aufraeumen() {
  auto& pids = Gestartete();
  pids.erase(std::remove_if(pids.begin(), pids.end(),
                            [](pid_t p) {
                              int status = 0;
                              return ::waitpid(p, &status, WNOHANG) != 0;
                            }),
             pids.end());
}
}  // namespace

long StarteProzess(const std::vector<std::string>& argumente, const std::string& verzeichnis) {
  if (argumente.empty()) return -1;
  std::vector<char*> argv;
  for (const auto& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t aktionen;
  posix_spawn_file_actions_init(&aktionen);
  if (!verzeichnis.empty()) posix_spawn_file_actions_addchdir_np(&aktionen, verzeichnis.c_str());
  posix_spawnattr_t attribute;
  posix_spawnattr_init(&attribute);
  // Its own process group, so that it outlives a terminal's signals to us.
  posix_spawnattr_setflags(&attribute, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attribute, 0);
  pid_t pid = -1;
  const int fehler = posix_spawnp(&pid, argv[0], &aktionen, &attribute, argv.data(), environ);
  posix_spawn_file_actions_destroy(&aktionen);
  posix_spawnattr_destroy(&attribute);
  Aufraeumen();
  if (fehler != 0) return -1;
  Gestartete().push_back(pid);
  return static_cast<long>(pid);
}

bool DokumentOeffnerVorhanden() {
  const char* pfad = std::getenv("PATH");
  std::string rest = pfad ? pfad : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t ende = rest.find(':', start);
    std::string dir = rest.substr(start, ende == std::string::npos ? std::string::npos : ende - start);
    if (!dir.empty() && ::access((dir + "/xdg-open").c_str(), X_OK) == 0) return true;
    if (ende == std::string::npos) break;
    start = ende + 1;
  }
  return false;
}

bool IstAusfuehrbar(const std::string& datei) {
  struct stat info {};
  return ::stat(datei.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(datei.c_str(), X_OK) == 0;
}

std::uint64_t Dateigroesse(const std::string& name) {
  std::error_code fehler;
  auto groesse = fs::file_size(Pfad(name), fehler);
  return fehler ? 0 : groesse;
}

bool DateiExistiert(const std::string& name) {
  std::error_code fehler;
  return fs::is_regular_file(Pfad(name), fehler);
}

bool VerzeichnisExistiert(const std::string& name) {
  std::error_code fehler;
  return !name.empty() && fs::is_directory(Pfad(name), fehler);
}

bool OeffneDokument(const std::string& ziel) { return StarteProzess({"xdg-open", ziel}, "") > 0; }

namespace {
// Days from 30.12.1899 to 01.01.1970.
constexpr std::int32_t kUnixEpoche = 25569;

std::tm Lokal(std::time_t t) {
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return tm;
}
}  // namespace

namespace {
double& FesteZeit() {
  static double t = 0;
  return t;
}
}  // namespace

void SetzeFesteZeit(double zeit) { FesteZeit() = zeit; }

double Jetzt() {
  if (FesteZeit() != 0) return FesteZeit();
  using namespace std::chrono;
  auto jetzt = system_clock::now();
  std::time_t t = system_clock::to_time_t(jetzt);
  // Converting to local time is costly; loading a file asks for it per record.
  thread_local std::time_t letzteSekunde = -1;
  thread_local double letzterWert = 0;
  if (t != letzteSekunde) {
    std::tm tm = Lokal(t);
    auto tag = year_month_day{year{tm.tm_year + 1900}, month{static_cast<unsigned>(tm.tm_mon + 1)},
                              day{static_cast<unsigned>(tm.tm_mday)}};
    double tage = static_cast<double>(sys_days(tag).time_since_epoch().count() + kUnixEpoche);
    letzterWert = tage + (tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec) / 86400.0;
    letzteSekunde = t;
  }
  double ms = static_cast<double>(duration_cast<milliseconds>(jetzt.time_since_epoch()).count() % 1000);
  return letzterWert + ms / 1000.0 / 86400.0;
}

std::int32_t Heute() { return static_cast<std::int32_t>(Jetzt()); }

bool GleicheDatei(const std::string& a, const std::string& b) {
  std::error_code fehler;
  const std::filesystem::path pa = Pfad(a), pb = Pfad(b);
  if (std::filesystem::equivalent(pa, pb, fehler)) return true;
  // A file that does not exist yet is the same when its full path is.
  const auto na = std::filesystem::weakly_canonical(pa, fehler);
  if (fehler) return false;
  const auto nb = std::filesystem::weakly_canonical(pb, fehler);
  return !fehler && na == nb;
}

}  // namespace zaq::plattform
