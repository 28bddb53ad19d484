#pragma once
// Lets a reference tell whether its cached target still exists, without the
// target knowing who points at it.  A copy is a new object with its own sign.
#include <memory>

namespace zaq {

class Lebenszeichen {
 public:
  Lebenszeichen() = default;
  Lebenszeichen(const Lebenszeichen&) {}
  Lebenszeichen& operator=(const Lebenszeichen&) { return *this; }
  // The sign is made when the first reference looks: most targets never get one.
  std::weak_ptr<const char> Beobachter() const {
    if (!FZeichen) FZeichen = std::make_shared<const char>('\0');
    return FZeichen;
  }

 private:
  mutable std::shared_ptr<const char> FZeichen;
};

// A cached pointer that reads as null once its target is destroyed.
template <class T>
class Zwischenspeicher {
 public:
  T* Get() const { return FBeobachter.expired() ? nullptr : FZiel; }
  void Setze(T* ziel) {
    FZiel = ziel;
    FBeobachter = ziel ? ziel->FLebt.Beobachter() : std::weak_ptr<const char>();
  }
  void Leeren() { Setze(nullptr); }

 private:
  T* FZiel = nullptr;
  std::weak_ptr<const char> FBeobachter;
};

}  // namespace zaq
