#pragma once
// A realistic fictitious club for trying the program out and for benchmarks.
#include <memory>

#include "store/ZAQ.h"

namespace zaq::cli {

std::unique_ptr<TZAQ> ErzeugeDemoverein(int mitglieder, unsigned saat);

}  // namespace zaq::cli
