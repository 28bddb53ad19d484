#include "store/DateiEA.h"

#include "base/Hex.h"
#include "interaction/Oberflaeche.h"
#include "interaction/Warten.h"
#include "platform/Kodierung.h"

namespace zaq {

void TDateiEA::StreamSchreiben(TZAQStream& s, std::uint32_t flags, bool& ok) const {
  if (!(flags & sfUnbekannte)) return;
  for (const auto& u : FUnbekannt) {
    if (u.FIstBool) SchreibeBool(s, u.FWert, u.FID);
    else SchreibeBytes(s, u.FDaten, u.FID);
  }
  if (s.FFehler) ok = false;
}

void TDateiEA::StreamLesen(TZAQStream& s, std::int64_t groesse, bool& ok) {
  LeseFelder(s, groesse, ok, [this](std::uint16_t id, TZAQStream& st, bool& o, bool& unbekannt, std::int32_t g) {
    FeldLesen(id, st, o, unbekannt, g);
  });
}

void TDateiEA::BehalteUnbekannt(TZAQStream& s, std::uint16_t id, std::int32_t groesse) {
  if (id != 0) {
    TOhneID u;
    u.FID = id;
    if (groesse < 0) {
      u.FIstBool = true;
      u.FWert = groesse == kBoolWahr;
    } else {
      LeseBytes(s, u.FDaten, groesse);
    }
    FUnbekannt.push_back(std::move(u));
    ++s.FAnzahlUnbekannt;
  } else if (groesse > 0) {
    s.Ueberspringen(static_cast<std::size_t>(groesse));
  }
}

void TDateiEA::MeldeLesefehler(std::uint16_t id, std::int32_t groesse) const {
  Meldung("Fehler in TDateiEA.StreamLesen: \r\n\r\nDatensatz-ID:" + std::to_string(id) +
              "\r\nGröße: " + std::to_string(groesse) + "\r\nKlasse: " + KlassenName(),
          MeldungsArt::Fehler);
}

void TDateiEA::UnbekannteZuJson(Json& j) const {
  if (FUnbekannt.empty()) return;
  Json liste = Json::array();
  for (const auto& u : FUnbekannt) {
    Json e = Json::object();
    e["FID"] = u.FID;
    e["FIstBool"] = u.FIstBool;
    e["FWert"] = u.FWert;
    e["FDaten"] = feld_detail::HexBytes(u.FDaten);
    liste.push_back(std::move(e));
  }
  j["FUnbekannt"] = std::move(liste);
}

void TDateiEA::ZuJson(Json& j) const {
  j = Json::object();
  UnbekannteZuJson(j);
}

void SchreibeUnterblock(TZAQStream& s, const TDateiEA& r, std::uint16_t id, std::uint32_t flags,
                        bool& ok) {
  std::uint16_t tag = static_cast<std::uint16_t>(id << 4 | 4);
  s.Schreibe(&tag, 2);
  std::uint32_t platzhalter = 0;
  s.Schreibe(&platzhalter, 4);
  const std::size_t start = s.Position();
  r.StreamSchreiben(s, flags, ok);
  const std::size_t ende = s.Position();
  if (ende - start > 0x7FFFFFFFu) {
    ok = false;
    return;
  }
  std::uint32_t laenge = static_cast<std::uint32_t>(ende - start);
  s.Positionieren(start - 4);
  s.Schreibe(&laenge, 4);
  s.Positionieren(ende);
}

void LeseUnterblock(TZAQStream& s, TDateiEA& r, std::int32_t groesse, bool& ok) {
  if (groesse < 0 || static_cast<std::size_t>(groesse) > s.Rest()) {
    s.FFehler = true;
    return;
  }
  r.StreamLesen(s, groesse, ok);
}

namespace feld_detail {

// The short texts of the format hold at most this many characters.
constexpr std::size_t kKurzTextGrenze = 15;

void SchreibeKurzText(TZAQStream& s, const std::string& wert, std::size_t n, std::uint16_t id) {
  if (n > kKurzTextGrenze) {
    s.FFehler = true;
    return;
  }
  std::string cp = Utf8ZuCp1252(wert);
  if (cp.size() > n) cp.resize(n);
  std::uint8_t block[kKurzTextGrenze + 1] = {};
  block[0] = static_cast<std::uint8_t>(cp.size());
  std::memcpy(block + 1, cp.data(), cp.size());
  SchreibeBlock(s, block, n + 1, id);
}

void LeseKurzText(TZAQStream& s, std::string& wert, std::size_t n, std::int32_t groesse) {
  if (n > kKurzTextGrenze) {
    s.FFehler = true;
    return;
  }
  std::uint8_t block[kKurzTextGrenze + 1] = {};
  LeseBlock(s, block, n + 1, groesse);
  if (s.FFehler) return;
  std::size_t laenge = std::min<std::size_t>(block[0], n);
  Cp1252ZuUtf8(std::string_view(reinterpret_cast<const char*>(block + 1), laenge), wert);
}

std::string HexBytes(const Bytes& b) {
  return HexText(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

}  // namespace feld_detail
}  // namespace zaq
