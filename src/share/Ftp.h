#pragma once
// Sharing one member list over an FTP server ("Online-Verfahren"): the status
// query with the repair of interrupted uploads, check-out with reservation,
// check-in, download and the enciphered upload through "~TEMP~" names and a
// repair marker.  Every operation answers with the result codes the program
// has always used, and shows its own messages.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Ftp.h"

namespace zaq {

class TZAQ;

// Time stamps of the info file: days × 1,000,000 + hhmmss, rounded to the
// nearest second; a time part that is no time reads as midnight.
std::int64_t Zeitkode(double zeit);
double ZeitAusKode(std::int64_t kode);

// What the info file on the server says, and the status code.
struct TServerStatus {
  int code = 0;
  std::int64_t serverVersion = 0;   // "DateiVers"
  std::int64_t schluesselServer = 0;  // "Schlüssel"
  bool reserviert = false;
  std::string reserviertVon;        // "ResName"
  std::int64_t reserviertAm = 0;    // "ResZeit"
  std::int64_t uploadZeit = 0;      // "UploadZeit"
  std::string uploadVon;            // "UploadName"
  std::string uploadVersion;        // "UploadZAQ"
};

// The info file's values, read from and written to its text.
struct TInfodatei {
  std::int64_t dateiVers = 0, schluessel = 0, resZeit = 0, uploadZeit = 0;
  std::string resName, uploadName, uploadZAQ;
};
// Reads the section of the server member file; false when the text is no
// info file of it.
bool LeseInfodatei(const std::string& datei, const std::string& abschnitt, TInfodatei& info);

class TFtpSitzung {
 public:
  // The open list: a download replaces it.
  explicit TFtpSitzung(std::shared_ptr<TZAQ>& liste);
  ~TFtpSitzung();
  TFtpSitzung(const TFtpSitzung&) = delete;
  TFtpSitzung& operator=(const TFtpSitzung&) = delete;

  // 0 connected, 1 no connection data, 2 no connection, 100 cancelled.
  int Verbinde();
  void Trenne();
  bool Verbunden() const { return FFtp.Verbunden(); }

  // The status query, with the repair; shows no message.
  int HoleServerStatus(bool trennen);
  const TServerStatus& Status() const { return FStatus; }
  // Check-out (einspeichern false) or check-in, with their messages.
  int SetzeStatus(bool einspeichern, bool trennen);
  // The download; forced: only when the server's version is newer.
  int LadeVonServer(bool trennen, bool erzwungen);
  // The upload of the open list.
  int LadeAufServer(bool trennen);

  // The messages of the results.
  std::string StatusText(int ergebnis) const;  // check-out, check-in, status
  std::string HerunterladenText(int ergebnis) const;
  static std::string HochladenText(int ergebnis);

  // The pauses between FTP commands (100 ms) and connection attempts
  // (1000 ms); tests shorten them.
  static void SetzePausenfaktor(double faktor);

 private:
  int Status(bool trennen);
  int Ausspeichern(bool trennen);
  int Einspeichern(bool trennen);
  int Herunterladen(bool trennen, bool erzwungen);
  int Hochladen(bool trennen);
  bool Repariere();
  void Pause(int ms);
  bool Abbruch() const;
  std::string LokalerPfad(const std::string& name) const;
  std::string Name(const std::string& erweiterung) const;

  std::shared_ptr<TZAQ>& FListe;
  plattform::FtpVerbindung FFtp;
  TServerStatus FStatus;
  std::string FInfoPfad;  // the local copy of the info file, while a query's connection is open
};

}  // namespace zaq
