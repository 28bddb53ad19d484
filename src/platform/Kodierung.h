#pragma once
// Text inside the program is UTF-8; files use Windows-1252.  These two
// functions are the only crossing point between the two.
#include <string>
#include <string_view>

namespace zaq {

// Every byte has a mapping, so this never fails and round-trips all 256 bytes.
std::string Cp1252ZuUtf8(std::string_view cp1252);

// Characters without a Windows-1252 form become '?'.
std::string Utf8ZuCp1252(std::string_view utf8);

// True when the text needs no conversion in either direction.
bool IstAscii(std::string_view text);

// Number of characters as Windows-1252 would count them (one per code point).
std::size_t Cp1252Laenge(std::string_view utf8);

}  // namespace zaq
