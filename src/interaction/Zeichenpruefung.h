#pragma once
// Text the member file cannot hold is refused where it is typed: the file
// stores Windows-1252, which has no "ı", "ł", Cyrillic, Greek or emoji, and a
// character turned into "?" on saving would be lost (in a password it would
// make many passwords one).
#include <string>
#include <string_view>

namespace zaq {

// The message that names the character and the field.
std::string FremdzeichenText(std::string_view zeichen, std::string_view feld);
// True when the text can be stored; else the message (error) and false.
bool Speicherbar(std::string_view text, std::string_view feld);

}  // namespace zaq
