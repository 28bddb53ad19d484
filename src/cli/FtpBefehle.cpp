#include "cli/FtpBefehle.h"

#include <filesystem>
#include <memory>

#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"
#include "share/Ftp.h"
#include "store/DateiEA.h"
#include "store/ZAQ.h"

namespace zaq::cli {

namespace {

// The files a run leaves in the member file's directory are gone afterwards.
void Aufraeumen(const TZAQ& liste) {
  for (const char* name : {"~FTP.zai", "~FTP_UPLOAD.zai", "~FTP_DOWNLOAD.zas"}) {
    std::error_code fehler;
    std::filesystem::remove(plattform::Pfad(liste.Verzeichnis() + name), fehler);
  }
}

int Speichere(std::shared_ptr<TZAQ>& liste, bool erfolg) {
  Warten().Schliessen();
  Aufraeumen(*liste);
  if (!erfolg) return 1;
  return liste->Speichern() ? 0 : 1;
}

}  // namespace

int FtpStatus(const std::string& datei, std::ostream& aus) {
  std::shared_ptr<TZAQ> liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  TFtpSitzung ftp(liste);
  const int code = ftp.HoleServerStatus(true);
  Warten().Schliessen();
  Aufraeumen(*liste);
  if (code > 6) {
    Meldung(ftp.StatusText(code), MeldungsArt::Fehler);
    return 1;
  }
  const TServerStatus& s = ftp.Status();
  const TFtpDaten& f = liste->FFtpDaten;
  Json j = {{"status", code},
            {"serverVersion", s.serverVersion},
            {"lokaleVersion", Zeitkode(liste->FGeaendertAm)},
            {"schluesselServer", s.schluesselServer},
            {"schluesselLokal", Zeitkode(f.FSchluesselZeit)},
            {"reserviert", s.reserviert},
            {"reserviertVon", s.reserviertVon},
            {"reserviertAm", s.reserviertAm},
            {"uploadVon", s.uploadVon},
            {"uploadZeit", s.uploadZeit},
            {"uploadVersion", s.uploadVersion},
            {"ausgespeichertVon", f.FAusgespeichertVon}};
  aus << j.dump(1) << '\n';
  return 0;
}

int FtpAusspeichern(const std::string& datei) {
  std::shared_ptr<TZAQ> liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  TFtpSitzung ftp(liste);
  const int code = ftp.SetzeStatus(false, true);
  return Speichere(liste, code == 0);
}

int FtpEinspeichern(const std::string& datei) {
  std::shared_ptr<TZAQ> liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  TFtpSitzung ftp(liste);
  const int code = ftp.SetzeStatus(true, true);
  return Speichere(liste, code == 0);
}

int FtpHerunterladen(const std::string& datei) {
  std::shared_ptr<TZAQ> liste = TZAQ::CreateAusDatei(datei);
  if (!liste) return 1;
  TFtpSitzung ftp(liste);
  const int code = ftp.LadeVonServer(true, true);
  return Speichere(liste, code == 0 || code == 200);
}

}  // namespace zaq::cli
