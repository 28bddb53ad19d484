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
  std::weak_ptr<const char> Beobachter() const { return FZeichen; }

 private:
  std::shared_ptr<const char> FZeichen = std::make_shared<const char>('\0');
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
