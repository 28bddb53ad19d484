#include "store/Bild.h"

#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "base/Text.h"
#include "platform/Plattform.h"

namespace zaq {
namespace {

struct TjHandle {
  tjhandle h;
  explicit TjHandle(tjhandle handle) : h(handle) {}
  ~TjHandle() {
    if (h) tjDestroy(h);
  }
  TjHandle(const TjHandle&) = delete;
  TjHandle& operator=(const TjHandle&) = delete;
};

std::string Endung(const std::string& datei) {
  return Gross(plattform::PfadText(plattform::Pfad(datei).extension()));
}

// More pixels than any picture a user attaches; the limit keeps a damaged
// header from asking for gigabytes.
constexpr long kHoechstensPixel = 100'000'000L;

std::int64_t Wert(const plattform::Bytes& b, std::size_t pos, int bytes, bool mitVorzeichen = false) {
  std::uint64_t w = 0;
  for (int i = bytes - 1; i >= 0; --i) w = w << 8 | b[pos + static_cast<std::size_t>(i)];
  if (mitVorzeichen && bytes == 4) return static_cast<std::int32_t>(static_cast<std::uint32_t>(w));
  return static_cast<std::int64_t>(w);
}

// Whether the bitmap is one the reader takes and the file holds all its
// pixels: uncompressed, 8, 24 or 32 bits per pixel, one plane.
bool BitmapVollstaendig(const plattform::Bytes& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  const std::int64_t daten = Wert(b, 10, 4), kopf = Wert(b, 14, 4);
  if (kopf < 40 || kopf > 124) return false;
  const std::int64_t breite = Wert(b, 18, 4, true), hoehe = std::abs(Wert(b, 22, 4, true));
  const std::int64_t ebenen = Wert(b, 26, 2), bits = Wert(b, 28, 2), kompression = Wert(b, 30, 4);
  if (breite <= 0 || hoehe <= 0 || breite * hoehe > kHoechstensPixel || ebenen != 1 || kompression != 0) return false;
  if (bits != 8 && bits != 24 && bits != 32) return false;
  const std::int64_t zeile = (breite * bits + 31) / 32 * 4;
  return daten >= 14 + kopf && daten <= static_cast<std::int64_t>(b.size()) &&
         zeile * hoehe <= static_cast<std::int64_t>(b.size()) - daten;
}

}  // namespace

std::optional<Bild> AusJpeg(const std::vector<std::uint8_t>& jpeg) {
  if (jpeg.empty()) return std::nullopt;
  TjHandle d(tjInitDecompress());
  int breite = 0, hoehe = 0, unterabtastung = 0, farbraum = 0;
  if (!d.h || tjDecompressHeader3(d.h, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &breite, &hoehe,
                                  &unterabtastung, &farbraum) != 0 ||
      breite <= 0 || hoehe <= 0 || static_cast<long>(breite) * hoehe > kHoechstensPixel)
    return std::nullopt;
  Bild b{breite, hoehe, std::vector<std::uint8_t>(static_cast<std::size_t>(breite) * hoehe * 3)};
  if (tjDecompress2(d.h, jpeg.data(), static_cast<unsigned long>(jpeg.size()), b.rgb.data(), breite, 0, hoehe,
                    TJPF_RGB, 0) != 0)
    return std::nullopt;
  return b;
}

std::optional<Bild> LadeBilddatei(const std::string& datei) {
  const std::string endung = Endung(datei);
  if (endung == ".JPG" || endung == ".JPEG") {
    plattform::Bytes inhalt;
    if (!plattform::LeseDatei(plattform::Pfad(datei), inhalt)) return std::nullopt;
    return AusJpeg(inhalt);
  }
  if (endung != ".BMP") return std::nullopt;
  plattform::Bytes inhalt;
  if (!plattform::LeseDatei(plattform::Pfad(datei), inhalt) || !BitmapVollstaendig(inhalt)) return std::nullopt;
  int breite = 0, hoehe = 0, format = TJPF_RGB;
  unsigned char* pixel = tjLoadImage(datei.c_str(), &breite, 1, &hoehe, &format, 0);
  if (!pixel) return std::nullopt;
  std::unique_ptr<unsigned char, void (*)(unsigned char*)> frei(pixel, tjFree);
  Bild b{breite, hoehe, std::vector<std::uint8_t>(pixel, pixel + static_cast<std::size_t>(breite) * hoehe * 3)};
  return b;
}

Bild Verkleinere(const Bild& bild, int maxSeite) {
  const int laengste = std::max(bild.breite, bild.hoehe);
  if (laengste <= maxSeite || laengste == 0) return bild;
  const double f = static_cast<double>(maxSeite) / laengste;
  Bild neu;
  neu.breite = std::max(1, static_cast<int>(std::lround(bild.breite * f)));
  neu.hoehe = std::max(1, static_cast<int>(std::lround(bild.hoehe * f)));
  neu.rgb.resize(static_cast<std::size_t>(neu.breite) * neu.hoehe * 3);
  // Each new pixel is the mean of the source pixels its area covers.
  for (int y = 0; y < neu.hoehe; ++y) {
    const int y0 = y * bild.hoehe / neu.hoehe, y1 = std::max(y0 + 1, (y + 1) * bild.hoehe / neu.hoehe);
    for (int x = 0; x < neu.breite; ++x) {
      const int x0 = x * bild.breite / neu.breite, x1 = std::max(x0 + 1, (x + 1) * bild.breite / neu.breite);
      std::array<long, 3> summe{};
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx)
          for (int k = 0; k < 3; ++k)
            summe[static_cast<std::size_t>(k)] += bild.rgb[(static_cast<std::size_t>(sy) * bild.breite + sx) * 3 + k];
      const long n = static_cast<long>(y1 - y0) * (x1 - x0);
      for (int k = 0; k < 3; ++k)
        neu.rgb[(static_cast<std::size_t>(y) * neu.breite + x) * 3 + k] =
            static_cast<std::uint8_t>((summe[static_cast<std::size_t>(k)] + n / 2) / n);
    }
  }
  return neu;
}

