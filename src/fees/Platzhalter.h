#pragma once
// The fee period placeholders of purpose texts ("%JAHRE%", "%DATVON8%", ...).
#include <string>
#include <string_view>

#include "base/Datum.h"

namespace zaq {

std::string ErsetzePlatzhalter(std::string_view text, Tag von, Tag bis);

}  // namespace zaq
