#pragma once
// Text fields: trimming, case, separated fields, padding, numbers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zaq {

std::string Trim(std::string_view text);
std::string TrimLinks(std::string_view text);
std::string TrimRechts(std::string_view text);
std::string Gross(std::string_view text);   // upper case, umlauts included, one character each ("ß" stays)
// Upper case for comparing texts: ICU's full mapping, so "ß" becomes "SS".
std::string GrossVergleich(std::string_view text);
// The number of characters of a UTF-8 text.
std::size_t Zeichenzahl(std::string_view utf8);
std::string Klein(std::string_view text);
bool GleichOhneGross(std::string_view a, std::string_view b);
std::string Feld(std::string_view text, std::string_view trenner, int n);
std::int64_t FeldZahl(std::string_view text, std::string_view trenner, int n);
int FeldAnzahl(std::string_view text, std::string_view trenner);
std::string OhneLeerzeichen(std::string_view text);
// The first n characters of a UTF-8 text.
std::string ErsteZeichen(std::string_view text, std::size_t n);
// n characters from character ab on (0-based), fewer at the end.
std::string Teiltext(std::string_view text, std::size_t ab, std::size_t n);
std::string Einfach(std::string_view text, char zeichen);
std::string LinksAuffuellen(std::string_view text, std::size_t n);
std::string NullenAuffuellen(std::string_view text, std::size_t n);
std::string AnhaengenMitTrenner(std::string_view text, std::string_view zusatz,
                                std::string_view trenner);
bool NurZiffern(std::string_view text);
// Whether the first character of a UTF-8 text is a letter (Ä, ß, é included)
// or a decimal digit.
bool IstBuchstabe(std::string_view zeichen);
bool IstZiffer(std::string_view zeichen);
bool IstZahltext(std::string_view text);
bool WorteEnthalten(std::string_view muster, std::string_view text);
std::string ListeMitKomma(std::string_view text);
std::string ListeMitTab(std::string_view text);
std::string Ersetze(std::string_view text, std::string_view alt, std::string_view neu);
// Compares two texts as German readers order them (ICU's collator for "de",
// default settings: case counts, blanks and punctuation count); <0, 0, >0.
int VergleicheText(std::string_view a, std::string_view b);
// A text's collation key: comparing two keys bytewise gives what
// VergleicheText gives for the texts.
std::string Sortierform(std::string_view text);
// The same order with upper and lower case counting alike (secondary
// strength: accents and umlauts still count).
int VergleicheTextOhneGross(std::string_view a, std::string_view b);

// Whole decimal number (optional sign, blanks around allowed), 32 bits.
std::optional<std::int32_t> ZuZahl(std::string_view text);
std::optional<std::int64_t> ZuZahl64(std::string_view text);

}  // namespace zaq
