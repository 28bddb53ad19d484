#include "platform/Kodierung.h"

#include <unicode/ucnv.h>

#include <memory>
#include <stdexcept>

namespace zaq {
namespace {

struct ConverterDeleter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

ConverterPtr Oeffne(const char* name) {
  UErrorCode fehler = U_ZERO_ERROR;
  ConverterPtr c(ucnv_open(name, &fehler));
  if (U_FAILURE(fehler)) throw std::runtime_error(std::string("ICU-Konverter fehlt: ") + name);
  return c;
}

// One pair per thread: opening a converter costs far more than converting a field.
struct Konverter {
  ConverterPtr cp1252 = Oeffne("windows-1252");
  ConverterPtr utf8 = Oeffne("UTF-8");
  Konverter() {
    UErrorCode fehler = U_ZERO_ERROR;
    ucnv_setSubstChars(cp1252.get(), "?", 1, &fehler);
  }
};

Konverter& K() {
  thread_local Konverter k;
  return k;
}

bool NurAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}


}  // namespace

std::string Cp1252ZuUtf8(std::string_view text) {
  if (NurAscii(text)) return std::string(text);
  auto& k = K();
  std::string out(text.size() * 3, '\0');
  char* ziel = out.data();
  const char* quelle = text.data();
  UErrorCode fehler = U_ZERO_ERROR;
  ucnv_convertEx(k.utf8.get(), k.cp1252.get(), &ziel, out.data() + out.size(), &quelle,
                 text.data() + text.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                 &fehler);
  out.resize(static_cast<std::size_t>(ziel - out.data()));
  return out;
}

std::string Utf8ZuCp1252(std::string_view text) {
  if (NurAscii(text)) return std::string(text);
  auto& k = K();
  std::string out(text.size() + 1, '\0');
  char* ziel = out.data();
  const char* quelle = text.data();
  UErrorCode fehler = U_ZERO_ERROR;
  ucnv_convertEx(k.cp1252.get(), k.utf8.get(), &ziel, out.data() + out.size(), &quelle,
                 text.data() + text.size(), nullptr, nullptr, nullptr, nullptr, true, true,
                 &fehler);
  out.resize(static_cast<std::size_t>(ziel - out.data()));
  return out;
}

std::size_t Cp1252Laenge(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace zaq
