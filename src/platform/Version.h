#pragma once
// The program's file version.  Only Version.cpp sees the numbers, so a new
// version rebuilds one file.
#include <array>
#include <cstdint>
#include <string>

namespace zaq {

// Major, minor, release, build.
std::array<std::int32_t, 4> Dateiversion();
// "7.4a.1": the release as a letter.
std::string ProgrammVersion();
std::string Ausgabe();  // edition text

}  // namespace zaq
