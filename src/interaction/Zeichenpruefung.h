#pragma once
// Text the member file cannot hold is refused where it is typed: the file
// stores Windows-1252, which has no "ı", "ł", Cyrillic, Greek or emoji, and a
// character turned into "?" on saving would be lost (in a password it would
// make many passwords one).
#include <cstddef>
#include <string>
#include <string_view>

namespace zaq {

inline constexpr std::string_view kMitgliederdatei = "in der Mitgliederdatei";

// The message that names the character, the field and where it is stored.
std::string FremdzeichenText(std::string_view zeichen, std::string_view feld,
                             std::string_view ort = kMitgliederdatei);
// True when the text can be stored; else the message (error) and false.
bool Speicherbar(std::string_view text, std::string_view feld, std::string_view ort = kMitgliederdatei);
// True when the text has at most laenge characters; else the message
// (error) and false.  Fields of fixed size refuse rather than cut.
bool PasstInFeld(std::string_view text, std::size_t laenge, std::string_view feld);

}  // namespace zaq