std::vector<std::uint8_t> AlsJpeg(const Bild& bild, int qualitaet) {
  TjHandle c(tjInitCompress());
  unsigned char* ziel = nullptr;
  unsigned long laenge = 0;
  if (!c.h || tjCompress2(c.h, bild.rgb.data(), bild.breite, 0, bild.hoehe, TJPF_RGB, &ziel, &laenge,
                          TJSAMP_444, qualitaet, 0) != 0) {
    if (ziel) tjFree(ziel);
    return {};
  }
  std::vector<std::uint8_t> jpeg(ziel, ziel + laenge);
  tjFree(ziel);
  return jpeg;
}

namespace {
struct Farbe {
  std::uint8_t r, g, b;
};
// Background and figure colours of the built-in pictures.
constexpr std::array<std::pair<Farbe, Farbe>, 6> kEingebaut = {{
    {{70, 110, 170}, {235, 235, 240}},
    {{170, 60, 70}, {250, 235, 225}},
    {{60, 140, 80}, {240, 245, 225}},
    {{200, 140, 40}, {250, 245, 230}},
    {{110, 80, 160}, {240, 235, 250}},
    {{90, 90, 90}, {230, 230, 230}},
}};
}  // namespace

int AnzahlEingebauteBilder() { return static_cast<int>(kEingebaut.size()); }

Bild EingebautesBild(int nummer) {
  // A head and shoulders on a coloured ground, drawn at 64 × 64.
  const auto& [grund, figur] = kEingebaut[static_cast<std::size_t>(std::clamp(nummer, 0, AnzahlEingebauteBilder() - 1))];
  Bild b{64, 64, std::vector<std::uint8_t>(64 * 64 * 3)};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const double kopf = std::hypot(x - 31.5, y - 24.0);
      const double schultern = std::hypot((x - 31.5) / 1.6, y - 66.0);
      const Farbe& f = kopf < 13 || schultern < 22 ? figur : grund;
      auto* p = &b.rgb[(static_cast<std::size_t>(y) * 64 + x) * 3];
      p[0] = f.r;
      p[1] = f.g;
      p[2] = f.b;
    }
  return b;
}

}  // namespace zaq
