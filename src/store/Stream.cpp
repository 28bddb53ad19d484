#include "store/Stream.h"

#include <bit>
#include <mutex>

#include "platform/Kodierung.h"

namespace zaq {
static_assert(std::endian::native == std::endian::little, "the file format is little-endian");

namespace {
struct Pufferreserve {
  std::mutex sperre;
  Bytes puffer;
};
Pufferreserve& Reserve() {
  static Pufferreserve reserve;
  return reserve;
}
}  // namespace

Bytes Dateipuffer() {
  Pufferreserve& r = Reserve();
  std::lock_guard sperre(r.sperre);
  Bytes puffer = std::move(r.puffer);
  r.puffer = Bytes();
  puffer.clear();
  return puffer;
}

void DateipufferAbgeben(Bytes puffer) {
  Pufferreserve& r = Reserve();
  std::lock_guard sperre(r.sperre);
  if (puffer.capacity() > r.puffer.capacity()) r.puffer = std::move(puffer);
}

void SchreibeText(TZAQStream& s, const std::string& utf8, std::uint16_t id) {
  if (IstAscii(utf8)) {
    SchreibeFeld(s, utf8.data(), id, utf8.size());
    return;
  }
  // Converted straight into the stream: one Windows-1252 byte per character.
  if (std::uint8_t* ziel = FeldKopf(s, id, Cp1252Laenge(utf8))) Utf8ZuCp1252(utf8, reinterpret_cast<char*>(ziel));
}

void SchreibeBytes(TZAQStream& s, const Bytes& wert, std::uint16_t id) {
  SchreibeFeld(s, wert.data(), id, wert.size());
}

void SchreibeIntegers(TZAQStream& s, const std::vector<std::int32_t>& wert, std::uint16_t id) {
  SchreibeFeld(s, wert.data(), id, wert.size() * 4);
}

void SchreibeBlock(TZAQStream& s, const void* daten, std::size_t groesse, std::uint16_t id) {
  SchreibeFeld(s, daten, id, groesse);
}

namespace {
template <class T>
void LeseGenau(TZAQStream& s, T& ziel, std::int32_t groesse) {
  if (groesse != static_cast<std::int32_t>(sizeof(T))) {
    s.FFehler = true;
    return;
  }
  s.Lies(&ziel, sizeof(T));
}
}  // namespace

void LeseBool(TZAQStream& s, bool& ziel, std::int32_t groesse) {
  if (groesse != kBoolFalsch && groesse != kBoolWahr) {
    s.FFehler = true;
    return;
  }
  ziel = groesse == kBoolWahr;
}

void LeseByte(TZAQStream& s, std::uint8_t& ziel, std::int32_t groesse) { LeseGenau(s, ziel, groesse); }
void LeseInt16(TZAQStream& s, std::uint16_t& ziel, std::int32_t groesse) { LeseGenau(s, ziel, groesse); }
void LeseInt16(TZAQStream& s, std::int16_t& ziel, std::int32_t groesse) { LeseGenau(s, ziel, groesse); }
void LeseInt32(TZAQStream& s, std::int32_t& ziel, std::int32_t groesse) { LeseGenau(s, ziel, groesse); }
void LeseInt32(TZAQStream& s, std::uint32_t& ziel, std::int32_t groesse) { LeseGenau(s, ziel, groesse); }
void LeseDouble(TZAQStream& s, double& ziel, std::int32_t groesse) { LeseGenau(s, ziel, groesse); }

void LeseText(TZAQStream& s, std::string& utf8, std::int32_t groesse) {
  if (groesse < 0 || static_cast<std::size_t>(groesse) > s.Rest()) {
    s.FFehler = true;
    return;
  }
  const std::string_view text(reinterpret_cast<const char*>(s.Zeiger()),
                             static_cast<std::size_t>(groesse));
  if (IstAscii(text)) utf8.assign(text);
  else Cp1252ZuUtf8(text, utf8);
  s.Ueberspringen(static_cast<std::size_t>(groesse));
}

void LeseBytes(TZAQStream& s, Bytes& ziel, std::int32_t groesse) {
  if (groesse < 0 || static_cast<std::size_t>(groesse) > s.Rest()) {
    s.FFehler = true;
    return;
  }
  const std::uint8_t* anfang = s.Zeiger();
  ziel.assign(anfang, anfang + groesse);
  s.Ueberspringen(static_cast<std::size_t>(groesse));
}

void LeseIntegers(TZAQStream& s, std::vector<std::int32_t>& ziel, std::int32_t groesse) {
  if (groesse < 0 || static_cast<std::size_t>(groesse) > s.Rest()) {
    s.FFehler = true;
    return;
  }
  ziel.resize(static_cast<std::size_t>(groesse) / 4);
  s.Lies(ziel.data(), ziel.size() * 4);
  s.Ueberspringen(static_cast<std::size_t>(groesse) % 4);
}

void LeseBlock(TZAQStream& s, void* ziel, std::size_t erwartet, std::int32_t groesse) {
  if (groesse < 0 || static_cast<std::size_t>(groesse) != erwartet) {
    s.FFehler = true;
    return;
  }
  s.Lies(ziel, erwartet);
}

void LeseBlockTolerant(TZAQStream& s, void* ziel, std::size_t erwartet, std::int32_t groesse) {
  if (groesse < 0 || groesse > 32) {
    s.FFehler = true;
    return;
  }
  auto n = static_cast<std::size_t>(groesse);
  auto* z = static_cast<std::uint8_t*>(ziel);
  if (n <= erwartet) {
    s.Lies(z, n);
    std::memset(z + n, 0, erwartet - n);
  } else {
    s.Lies(z, erwartet);
    s.Ueberspringen(n - erwartet);
  }
}

}  // namespace zaq
