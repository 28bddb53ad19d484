#pragma once
// Hex texts, checksums and the scrambling of stored secrets.  They work on
// raw bytes (the Windows-1252 form of a text).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zaq {

std::string HexText(std::string_view bytes);
std::string TextAusHex(std::string_view hex);
std::vector<std::uint8_t> BytesAusHex(std::string_view hex);
std::uint16_t Zeichensumme(std::string_view bytes);
std::string MD5Text(std::string_view bytes);
std::string Verschleiere(std::string_view bytes, std::uint16_t schluessel);
std::string Entschleiere(std::string_view bytes, std::uint16_t schluessel);

}  // namespace zaq
