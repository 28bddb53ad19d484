#pragma once
// Shared pieces of the fuzz targets: a private directory for the files a
// reader takes, and the silent front end (every question gets its
// preselected answer, nothing waits for a person).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace zaq::fuzz {

inline const std::filesystem::path& Verzeichnis() {
  static const std::filesystem::path v = [] {
    auto p = std::filesystem::temp_directory_path() / ("zaq-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p;
  }();
  return v;
}

// Writes the bytes to a file of the private directory; its path.
inline std::string Datei(const std::string& name, std::string_view inhalt) {
  const auto pfad = Verzeichnis() / name;
  std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
  aus.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
  return pfad.string();
}

inline std::string_view Text(const std::uint8_t* daten, std::size_t groesse) {
  return {reinterpret_cast<const char*>(daten), groesse};
}

}  // namespace zaq::fuzz
