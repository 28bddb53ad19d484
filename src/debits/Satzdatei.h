#pragma once
// A booking list of fixed records of N bytes, record 0 its header.  Every
// change reaches the file at once, and the file is always replaced whole
// (written beside it, flushed, renamed over it), so a failure never leaves
// half a list; what the file does not hold is not kept in memory either.
// Texts in a record are short strings: a length byte, then Windows-1252.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Plattform.h"

namespace zaq {

// A change that could not be written: the file, the likely reasons, and
// that nothing was stored.
std::string SchreibfehlerText(const std::string& datei);

// The file's bytes, after the checks every list makes before its own
// (it exists, it can be opened for writing, it can be read); none after
// the message.
std::optional<plattform::Bytes> LeseListendatei(const std::string& datei);

// The text of a short string at pos, at most kapazitaet bytes whatever its
// length byte says, and its writing, cut to the capacity.
std::string LiesKurztext(const std::uint8_t* satz, std::size_t pos, std::size_t kapazitaet);
void SchreibeKurztext(std::uint8_t* satz, std::size_t pos, std::size_t kapazitaet, std::string_view utf8);

template <class T>
T LiesSatzwert(const std::uint8_t* satz, std::size_t pos) {
  T wert;
  std::memcpy(&wert, satz + pos, sizeof wert);
  return wert;
}

template <class T>
void SchreibeSatzwert(std::uint8_t* satz, std::size_t pos, T wert) {
  std::memcpy(satz + pos, &wert, sizeof wert);
}

// An amount as a sort key: a list file may hold a value that is not a
// number, which would break the ordering a sort relies on; it sorts last.
inline float Sortierbetrag(float betrag) { return std::isnan(betrag) ? INFINITY : betrag; }

// A booking's sort key: up to two texts as collation keys, then an amount.
using TSortierschluessel = std::tuple<std::string, std::string, float>;

// Whether the text, with a to z turned into A to Z, contains every
// blank-separated word of the search text (upper-cased the same way).  An
// empty search text matches everything, a doubled blank nothing.
bool EnthaeltAlleWorte(std::string_view text, std::string_view suche);

template <std::size_t N>
class TSatzdatei {
 public:
  using Satz = std::array<std::uint8_t, N>;

  TSatzdatei() = default;
  TSatzdatei(const TSatzdatei&) = delete;
  TSatzdatei& operator=(const TSatzdatei&) = delete;
  virtual ~TSatzdatei() = default;

  const std::string& Dateiname() const { return FDatei; }
  bool Offen() const { return !FDatei.empty(); }
  void Schliessen() {
    FDatei.clear();
    FSaetze.clear();
    Geaendert();
  }

  // Several changes written once, when the last batch ends; when that write
  // fails, the list is as it was before the batch.
  class Stapel {
   public:
    explicit Stapel(TSatzdatei& liste) : FListe(liste) {
      if (FListe.FStapel++ == 0) FListe.FVorher = FListe.FSaetze;
    }
    ~Stapel() { Ende(); }
    Stapel(const Stapel&) = delete;
    Stapel& operator=(const Stapel&) = delete;
    // Writes now; false after the message.
    bool Ende() {
      if (!FOffen) return true;
      FOffen = false;
      if (--FListe.FStapel > 0) return true;
      std::vector<Satz> vorher = std::move(FListe.FVorher);
      FListe.FVorher.clear();
      if (!FListe.FAusstehend || FListe.Sichern()) return true;
      FListe.FSaetze = std::move(vorher);
      FListe.FAusstehend = false;
      FListe.Geaendert();
      return false;
    }

   private:
    TSatzdatei& FListe;
    bool FOffen = true;
  };

