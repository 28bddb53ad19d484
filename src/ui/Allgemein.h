#pragma once
// General helpers every subsystem uses: dates on day numbers, text fields,
// hexadecimal and scrambling encodings, bank data texts, placeholders.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zaq {

using Tag = std::int32_t;  // days since 30.12.1899; 0 = no date

struct Datum {
  int jahr = 1899;
  int monat = 12;
  int tag = 30;
};

// Calendar conversions of day numbers.
Datum ZerlegeDatum(Tag tag);
Tag KodiereDatum(int jahr, int monat, int tag);  // no range check
bool GueltigesDatum(int jahr, int monat, int tag);

std::string DatumText(Tag tag, bool leerBeiNull = false);
std::string DatumZeitText(double zeit);
std::optional<Tag> TextZuDatum(std::string_view text);
bool IstDatum(std::string_view text);
Tag Heute();
double Jetzt();
Tag Jahresende();
Tag NaechstesJahresende();
int VolleJahre(Tag von, Tag bis);
int Monate(Tag von, Tag bis);
int TageOhneSchalttag(Tag von, Tag bis);
Tag PlusJahre(Tag tag, int jahre);
std::int64_t ZeitstempelZahl(double zeit);
double ZahlZuZeitstempel(std::int64_t zahl);
double OhneMillisekunden(double zeit);
// A date in a free format: "dd" "mm" "yy" "yyyy" "hh" "nn" "ss" are replaced.
std::string FormatDatum(std::string_view format, double zeit);

// Text fields.
std::string Trim(std::string_view text);
std::string TrimLinks(std::string_view text);
std::string TrimRechts(std::string_view text);
std::string Gross(std::string_view text);   // upper case, umlauts included
std::string Klein(std::string_view text);
bool GleichOhneGross(std::string_view a, std::string_view b);
std::string Feld(std::string_view text, std::string_view trenner, int n);
std::int64_t FeldZahl(std::string_view text, std::string_view trenner, int n);
int FeldAnzahl(std::string_view text, std::string_view trenner);
std::string OhneLeerzeichen(std::string_view text);
std::string Einfach(std::string_view text, char zeichen);
std::string LinksAuffuellen(std::string_view text, std::size_t n);
std::string NullenAuffuellen(std::string_view text, std::size_t n);
std::string AnhaengenMitTrenner(std::string_view text, std::string_view zusatz,
                                std::string_view trenner);
bool NurZiffern(std::string_view text);
bool IstZahltext(std::string_view text);
bool WorteEnthalten(std::string_view muster, std::string_view text);
std::string ListeMitKomma(std::string_view text);
std::string ListeMitTab(std::string_view text);
std::string Ersetze(std::string_view text, std::string_view alt, std::string_view neu);
// Whole decimal number (optional sign, blanks around allowed), 32 bits.
std::optional<std::int32_t> ZuZahl(std::string_view text);
std::optional<std::int64_t> ZuZahl64(std::string_view text);

// Hex texts work on raw bytes (the Windows-1252 form of a text).
std::string HexText(std::string_view bytes);
std::string TextAusHex(std::string_view hex);
std::vector<std::uint8_t> BytesAusHex(std::string_view hex);
std::uint16_t Zeichensumme(std::string_view bytes);
std::string MD5Text(std::string_view bytes);
std::string Verschleiere(std::string_view bytes, std::uint16_t schluessel);
std::string Entschleiere(std::string_view bytes, std::uint16_t schluessel);

// Display forms of bank data.
std::string BLZText(std::string_view blz);
std::string KontoText(std::string_view konto, bool mitNullen = false);
std::string IBANText(std::string_view iban);

// Fee period placeholders in purpose texts.
std::string ErsetzePlatzhalter(std::string_view text, Tag von, Tag bis);

// Starts a program or opens a document with the desktop's program for it;
// the process number, or -1 (document failures have been reported).
long StarteProgramm(const std::string& programm, const std::string& parameter, const std::string& verzeichnis);
// Splits a command line at blanks; double quotes group.
std::vector<std::string> ZerlegeKommandozeile(std::string_view zeile);

std::string ProgrammVersion();
std::string Ausgabe();  // edition text
bool KopiereDatei(const std::string& quelle, const std::string& ziel);
std::uint64_t Dateigroesse(const std::string& name);
bool DateiExistiert(const std::string& name);
bool VerzeichnisExistiert(const std::string& name);

}  // namespace zaq
