#include "store/Blockpool.h"

#include <algorithm>
#include <cstdlib>

namespace zaq {
namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kEigenerSpeicher = false;
#else
const bool kEigenerSpeicher = !std::getenv("ZAQ_OHNE_POOL");
#endif
constexpr std::size_t kStueck = 1u << 20;
}  // namespace

TBlockpool::TBlockpool(std::size_t groesse)
    : FGroesse((std::max(groesse, sizeof(Frei)) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
               alignof(std::max_align_t)) {}

void* TBlockpool::Holen() {
  if (!kEigenerSpeicher) return ::operator new(FGroesse);
  std::lock_guard sperre(FSperre);
  if (FFrei) {
    Frei* block = FFrei;
    FFrei = block->naechster;
    return block;
  }
  if (FNeuRest < FGroesse) {
    const std::size_t groesse = std::max(kStueck, FGroesse);
    FStuecke.push_back(std::make_unique_for_overwrite<std::byte[]>(groesse));
    FNeu = FStuecke.back().get();
    FNeuRest = groesse;
  }
  void* block = FNeu;
  FNeu += FGroesse;
  FNeuRest -= FGroesse;
  return block;
}

void TBlockpool::Zurueck(void* block) noexcept {
  if (!block) return;
  if (!kEigenerSpeicher) return ::operator delete(block);
  std::lock_guard sperre(FSperre);
  FFrei = new (block) Frei{FFrei};
}

}  // namespace zaq
