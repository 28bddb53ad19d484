#include "platform/Version.h"

namespace zaq {

std::array<std::int32_t, 4> Dateiversion() {
  return {ZAQ_VERSION_MAJOR, ZAQ_VERSION_MINOR, ZAQ_VERSION_RELEASE, ZAQ_VERSION_BUILD};
}

std::string ProgrammVersion() {
  const auto v = Dateiversion();
  std::string text = std::to_string(v[0]) + "." + std::to_string(v[1]);
  if (v[2] != 0) text += static_cast<char>(v[2] + 96);
  return text + "." + std::to_string(v[3]);
}

std::string Ausgabe() { return "Ausgabe " + ProgrammVersion() + ", Februar 2019"; }

}  // namespace zaq
