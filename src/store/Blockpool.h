#pragma once
// Equal-sized blocks for the records a member file holds by the ten thousand
// (members, their accounts).  Taking and returning a block moves a pointer,
// and the memory of a closed list serves the next one instead of going back
// to the system and being faulted in again.  Under AddressSanitizer every
// block comes from the global heap, so that misuse is still caught.
#include <cstddef>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace zaq {

class TBlockpool {
 public:
  explicit TBlockpool(std::size_t groesse);
  TBlockpool(const TBlockpool&) = delete;
  TBlockpool& operator=(const TBlockpool&) = delete;

  void* Holen();
  void Zurueck(void* block) noexcept;

 private:
  struct Frei {
    Frei* naechster;
  };
  const std::size_t FGroesse;
  std::mutex FSperre;
  Frei* FFrei = nullptr;
  std::vector<std::unique_ptr<std::byte[]>> FStuecke;
  std::byte* FNeu = nullptr;  // the untouched rest of the newest chunk
  std::size_t FNeuRest = 0;
};

// Class-specific allocation of T from one pool that lives as long as the process.
template <class T>
struct AusBlockpool {
  static void* operator new(std::size_t n) {
    if (n != sizeof(T)) return ::operator new(n);  // a derived class
    return Pool().Holen();
  }
  static void operator delete(void* p, std::size_t n) noexcept {
    if (n != sizeof(T)) return ::operator delete(p);
    Pool().Zurueck(p);
  }

 private:
  static TBlockpool& Pool() {
    // Never destroyed: blocks may be returned while static objects are torn down.
    static TBlockpool* pool = new TBlockpool(sizeof(T));
    return *pool;
  }
};

}  // namespace zaq
