#include "store/Stream.h"

#include <bit>

#include "platform/Kodierung.h"

namespace zaq {
static_assert(std::endian::native == std::endian::little, "the file format is little-endian");

namespace {

void SchreibeTag(TZAQStream& s, std::uint16_t id, std::uint8_t code) {
  std::uint16_t tag = static_cast<std::uint16_t>(id << 4 | code);
  s.Schreibe(&tag, 2);
}

}  // namespace

void SchreibeFeld(TZAQStream& s, const void* daten, std::uint16_t id, std::size_t n) {
  if (id > 4095) {
    s.FFehler = true;
    return;
  }
  std::uint8_t code;
  std::size_t laengenBytes = 0;
  if (n == 0) code = 0;
  else if (n <= 9) code = static_cast<std::uint8_t>(n + 4);
  else if (n <= 0xFF) { code = 1; laengenBytes = 1; }
  else if (n <= 0xFFFF) { code = 2; laengenBytes = 2; }
  else if (n <= 0xFFFFFF) { code = 3; laengenBytes = 3; }
  else { code = 4; laengenBytes = 4; }
  // Tag, length and data in one piece: fields are many and mostly small.
  std::uint8_t* ziel = s.Platz(2 + laengenBytes + n);
  const std::uint16_t tag = static_cast<std::uint16_t>(id << 4 | code);
  std::memcpy(ziel, &tag, 2);
  const auto laenge = static_cast<std::uint32_t>(n);
  std::memcpy(ziel + 2, &laenge, laengenBytes);
  if (n) std::memcpy(ziel + 2 + laengenBytes, daten, n);
}

void SchreibeBool(TZAQStream& s, bool wert, std::uint16_t id) { SchreibeTag(s, id, wert ? 15 : 14); }
void SchreibeByte(TZAQStream& s, std::uint8_t wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 1); }
void SchreibeInt16(TZAQStream& s, std::uint16_t wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 2); }
void SchreibeInt32(TZAQStream& s, std::int32_t wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 4); }
void SchreibeDouble(TZAQStream& s, double wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 8); }

void SchreibeText(TZAQStream& s, const std::string& utf8, std::uint16_t id) {
  if (IstAscii(utf8)) {
    SchreibeFeld(s, utf8.data(), id, utf8.size());
    return;
  }
  std::string cp = Utf8ZuCp1252(utf8);
  SchreibeFeld(s, cp.data(), id, cp.size());
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

void LeseKopf(TZAQStream& s, std::uint16_t& id, std::int32_t& groesse) {
  std::uint16_t tag = 0;
  s.Lies(&tag, 2);
  id = static_cast<std::uint16_t>(tag >> 4);
  std::uint8_t code = tag & 15;
  if (code == 0) groesse = 0;
  else if (code <= 4) {
    std::uint32_t laenge = 0;
    s.Lies(&laenge, code);
    // A length beyond 2^31 - 1 cannot be a valid field.
    if (laenge > 0x7FFFFFFFu) {
      s.FFehler = true;
      laenge = 0;
    }
    groesse = static_cast<std::int32_t>(laenge);
  } else if (code <= 13) groesse = code - 4;
  else groesse = code == 14 ? kBoolFalsch : kBoolWahr;
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
  const char* anfang = reinterpret_cast<const char*>(s.Daten().data() + s.Position());
  utf8 = Cp1252ZuUtf8(std::string_view(anfang, static_cast<std::size_t>(groesse)));
  s.Ueberspringen(static_cast<std::size_t>(groesse));
}

void LeseBytes(TZAQStream& s, Bytes& ziel, std::int32_t groesse) {
  if (groesse < 0 || static_cast<std::size_t>(groesse) > s.Rest()) {
    s.FFehler = true;
    return;
  }
  const std::uint8_t* anfang = s.Daten().data() + s.Position();
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
