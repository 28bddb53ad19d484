#include "debits/Satzdatei.h"

#include <algorithm>
#include <fstream>

#include "platform/Kodierung.h"

namespace zaq {

std::string SchreibfehlerText(const std::string& datei) {
  return "Fehler beim Schreiben von " + datei +
         "!\r\n\r\nDie Datei ist schreibgeschützt, liegt auf einem Datenträger, der nicht beschrieben werden kann, "
         "oder wird von einem anderen Programm benutzt. Die Änderung wurde nicht gespeichert.";
}

std::optional<plattform::Bytes> LeseListendatei(const std::string& datei) {
  const auto pfad = plattform::Pfad(datei);
  if (!plattform::DateiExistiert(datei)) {
    Meldung("Die Datei \"" + datei + "\" existiert nicht.", MeldungsArt::Fehler);
    return std::nullopt;
  }
  // Opened for reading and writing only to learn whether it could be; it is
  // not changed, and every change later replaces it whole.
  if (!std::fstream(pfad, std::ios::in | std::ios::out | std::ios::binary)) {
    Meldung("Datei kann nicht geöffnet werden.", MeldungsArt::Fehler);
    return std::nullopt;
  }
  plattform::Bytes inhalt;
  if (!plattform::LeseDatei(pfad, inhalt)) {
    Meldung("Bei der Dateiprüfung trat ein unbekannter Programmfehler auf.", MeldungsArt::Fehler);
    return std::nullopt;
  }
  return inhalt;
}

std::string LiesKurztext(const std::uint8_t* satz, std::size_t pos, std::size_t kapazitaet) {
  const std::size_t laenge = std::min<std::size_t>(satz[pos], kapazitaet);
  return Cp1252ZuUtf8(std::string_view(reinterpret_cast<const char*>(satz + pos + 1), laenge));
}

void SchreibeKurztext(std::uint8_t* satz, std::size_t pos, std::size_t kapazitaet, std::string_view utf8) {
  std::string cp = Utf8ZuCp1252(utf8);
  if (cp.size() > kapazitaet) cp.resize(kapazitaet);
  std::memset(satz + pos, 0, kapazitaet + 1);
  satz[pos] = static_cast<std::uint8_t>(cp.size());
  std::memcpy(satz + pos + 1, cp.data(), cp.size());
}

bool EnthaeltAlleWorte(std::string_view text, std::string_view suche) {
  auto gross = [](std::string_view t) {
    std::string g(t);
    for (char& c : g)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return g;
  };
  const std::string muster = gross(suche);
  if (muster.empty()) return true;
  const std::string heuhaufen = gross(text);
  for (std::size_t a = 0;;) {
    const std::size_t e = muster.find(' ', a);
    const std::string wort = muster.substr(a, e == std::string::npos ? std::string::npos : e - a);
    if (wort.empty() || heuhaufen.find(wort) == std::string::npos) return false;
    if (e == std::string::npos) return true;
    a = e + 1;
  }
}

}  // namespace zaq
