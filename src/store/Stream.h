#pragma once
// TZAQStream and the tagged-field encoding of the member file: a 2-byte tag
// (12-bit field ID, 4-bit size code), an optional length, the data.
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace zaq {

using Bytes = std::vector<std::uint8_t>;

// A member file is read and written in one buffer of its size.  The largest
// buffer so far is kept for the next file, so that opening and saving a large
// list does not take fresh memory from the system, and clear it, each time.
Bytes Dateipuffer();                    // empty, with the kept capacity
void DateipufferAbgeben(Bytes puffer);  // offers a buffer that is no longer needed

// The whole file in memory, read or written in one piece.
class TZAQStream {
 public:
  TZAQStream() : FDaten(Dateipuffer()) {}
  explicit TZAQStream(Bytes daten) : FDaten(std::move(daten)), FEnde(FDaten.size()) {}
  TZAQStream(const TZAQStream&) = default;
  TZAQStream& operator=(const TZAQStream&) = default;
  TZAQStream(TZAQStream&&) = default;
  TZAQStream& operator=(TZAQStream&&) = default;
  ~TZAQStream() { DateipufferAbgeben(std::move(FDaten)); }

  std::size_t Position() const { return FPos; }
  void Positionieren(std::size_t pos) { FPos = pos; }
  std::size_t Groesse() const { return FEnde; }
  std::size_t Rest() const { return FPos < FEnde ? FEnde - FPos : 0; }
  // The bytes written or read, exactly Groesse() of them.
  Bytes& Daten() {
    Kuerzen();
    return FDaten;
  }
  const Bytes& Daten() const {
    Kuerzen();
    return FDaten;
  }

  // The bytes at the position (reading).
  const std::uint8_t* Zeiger() const { return FDaten.data() + FPos; }

  // Reading past the end sets FFehler and yields zero bytes.
  bool Lies(void* ziel, std::size_t n) {
    if (n > Rest()) {
      FFehler = true;
      std::memset(ziel, 0, n);
      FPos = FEnde;
      return false;
    }
    if (n) std::memcpy(ziel, FDaten.data() + FPos, n);
    FPos += n;
    return true;
  }
  bool Ueberspringen(std::size_t n) {
    if (n > Rest()) {
      FFehler = true;
      FPos = FEnde;
      return false;
    }
    FPos += n;
    return true;
  }
  void Schreibe(const void* quelle, std::size_t n) {
    std::uint8_t* ziel = Platz(n);
    if (n) std::memcpy(ziel, quelle, n);
  }
  // Reading stops at ende: the rest stays in the buffer but is not read.
  void Begrenzen(std::size_t ende) { FEnde = std::min(ende, FEnde); }
  void Reservieren(std::size_t n) { FDaten.reserve(n); }
  // Room for n bytes at the position, which moves past them.
  std::uint8_t* Platz(std::size_t n) {
    // The buffer grows by doubling and is cut to its length when handed out,
    // so that writing many small fields costs no more than copying them.
    if (FPos + n > FDaten.size()) {
      const std::size_t noetig = FPos + n;
      FDaten.resize(FDaten.capacity() >= noetig ? FDaten.capacity() : std::max(noetig, FDaten.size() * 2 + 4096));
    }
    std::uint8_t* ziel = FDaten.data() + FPos;
    FPos += n;
    if (FPos > FEnde) FEnde = FPos;
    return ziel;
  }

  std::int32_t FAnzahlUnbekannt = 0;
  bool FFehler = false;

 private:
  void Kuerzen() const {
    if (FDaten.size() != FEnde) FDaten.resize(FEnde);
  }
  mutable Bytes FDaten;
  std::size_t FEnde = 0;
  std::size_t FPos = 0;
};

// Data sizes LeseKopf reports for the two Boolean codes.
inline constexpr std::int32_t kBoolFalsch = -2;
inline constexpr std::int32_t kBoolWahr = -1;

// Writers.  Text arguments are UTF-8 and are stored as Windows-1252.
// Tag and length of a field with n data bytes; the room for the data, or
// none for an ID beyond 12 bits.  Inline: a member file has millions of fields.
inline std::uint8_t* FeldKopf(TZAQStream& s, std::uint16_t id, std::size_t n) {
  if (id > 4095) {
    s.FFehler = true;
    return nullptr;
  }
  std::uint8_t code;
  std::size_t laengenBytes = 0;
  if (n == 0) code = 0;
  else if (n <= 9) code = static_cast<std::uint8_t>(n + 4);
  else if (n <= 0xFF) { code = 1; laengenBytes = 1; }
  else if (n <= 0xFFFF) { code = 2; laengenBytes = 2; }
  else if (n <= 0xFFFFFF) { code = 3; laengenBytes = 3; }
  else { code = 4; laengenBytes = 4; }
  // Tag, length and data in one piece.
  std::uint8_t* ziel = s.Platz(2 + laengenBytes + n);
  const std::uint16_t tag = static_cast<std::uint16_t>(id << 4 | code);
  std::memcpy(ziel, &tag, 2);
  // Four length bytes always fit (a field with a length has at least ten data
  // bytes); the data then overwrite those not needed.
  const auto laenge = static_cast<std::uint32_t>(n);
  if (laengenBytes) std::memcpy(ziel + 2, &laenge, 4);
  return ziel + 2 + laengenBytes;
}
inline void SchreibeFeld(TZAQStream& s, const void* daten, std::uint16_t id, std::size_t laenge) {
  std::uint8_t* ziel = FeldKopf(s, id, laenge);
  if (ziel && laenge) std::memcpy(ziel, daten, laenge);
}
inline void SchreibeBool(TZAQStream& s, bool wert, std::uint16_t id) {
  const std::uint16_t tag = static_cast<std::uint16_t>(id << 4 | (wert ? 15 : 14));
  s.Schreibe(&tag, 2);
}
inline void SchreibeByte(TZAQStream& s, std::uint8_t wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 1); }
inline void SchreibeInt16(TZAQStream& s, std::uint16_t wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 2); }
inline void SchreibeInt32(TZAQStream& s, std::int32_t wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 4); }
inline void SchreibeDouble(TZAQStream& s, double wert, std::uint16_t id) { SchreibeFeld(s, &wert, id, 8); }
void SchreibeText(TZAQStream& s, const std::string& utf8, std::uint16_t id);
void SchreibeBytes(TZAQStream& s, const Bytes& wert, std::uint16_t id);
void SchreibeIntegers(TZAQStream& s, const std::vector<std::int32_t>& wert, std::uint16_t id);
void SchreibeBlock(TZAQStream& s, const void* daten, std::size_t groesse, std::uint16_t id);

