#pragma once
// User pictures: loading BMP and JPEG files, scaling down, JPEG bytes, and the
// built-in pictures.  libjpeg-turbo does the codec work.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zaq {

struct Bild {
  int breite = 0;
  int hoehe = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes per pixel, rows top to bottom
};

// By the file's extension: ".BMP" a bitmap, ".JPG"/".JPEG" a JPEG; nullopt otherwise.
std::optional<Bild> LadeBilddatei(const std::string& datei);
// Scales so that the longer side is at most maxSeite, averaging the pixels
// each new pixel covers; never enlarges.
Bild Verkleinere(const Bild& bild, int maxSeite);
std::vector<std::uint8_t> AlsJpeg(const Bild& bild, int qualitaet);
std::optional<Bild> AusJpeg(const std::vector<std::uint8_t>& jpeg);

// Pictures users can choose without a file of their own, numbered from 0.
int AnzahlEingebauteBilder();
Bild EingebautesBild(int nummer);

}  // namespace zaq
