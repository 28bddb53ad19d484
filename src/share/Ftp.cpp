#include "share/Ftp.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "base/Datum.h"
#include "base/Hex.h"
#include "base/Text.h"
#include "interaction/Einstellungen.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "lists/Selektion.h"
#include "platform/Kodierung.h"
#include "platform/Plattform.h"
#include "platform/Version.h"
#include "store/Benutzer.h"
#include "store/ZAQ.h"

namespace zaq {

namespace {

double& Pausenfaktor() {
  static double faktor = 1.0;
  return faktor;
}

constexpr const char* kTemp = "~TEMP~";
constexpr const char* kMarke = "Reparaturanforderung";

std::string Zahl(std::int64_t n) { return std::to_string(n); }

std::int64_t LiesKode(const std::string& datei, const std::string& abschnitt, const std::string& schluessel) {
  return ZuZahl64(ProfilLesen(datei, abschnitt, schluessel, "0")).value_or(0);
}

std::string ZeitText(std::int64_t kode) { return DatumZeitText(ZeitAusKode(kode)); }

std::string Login(const TZAQ& liste) {
  const TBenutzer* b = liste.AktuellerBenutzer();
  return b ? b->FLogin : std::string();
}

plattform::Bytes AlsBytes(const std::string& text) { return plattform::Bytes(text.begin(), text.end()); }

void Entferne(const std::string& datei) {
  std::error_code fehler;
  std::filesystem::remove(plattform::Pfad(datei), fehler);
}

}  // namespace

std::int64_t Zeitkode(double zeit) { return ZeitstempelZahl(zeit); }

double ZeitAusKode(std::int64_t kode) { return ZahlZuZeitstempel(kode); }

bool LeseInfodatei(const std::string& datei, const std::string& abschnitt, TInfodatei& info) {
  if (!plattform::DateiExistiert(datei)) return false;
  info.dateiVers = LiesKode(datei, abschnitt, "DateiVers");
  info.schluessel = LiesKode(datei, abschnitt, "Schlüssel");
  info.resZeit = LiesKode(datei, abschnitt, "ResZeit");
  info.resName = Cp1252ZuUtf8(TextAusHex(ProfilLesen(datei, abschnitt, "ResName", "")));
  info.uploadZeit = LiesKode(datei, abschnitt, "UploadZeit");
  info.uploadName = Cp1252ZuUtf8(TextAusHex(ProfilLesen(datei, abschnitt, "UploadName", "")));
  info.uploadZAQ = ProfilLesen(datei, abschnitt, "UploadZAQ", "");
  return true;
}

void TFtpSitzung::SetzePausenfaktor(double faktor) { Pausenfaktor() = faktor; }

TFtpSitzung::TFtpSitzung(std::shared_ptr<TZAQ>& liste) : FListe(liste) {
  // During a transfer the wait window shows the bytes; its cancel quits at once.
  FFtp.Fortschritt = [](std::int64_t gesamt, std::int64_t jetzt) {
    if (gesamt > 0) Warten().Fortschritt(static_cast<double>(jetzt) / static_cast<double>(gesamt));
    Warten().Verarbeiten();
    return !Warten().AbbruchGewuenscht();
  };
}

TFtpSitzung::~TFtpSitzung() { Trenne(); }

void TFtpSitzung::Pause(int ms) {
  const auto ende = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(static_cast<long>(std::lround(ms * Pausenfaktor())));
  while (std::chrono::steady_clock::now() < ende) {
    Warten().Verarbeiten();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool TFtpSitzung::Abbruch() const {
  Warten().Verarbeiten();
  return Warten().AbbruchGewuenscht();
}

std::string TFtpSitzung::LokalerPfad(const std::string& name) const { return FListe->Verzeichnis() + name; }

std::string TFtpSitzung::Name(const std::string& erweiterung) const {
  return FListe->FFtpDaten.Serverdateiname(erweiterung);
}

int TFtpSitzung::Verbinde() {
  const TFtpDaten& ftp = FListe->FFtpDaten;
  if (!ftp.HatZugangsdaten()) return 1;
  plattform::FtpZugang zugang;
  if (!plattform::LeseFtpServer(Trim(ftp.FServer), zugang)) return 2;
  zugang.benutzer = ftp.FFtpBenutzer;
  zugang.kennwort = ftp.FFtpKennwort;
  zugang.passiv = LeseEinstellung(esFtpPassiv) == "1";
  if (Abbruch()) return 100;
  const int versuche = ZuZahl(LeseEinstellung(esVerbindungsversuche)).value_or(5);
  for (int i = 1; i <= versuche; ++i) {
    if (FFtp.Verbunden() || Abbruch()) break;
    if (i == 1) {
      Warten().ZeigeStatus("Verbinde mit FTP-Server...");
    } else {
      Pause(1000);
      Warten().ZeigeStatus("Verbinde... (" + std::to_string(i) + ". Versuch)");
    }
    FFtp.Verbinden(zugang, 5000);
    Pause(100);
  }
  if (FFtp.Verbunden()) {
    FFtp.SetzeZeitlimit(20000);
    if (Abbruch()) {
      Trenne();
      return 100;
    }
    return 0;
  }
  return Abbruch() ? 100 : 2;
}

void TFtpSitzung::Trenne() { FFtp.Beenden(); }

// An upload broken before its renames were done: with the marker the
// temporary files take the final names.  An info file lost between a
// check-out's delete and rename comes back from its temporary copy even
// without the marker; the member file only ever under the marker.
bool TFtpSitzung::Repariere() {
  const std::string marke = kTemp + Name("rep");
  const std::string info = Name("zai");
  if (FFtp.Groesse(marke) > 0) {
    Warten().ZeigeStatus("Repariere FTP-Datenbank");
    for (const std::string& name : {info, Name("zaq")}) {
      if (FFtp.Groesse(kTemp + name) <= 0) continue;
      if (FFtp.Groesse(name) >= 0 && !FFtp.Loeschen(name)) return false;
      Pause(100);
      if (!FFtp.Umbenennen(kTemp + name, name)) return false;
    }
    return FFtp.Loeschen(marke);
  }
  if (FFtp.Groesse(info) < 0 && FFtp.Groesse(kTemp + info) > 0) {
    Warten().ZeigeStatus("Repariere FTP-Datenbank");
    return FFtp.Umbenennen(kTemp + info, info);
  }
  return FFtp.Verbunden();
}

int TFtpSitzung::Status(bool trennen) {
  TZAQ& liste = *FListe;
  TFtpDaten& ftp = liste.FFtpDaten;
  FStatus = {};
  FInfoPfad = LokalerPfad("~FTP.zai");
  Entferne(FInfoPfad);
  auto ende = [&](int code) {
    FStatus.code = code;
    if (trennen && (code < 10 || code > 14)) {
      Trenne();
      Entferne(FInfoPfad);
    }
    return code;
  };
  if (ftp.FSchluessel.empty()) return ende(11);
  if (Trim(ftp.FServerDatei).empty()) return ende(12);
  switch (Verbinde()) {
    case 0: break;
    case 1: return ende(13);
    case 100: return ende(100);
    default: return ende(14);
  }
  if (!Repariere()) return ende(15);
  const std::string info = Name("zai");
  Warten().ZeigeStatus("Lade " + info + " herunter");
  if (FFtp.Groesse(info) <= 0) return ende(FFtp.Verbunden() ? 16 : 17);
  plattform::Bytes daten;
  if (!FFtp.Herunterladen(info, daten) || !plattform::SchreibeDateiSicher(plattform::Pfad(FInfoPfad), daten))
    return ende(17);
  Pause(100);
  TInfodatei i;
  if (!LeseInfodatei(FInfoPfad, Name("zaq"), i)) return ende(18);
  FStatus.serverVersion = i.dateiVers;
  FStatus.schluesselServer = i.schluessel;
  FStatus.reserviert = i.resZeit != 0;
  FStatus.reserviertAm = i.resZeit;
  FStatus.reserviertVon = i.resName;
  FStatus.uploadZeit = i.uploadZeit;
  FStatus.uploadVon = i.uploadName;
  FStatus.uploadVersion = i.uploadZAQ;
  if (i.schluessel == 0) return ende(19);
  if (i.schluessel != Zeitkode(ftp.FSchluesselZeit)) return ende(20);
  const std::int64_t lokal = Zeitkode(liste.FGeaendertAm);
  const int vergleich = lokal == i.dateiVers ? 0 : lokal > i.dateiVers ? 2 : 1;
  // The reservation belongs to the copy that recorded it: another computer
  // under the same login has no mark and sees it as someone else's.
  const std::string eigene = Gross(Trim(ftp.FAusgespeichertVon));
  int code;
  if (FStatus.reserviert) code = !eigene.empty() && Gross(Trim(i.resName)) == eigene ? 6 : 3 + (vergleich == 0 ? 0 : vergleich == 2 ? 2 : 1);
  else code = vergleich;
  if (code != 6 && ftp.IstAusgespeichert()) ftp.SetzeAusgespeichert("");
  const double uploadZeit = ZeitAusKode(i.uploadZeit);
  if (ftp.FUploadZeit != uploadZeit || ftp.FUploadVon != i.uploadName || ftp.FUploadVersion != i.uploadZAQ) {
    ftp.FUploadZeit = uploadZeit;
    ftp.FUploadVon = i.uploadName;
    ftp.FUploadVersion = i.uploadZAQ;
    liste.FGeaendert = true;
  }
  return ende(code);
}

int TFtpSitzung::HoleServerStatus(bool trennen) { return Status(trennen); }

int TFtpSitzung::Ausspeichern(bool trennen) {
  int code = Status(false);
  if (code > 10) return code;
  bool lokalBleibt = false;
  if (code == 2) {
    TZAQ& liste = *FListe;
    const bool recht = liste.AktuellerBenutzer() && liste.AktuellerBenutzer()->HatRecht(rFtpEinstellungen);
    std::string frage =
        "Konflikt beim Ausspeichern:\r\n\r\nNun tritt das Problem auf, daß die lokale Mitgliederliste neuer ist als "
        "die auf dem Server gespeicherte Liste. Das heißt, daß die lokale Datei geändert, aber nicht aus- und "
        "eingespeichert wurde.\r\n\r\nEs könnte jedoch sein, daß zwischenzeitlich die Mitgliederliste auf dem Server "
        "ebenfalls verändert wurde und diese Änderungen nun verloren gehen würden.\r\n\r\nStand der älteren "
        "Server-Datei: " +
        ZeitText(FStatus.serverVersion) + " (eingespeichert von " + FStatus.uploadVon + " am " +
        ZeitText(FStatus.uploadZeit) + ")" + "\r\n" + "\r\n" + "Stand der neueren lokalen Datei: " +
        ZeitText(Zeitkode(liste.FGeaendertAm)) + "\r\n" + "\r\n";
    Antwort a;
    if (recht) {
      frage +=
          "Wollen Sie, daß die lokale Datei durch die ältere Server-Version überschrieben wird?\r\n\r\n\"Ja\" bedeutet "
          "weiterarbeiten mit der Server-Version,\r\n\"Nein\" bedeutet weiterarbeiten mit der lokalen Version.";
      a = Warten().WarteMeldung(frage, MeldungsArt::Warnung, Knoepfe::JaNeinAbbrechen);
    } else {
      frage += "Hiermit wird die lokale Datei durch die ältere Server-Version überschrieben.";
      a = Warten().WarteMeldung(frage, MeldungsArt::Warnung, Knoepfe::OKAbbrechen);
    }
    if (a == Antwort::Abbrechen) return 100;
    lokalBleibt = a == Antwort::Nein;
  }
  if (code >= 3 && code <= 5) return 42;
  if (code == 6) return 41;
  if (!lokalBleibt) {
    const int r = LadeVonServer(false, false);
    if (r != 0 && r != 200) return 43;
  }
  TZAQ& liste = *FListe;
  const std::string abschnitt = Name("zaq");
  if (!ProfilSchreiben(FInfoPfad, abschnitt, "ResZeit", Zahl(Zeitkode(Jetzt()))) ||
      !ProfilSchreiben(FInfoPfad, abschnitt, "ResName", HexText(Utf8ZuCp1252(Login(liste)))))
    return 44;
  if (Abbruch()) return 100;
  Pause(100);
  plattform::Bytes info;
  const std::string name = Name("zai");
  if (!plattform::LeseDatei(plattform::Pfad(FInfoPfad), info) || !FFtp.Hochladen(kTemp + name, info)) return 45;
  if (FFtp.Groesse(kTemp + name) != static_cast<std::int64_t>(info.size())) {
    Pause(100);
    FFtp.Loeschen(kTemp + name);
    return 46;
  }
  if (Abbruch()) return 100;
  Warten().ZeigeStatus("Ersetzen...");
  if (FFtp.Groesse(name) >= 0 && !FFtp.Loeschen(name)) return 47;
  Pause(100);
  if (!FFtp.Umbenennen(kTemp + name, name)) return 47;
  Entferne(FInfoPfad);
  if (trennen) Trenne();
  liste.FFtpDaten.SetzeAusgespeichert(Login(liste));
  return 0;
}

int TFtpSitzung::Einspeichern(bool trennen) {
  const int code = Status(false);
  if (code > 10) return code;
  int r;
  if (code <= 2) r = 31;
  else if (code <= 5) r = 32;
  else r = LadeAufServer(false) == 0 ? 0 : 33;
  Entferne(FInfoPfad);
  if (trennen) Trenne();
  if (r == 0) FListe->FFtpDaten.SetzeAusgespeichert("");
  return r;
}

int TFtpSitzung::SetzeStatus(bool einspeichern, bool trennen) {
  const int r = einspeichern ? Einspeichern(trennen) : Ausspeichern(trennen);
  Entferne(FInfoPfad);
  if (trennen) Trenne();
  if (r != 0 && r != 33 && r != 43) Warten().WarteMeldung(StatusText(r), MeldungsArt::Fehler, Knoepfe::OK);
  return r;
}

int TFtpSitzung::Herunterladen(bool trennen, bool erzwungen) {
  const std::string auswahl = LokalerPfad("~FTP_DOWNLOAD.zas");
  const int code = Status(false);
  if (code > 10) return code;
  const bool laden = erzwungen ? (code == 1 || code == 4 || code == 6) : (code != 0 && code != 3);
  auto aktualisiert = [&](int r) {
    FListe->FFtpDaten.FLetzteAktualisierung = Jetzt();
    FListe->FGeaendert = true;
    return r;
  };
  if (!laden) return aktualisiert(200);
  const std::string name = Name("zaq");
  Warten().ZeigeStatus("Lade " + name + " herunter");
  plattform::Bytes daten;
  if (FFtp.Groesse(name) <= 0 || !FFtp.Herunterladen(name, daten)) return 30;
  if (Abbruch()) return 100;
  if (trennen) {
    Trenne();
    Entferne(FInfoPfad);
    Pause(100);
  }
  if (Abbruch()) return 100;
  Warten().AbbruchSperren(true);
  struct Entsperren {
    ~Entsperren() { Warten().AbbruchSperren(false); }
  } entsperren;
  std::shared_ptr<TZAQ> alt = FListe;
  std::shared_ptr<TZAQ> neu = TZAQ::CreateAusStream(std::move(daten), *alt);
  if (!neu) return 31;
  // The selection of this copy survives the download.
  if (SpeichereSelektion(*alt, auswahl)) LadeSelektion(*neu, auswahl, false);
  Entferne(auswahl);
  alt->FNachfolger = neu;
  FListe = neu;
  return aktualisiert(0);
}

int TFtpSitzung::LadeVonServer(bool trennen, bool erzwungen) {
  const int r = Herunterladen(trennen, erzwungen);
  // Without disconnecting, a check-out goes on with the info file fetched.
  if (trennen) {
    Trenne();
    Entferne(FInfoPfad);
  }
  if (r != 0 && r != 200) Warten().WarteMeldung(HerunterladenText(r), MeldungsArt::Fehler, Knoepfe::OK);
  return r;
}

int TFtpSitzung::Hochladen(bool trennen) {
  TZAQ& liste = *FListe;
  TFtpDaten& ftp = liste.FFtpDaten;
  const std::string infoPfad = LokalerPfad("~FTP_UPLOAD.zai");
  struct Aufraeumen {
    std::string pfad;
    ~Aufraeumen() { Entferne(pfad); }
  } aufraeumen{infoPfad};
  if (ftp.FSchluessel.empty()) return 1;
  if (Trim(ftp.FServerDatei).empty()) return 2;
  if (!FFtp.Verbunden()) {
    switch (Verbinde()) {
      case 0: break;
      case 1: return 3;
      case 100: return 100;
      default: return 4;
    }
  }
  TZAQStream s;
  if (!liste.SchreibeStream(s, sfVerschluesseln | sfArchivFrist)) return 6;
  const plattform::Bytes daten = s.Daten();
  const std::string zaq = Name("zaq"), zai = Name("zai"), marke = kTemp + Name("rep");
  Warten().ZeigeStatus("Lade Infodatei runter");
  {
    plattform::Bytes info;
    // A server without an info file gets a new one.
    if (FFtp.Groesse(zai) > 0 && !FFtp.Herunterladen(zai, info)) return 7;
    if (!FFtp.Verbunden() || !plattform::SchreibeDateiSicher(plattform::Pfad(infoPfad), info)) return 7;
  }
  if (Abbruch()) return 100;
  {
    // The upload's own data are this copy's business: they leave the version alone.
    ftp.FUploadZeit = OhneMillisekunden(Jetzt());
    ftp.FUploadVon = Login(liste);
    ftp.FUploadVersion = ProgrammVersion();
    liste.FGeaendert = true;
    const std::string abschnitt = zaq;
    const std::pair<const char*, std::string> werte[] = {
        {"DateiVers", Zahl(Zeitkode(liste.FGeaendertAm))},
        {"Schlüssel", Zahl(Zeitkode(ftp.FSchluesselZeit))},
        {"UploadZeit", Zahl(Zeitkode(ftp.FUploadZeit))},
        {"UploadName", HexText(Utf8ZuCp1252(ftp.FUploadVon))},
        {"UploadZAQ", ftp.FUploadVersion},
    };
    bool ok = ProfilLoeschen(infoPfad, abschnitt, "ResZeit") && ProfilLoeschen(infoPfad, abschnitt, "ResName");
    for (const auto& [schluessel, wert] : werte) ok = ok && ProfilSchreiben(infoPfad, abschnitt, schluessel, wert);
    if (!ok) return 8;
  }
  plattform::Bytes info;
  if (!plattform::LeseDatei(plattform::Pfad(infoPfad), info)) return 8;
  Warten().ZeigeStatus("Lade Daten hoch");
  Pause(100);
  int r = 0;
  if (!FFtp.Hochladen(kTemp + zaq, daten)) r = 9;
  else if (FFtp.Groesse(kTemp + zaq) != static_cast<std::int64_t>(daten.size())) r = 10;
  if (r == 0) {
    Pause(100);
    if (!FFtp.Hochladen(kTemp + zai, info)) r = 9;
    else if (FFtp.Groesse(kTemp + zai) != static_cast<std::int64_t>(info.size())) r = 11;
    Pause(100);
  }
  if (r != 0) {
    // Nothing of a failed upload stays behind.
    Pause(100);
    for (const std::string& name : {kTemp + zaq, kTemp + zai})
      if (FFtp.Groesse(name) >= 0 && !FFtp.Loeschen(name)) return 12;
    if (!FFtp.Verbunden()) return 12;
    return r;
  }
  if (Abbruch()) return 100;
  Warten().ZeigeStatus("Ersetzen...");
  if (!FFtp.Hochladen(marke, AlsBytes(kMarke))) return 13;
  for (const std::string& name : {zaq, zai})
    if (FFtp.Groesse(name) >= 0 && !FFtp.Loeschen(name)) return 13;
  Pause(100);
  if (!FFtp.Umbenennen(kTemp + zaq, zaq) || !FFtp.Umbenennen(kTemp + zai, zai) || !FFtp.Loeschen(marke)) return 13;
  ftp.SetzeAusgespeichert("");
  if (Abbruch()) return 100;
  if (trennen) Trenne();
  return 0;
}

int TFtpSitzung::LadeAufServer(bool trennen) {
  const int r = Hochladen(trennen);
  if (trennen) Trenne();
  if (r != 0) Warten().WarteMeldung(HochladenText(r), MeldungsArt::Fehler, Knoepfe::OK);
  return r;
}

std::string TFtpSitzung::StatusText(int r) const {
  const std::string reserviert = "Die Mitgliederliste auf dem Server ist im Moment von " + FStatus.reserviertVon +
                                 " ausgespeichert und reserviert." + "\r\n" + "Die Reservierung erfolgte am " +
                                 ZeitText(FStatus.reserviertAm) + "." + "\r\n" + "\r\n";
  switch (r) {
    case 32: return reserviert + "Sie können die Datei nicht einspeichern, weil Sie sie auch nicht ausgespeichert haben.";
    case 41:
      return "Die Mitgliederliste auf dem Server ist bereits von Ihnen ausgespeichert und reserviert.\r\n"
             "Die Reservierung erfolgte am " +
             ZeitText(FStatus.reserviertAm) + ".";
    case 42: return reserviert + "Solange die Datei nicht freigegeben wird, kann Sie nicht von Ihnen belegt werden.";
    case 11: return "Kein FTP-Schlüssel vorhanden.";
    case 12: return "Keine FTP-Datei in den Stammdaten eingetragen.";
    case 13: return "Keine FTP-Zugangsdaten in den Stammdaten hinterlegt.";
    case 14: return "Konnte keine Verbindung zum FTP-Server herstellen.";
    case 15:
      return "Fehler beim Versuch, die Online-Datenbank zu reparieren. Evtl. ist ein neues Hochladen (Kopie erstellen) "
             "erforderlich.";
    case 16: return "Kann Infodatei nicht auf dem Server finden.";
    case 17: return "Fehler beim Herunterladen der Infodatei.";
    case 18: return "Fehler beim Lesen der Infodatei.";
    case 19: return "Auf dem Server befindet sich keine Datenbank zur Reservierung.";
    case 20: return "Mit dem Schlüssel der geöffneten lokalen Datei kann die Datei vom Server nicht reserviert werden.";
    case 31: return "Die Mitgliederliste kann nicht eingespeichert werden, da sie vorher nicht ausgespeichert wurde.";
    case 44: return "Fehler beim Vorbereiten der Übersichtsdatei. Reservierung erfolgte nicht.";
    case 45: return "Fehler beim Hochladen der Übersichtsdatei. Reservierung erfolgte nicht.";
    case 46: return "Hochgelandene Übersichtsdatei weist falsche Größe auf. Reservierung erfolgte nicht.";
    case 47: return "Fehler beim Reservieren der Datenbank. Evtl. ist ein neues Hochladen erforderlich.";
    case 100: return "Reservierung wurde vom Benutzer abgebrochen.";
    default: return "Unbekannter Fehler in Modul U_FTP.FTP_SetStatus";
  }
}

std::string TFtpSitzung::HerunterladenText(int r) const {
  switch (r) {
    case 15: return "Fehler beim Versuch, die Online-Datenbank zu reparieren. Evtl. ist ein neues Hochladen erforderlich.";
    case 19: return "Auf dem Server befindet sich keine Datenbank zur Aktualisierung dieser Datei.";
    case 20: return "Mit dem Schlüssel der geöffneten lokalen Datei kann die Datei vom Server nicht dekodiert werden.";
    case 30:
      return "Fehler beim Herunterladen der Datenbank. Die Liste konnte nicht über FTP aktualisiert werden.";
    case 31:
      return "Fehler beim Einlesen der heruntergeladenen ZAQ-Daten. Die Liste konnte nicht über FTP aktualisiert "
             "werden.";
    case 32: return "Kann bereits offene ZAQ-Dateien nicht schließen.";
    case 100: return "Aktualisierung wurde vom Benutzer abgebrochen.";
    default:
      if (r >= 11 && r <= 18) return StatusText(r);
      return "Unbekannter Fehler in function TZAQ.LadeVonServer";
  }
}

std::string TFtpSitzung::HochladenText(int r) {
  switch (r) {
    case 1: return "Kein FTP-Schlüssel vorhanden. Bitte erstellen Sie in den Stammdaten einen Schlüssel!";
    case 2: return "Keine FTP-Datei in den Stammdaten eingetragen.";
    case 3: return "Keine FTP-Zugangsdaten in den Stammdaten hinterlegt.";
    case 4: return "Konnte keine Verbindung zum FTP-Server herstellen.";
    case 6: return "Fehler beim Erzeugen des Upload-Streams.";
    case 7: return "Fehler beim Herunterladen der Infodatei.";
    case 8: return "Fehler beim lokalen Schreiben der Infodatei.";
    case 9: return "Fehler beim Hochladen der Dateien auf den FTP-Server.";
    case 10:
      return "Größe der hochgeladenen ZAQ-Daten stimmt nicht mit der berechneten Größe überein. Hochladen wird "
             "abgebrochen.";
    case 11:
      return "Größe der hochgeladenen ZAI-Daten stimmt nicht mit der berechneten Größe überein. Hochladen wird "
             "abgebrochen.";
    case 12:
      return "Größe der hochgeladenen Daten stimmte nicht mit den Erwartungen überein. Fehlerhafte Dateien konnten auf "
             "dem Server nicht gelöscht werden. Laden Sie eine neue Kopie auf den FTP-Server hoch!";
    case 13:
      return "Fehler beim Umbenennen der temporären Dateien auf dem FTP-Server. Reperaturmechanismus wird bei nächster "
             "FTP-Verbindung gestartet.";
    case 100: return "Hochladen wurde vom Benutzer abgebrochen.";
    default: return "Unbekannter Fehler in function TZAQ.LadeAufServer";
  }
}

}  // namespace zaq
