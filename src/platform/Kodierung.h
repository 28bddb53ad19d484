#pragma once
// Text inside the program is UTF-8; files use Windows-1252.  These two
// functions are the only crossing point between the two.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace zaq {

// Every byte has a mapping, so this never fails and round-trips all 256 bytes.
std::string Cp1252ZuUtf8(std::string_view cp1252);
// The same into a string that keeps its buffer (fields read from a file).
void Cp1252ZuUtf8(std::string_view cp1252, std::string& utf8);

// Characters without a Windows-1252 form become '?'.
std::string Utf8ZuCp1252(std::string_view utf8);
// The same into Cp1252Laenge(utf8) bytes at ziel (fields written to a file).
void Utf8ZuCp1252(std::string_view utf8, char* ziel);

// True when the text needs no conversion in either direction.  Every text
// field of a file is checked, so this looks at eight bytes at a time.
inline bool IstAscii(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, text.data() + i, 8);
    if (w & 0x8080808080808080u) return false;
  }
  for (; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  return true;
}

// The first character of a UTF-8 text that Windows-1252 cannot hold, as
// UTF-8 (U+FFFD for a byte that starts no valid sequence); none when the
// whole text can be stored.  Every input that is stored is checked with it.
std::optional<std::string> ErstesFremdzeichen(std::string_view utf8);
// "U+0131"
std::string Codepunkt(std::string_view zeichen);

// Number of characters as Windows-1252 would count them (one per code point;
// a byte that starts no valid sequence counts as one).
std::size_t Cp1252Laenge(std::string_view utf8);

}  // namespace zaq
