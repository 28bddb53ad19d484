#pragma once
// The per-computer settings file "zaq.ini": one section, keys chosen by a
// numeric code from one table, Windows-1252 on disk.
#include <cstdint>
#include <optional>
#include <string>

namespace zaq {

inline constexpr const char* kEinstellungsAbschnitt = "ZAQ Mitgliederverwaltung";

// Key codes of the table (the numbered keys 301..399 and 401..499 have no names here).
enum Einstellung : int {
  esSchriftVerein = 101,
  esSchriftSeiten = 102,
  esSchriftZusatz = 103,
  esSchriftZAQKopf = 111,
  esSchriftZAQText = 112,
  esSchriftZAQAusdruck = 113,
  esSchriftLGVKopf = 121,
  esSchriftLGVText = 122,
  esSchriftLGVErweitert = 123,
  esSchriftLGVBegleitzettel = 124,
  esSchriftAnzeige = 131,
  esSchriftMeldung = 132,
  esLetzteDatei = 200,
  esEndeMeldung = 201,
  esAutosuchen = 202,
  esAutoSortieren = 204,
  esProgrammeAnzeigen = 205,
  esMeldungVorne = 206,
  esSicherungskopie = 208,
  esSicherungsdatei = 209,
  esSicherungsverzeichnis = 210,
  esDruckabstandOben = 211,
  esDruckabstandLinks = 212,
  esDruckabstandRechts = 213,
  esDruckabstandUnten = 214,
  esZAQSuchenX = 215,
  esZAQSuchenY = 216,
  esLGVSuchenX = 217,
  esLGVSuchenY = 218,
  esMitfinX = 219,
  esMitfinY = 220,
  esSelektion = 221,
  esSonderbuchungBetrag = 222,
  esSonderbuchungHauptverwendung = 223,
  esJubiListenSortieren = 225,
  esJubiListenSelektiert = 226,
  esMitfinB = 227,
  esMitfinH = 228,
  esDateiMerken = 229,
  esBlockEintraege = 230,
  esBlockAbstand = 231,
  esSelektionX = 232,
  esSelektionY = 233,
  esSchattierung = 236,
  esSchattierfarbe = 237,
  esDTASonderzeichen = 238,
  esZeilenabstand = 239,
  esFtpBeimOeffnen = 240,
  esFtpAktualisierabstand = 245,
  esFtpPassiv = 246,
  esGitternetzX = 248,
  esGitternetzY = 249,
  esLetzteProgAkt = 250,
  esProgAktIntervall = 251,
  esProgAktServer = 252,
  esProgAktProxy = 253,
  esProgAktPort = 254,
  esProgAktName = 255,
  esProgAktKennw = 256,
  esAutoLogin = 257,
  esAutoHash = 258,
  esSeitenrandZeigen = 259,
  esSpaltenSkalieren = 260,
  esAutomatischesEinspeichern = 261,
  esVerbindungsversuche = 262,
  esProgramme = 300,
  esTabellen = 400,
};

std::string EinstellungsName(int code);
std::string EinstellungsVorgabe(int code);
// The stored text (at most 127 characters), or the default when missing or empty.
std::string LeseEinstellung(int code);
// The stored number; nullopt (after an error message) when the text is no whole number.
std::optional<std::int32_t> LeseEinstellungZahl(int code);
void SchreibeEinstellung(int code, const std::string& wert);
void SchreibeEinstellungZahl(int code, std::int32_t wert);
// Keys kept as hexadecimal text (255, 257); 256 is scrambled first.
std::string LeseEinstellungHex(int code);
void SchreibeEinstellungHex(int code, const std::string& wert);

// Directory of the settings file: the program directory unless redirected
// (zaq-cli --config, tests).  With trailing separator.
std::string EinstellungsVerzeichnis();
void SetzeEinstellungsVerzeichnis(const std::string& verzeichnis);
// Redirects the settings directory for its own life, then restores the one before.
class EinstellungsVerzeichnisSetzen {
 public:
  explicit EinstellungsVerzeichnisSetzen(const std::string& verzeichnis);
  ~EinstellungsVerzeichnisSetzen();
  EinstellungsVerzeichnisSetzen(const EinstellungsVerzeichnisSetzen&) = delete;
  EinstellungsVerzeichnisSetzen& operator=(const EinstellungsVerzeichnisSetzen&) = delete;

 private:
  std::string FAlt;
};
// Full path of the settings file.
std::string EinstellungsDatei();

// Any profile file in the same form (the additional files of older member
// files use it too): a value, or the default when the key is missing.
std::string ProfilLesen(const std::string& datei, const std::string& abschnitt,
                        const std::string& schluessel, const std::string& vorgabe);
bool ProfilSchreiben(const std::string& datei, const std::string& abschnitt,
                     const std::string& schluessel, const std::string& wert);
// Removes a key; true also when there was none.
bool ProfilLoeschen(const std::string& datei, const std::string& abschnitt, const std::string& schluessel);

// Creates "ZAQ.INI" from "STANDARD.INI" when only the latter exists.
void PruefeEinstellungsdatei();

}  // namespace zaq