 protected:
  // Takes the records of a file's content.  A header cut short reads as
  // zeros; a piece of a record after the last whole one is not a booking.
  void Laden(const std::string& datei, const plattform::Bytes& inhalt) {
    const std::size_t anzahl = std::max<std::size_t>(inhalt.size() / N, 1);
    FSaetze.assign(anzahl, Satz{});
    for (std::size_t i = 0; i < anzahl; ++i)
      std::memcpy(FSaetze[i].data(), inhalt.data() + i * N, std::min(N, inhalt.size() - i * N));
    FDatei = datei;
    Geaendert();
  }
  // A new list of its header only, replacing a file of that name.
  bool Neu(const std::string& datei, const Satz& kopf) {
    if (!plattform::SchreibeDateiSicher(plattform::Pfad(datei), kopf.data(), kopf.size())) return false;
    FSaetze.assign(1, kopf);
    FDatei = datei;
    Geaendert();
    return true;
  }
  // Writes the file unless a batch is open; false after the message.
  bool Sichern() {
    Geaendert();
    if (FStapel > 0) {
      FAusstehend = true;
      return true;
    }
    plattform::Bytes inhalt(FSaetze.size() * N);
    for (std::size_t i = 0; i < FSaetze.size(); ++i) std::memcpy(inhalt.data() + i * N, FSaetze[i].data(), N);
    if (!plattform::SchreibeDateiSicher(plattform::Pfad(FDatei), inhalt)) {
      Meldung(SchreibfehlerText(FDatei), MeldungsArt::Fehler);
      return false;
    }
    FAusstehend = false;
    return true;
  }
  // The changes below undo themselves when the file cannot be written.
  bool Ersetzen(std::size_t i, const Satz& satz) {
    const Satz alt = FSaetze[i];
    FSaetze[i] = satz;
    if (Sichern()) return true;
    FSaetze[i] = alt;
    Geaendert();
    return false;
  }
  bool Anfuegen(const Satz& satz) {
    FSaetze.push_back(satz);
    if (Sichern()) return true;
    FSaetze.pop_back();
    Geaendert();
    return false;
  }
  bool Entfernen(std::size_t i) {
    const Satz alt = FSaetze[i];
    FSaetze.erase(FSaetze.begin() + static_cast<std::ptrdiff_t>(i));
    if (Sichern()) return true;
    FSaetze.insert(FSaetze.begin() + static_cast<std::ptrdiff_t>(i), alt);
    Geaendert();
    return false;
  }
  // Records 1 to n in the given order of their old places.
  bool Umordnen(const std::vector<int>& ordnung) {
    std::vector<Satz> neu = FSaetze;
    for (std::size_t i = 0; i < ordnung.size(); ++i) neu[i + 1] = FSaetze[static_cast<std::size_t>(ordnung[i])];
    std::swap(FSaetze, neu);
    if (Sichern()) return true;
    std::swap(FSaetze, neu);
    Geaendert();
    return false;
  }
  // Sorts bookings 1 to n by a key read once per booking, so that a large
  // list sorts in n log n comparisons of bytes.  Equal keys keep their
  // order, so a sort ends whatever the list holds.  False when cancelled
  // (the list as it was) or not written.
  template <class Schluessel>
  bool SortiereNach(int n, Schluessel schluessel) {
    std::vector<TSortierschluessel> werte(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
      if (i % 1024 == 0) {
        Warten().Fortschritt(static_cast<double>(i) / n);
        Warten().Verarbeiten();
        if (Warten().AbbruchGewuenscht()) return false;
      }
      werte[static_cast<std::size_t>(i)] = schluessel(i);
    }
    std::vector<int> ordnung(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) ordnung[static_cast<std::size_t>(i)] = i + 1;
    std::stable_sort(ordnung.begin(), ordnung.end(), [&](int x, int y) {
      return werte[static_cast<std::size_t>(x)] < werte[static_cast<std::size_t>(y)];
    });
    Warten().Verarbeiten();
    if (Warten().AbbruchGewuenscht()) return false;
    return Umordnen(ordnung);
  }
  // The list under a new name, which then becomes its file.
  bool Umbenennen(const std::string& datei) {
    const std::string alt = FDatei;
    FDatei = datei;
    if (Sichern()) return true;
    FDatei = alt;
    return false;
  }
  // Drops what is cached about the records (sums).
  virtual void Geaendert() {}

  std::string FDatei;
  std::vector<Satz> FSaetze;

 private:
  int FStapel = 0;
  bool FAusstehend = false;
  std::vector<Satz> FVorher;  // the records when the outermost batch began
};

}  // namespace zaq
