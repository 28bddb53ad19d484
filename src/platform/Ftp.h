#pragma once
// An FTP client for the shared member list: log-in, file sizes, downloads
// and uploads of whole files held in memory, deleting and renaming, all in
// the server's root directory.  libcurl does the protocol; the name and the
// password never travel inside a URL, so ":", "@" and "#" in them are fine.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct curl_slist;

namespace zaq::plattform {

struct FtpZugang {
  std::string host;
  int port = 21;
  std::string benutzer;
  std::string kennwort;
  bool passiv = false;
};

// "host" or "host:port" (default port 21); false for a port that is no number
// from 1 to 65535.
bool LeseFtpServer(const std::string& adresse, FtpZugang& zugang);

class FtpVerbindung {
 public:
  FtpVerbindung();
  ~FtpVerbindung();
  FtpVerbindung(const FtpVerbindung&) = delete;
  FtpVerbindung& operator=(const FtpVerbindung&) = delete;

  // During a transfer: the total (-1 unknown) and the bytes so far.
  // Returning false aborts the transfer and quits the connection.
  std::function<bool(std::int64_t gesamt, std::int64_t jetzt)> Fortschritt;

  // Connects, logs in and changes to "/"; the time-out applies to the
  // connection and to every reply of the server.
  bool Verbinden(const FtpZugang& zugang, long zeitlimitMs);
  bool Verbunden() const { return FVerbunden; }
  void SetzeZeitlimit(long ms) { FZeitlimitMs = ms; }
  // "SIZE": the size, or -1 when the server reports none.
  std::int64_t Groesse(const std::string& name);
  bool Herunterladen(const std::string& name, std::vector<std::uint8_t>& daten);
  bool Hochladen(const std::string& name, const std::vector<std::uint8_t>& daten);
  // "DELE" (reply 250).
  bool Loeschen(const std::string& name);
  // "RNFR" (reply 350), then "RNTO" (reply 250).
  bool Umbenennen(const std::string& von, const std::string& nach);
  // "QUIT" when connected, then the connection is closed.
  void Beenden();
  // The last failure, for messages and tests.
  const std::string& Fehler() const { return FFehler; }

 private:
  struct Curl;
  bool Ausfuehren(const std::string& pfad, const std::vector<std::string>& befehle, bool ohneInhalt);
  std::string Url(const std::string& name) const;
  std::unique_ptr<Curl> FCurl;
  // The commands of the running request live until the next one.
  struct BefehleFrei {
    void operator()(curl_slist* liste) const;
  };
  std::unique_ptr<curl_slist, BefehleFrei> FBefehle;
  FtpZugang FZugang;
  long FZeitlimitMs = 5000;
  bool FVerbunden = false;
  std::string FFehler;
};

}  // namespace zaq::plattform
