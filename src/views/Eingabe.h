#pragma once
// How dialog fields take what is typed: the same rules for every front end,
// so that the window and the tests see one behaviour.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Datum.h"
#include "base/Text.h"

namespace zaq {

struct TEingaberegel {
  std::size_t laenge = 0;     // at most this many characters; 0 = no limit
  bool gross = false;         // upper case as typed (keys, IBAN); "ß" stays "ß"
  bool kommaZuPunkt = false;  // date texts: a typed "," becomes "."
};

// The field's text after the user typed: upper-cased, "," turned into ".",
// cut to the length in characters.
std::string Getippt(const TEingaberegel& regel, std::string_view text);

// A decimal amount in the local form ("12,50", "-3", "1234,5"), exactly:
// at most two decimals.
std::optional<std::int64_t> LeseCent(std::string_view text);
std::optional<double> LeseBetrag(std::string_view text);
// An amount for a field stored as 32-bit float: none when it is no amount,
// or when the float cannot hold it to the cent (from 131.072 € on, where the
// float's steps exceed a cent); then zuGross is set.
std::optional<float> LeseFloatBetrag(std::string_view text, bool* zuGross = nullptr);
// The message for an amount the float cannot hold.
std::string ZuGrosserBetragText(std::string_view text);

// A date field: day 0 is no date and shows empty; day 2 (01.01.1900) is the
// date still to be entered and shows "TT.MM.JJJJ".
inline constexpr Tag kDatumOffen = 2;
std::string DatumsfeldText(Tag tag);
// The day of a date field's text ("," read as "."); none for a text that is
// no date.
std::optional<Tag> LeseDatumsfeld(std::string_view text);

// What opens a chooser beside a field, besides its button.
enum class Feldtaste { RechteMaustaste, BildAb };

}  // namespace zaq