// Readers.  A size the reader does not accept sets FFehler and reads nothing.
// The tag of a field: its ID and data size (kBoolFalsch, kBoolWahr for Booleans).
inline void LeseKopf(TZAQStream& s, std::uint16_t& id, std::int32_t& groesse) {
  std::uint16_t tag = 0;
  s.Lies(&tag, 2);
  id = static_cast<std::uint16_t>(tag >> 4);
  const std::uint8_t code = tag & 15;
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
void LeseBool(TZAQStream& s, bool& ziel, std::int32_t groesse);
void LeseByte(TZAQStream& s, std::uint8_t& ziel, std::int32_t groesse);
void LeseInt16(TZAQStream& s, std::uint16_t& ziel, std::int32_t groesse);
void LeseInt16(TZAQStream& s, std::int16_t& ziel, std::int32_t groesse);
void LeseInt32(TZAQStream& s, std::int32_t& ziel, std::int32_t groesse);
void LeseInt32(TZAQStream& s, std::uint32_t& ziel, std::int32_t groesse);
void LeseDouble(TZAQStream& s, double& ziel, std::int32_t groesse);
void LeseText(TZAQStream& s, std::string& utf8, std::int32_t groesse);
void LeseBytes(TZAQStream& s, Bytes& ziel, std::int32_t groesse);
void LeseIntegers(TZAQStream& s, std::vector<std::int32_t>& ziel, std::int32_t groesse);
void LeseBlock(TZAQStream& s, void* ziel, std::size_t erwartet, std::int32_t groesse);
void LeseBlockTolerant(TZAQStream& s, void* ziel, std::size_t erwartet, std::int32_t groesse);

}  // namespace zaq
