#pragma once
// Counts the heap memory a script engine holds: every block allocated with operator new on the
// engine's thread while one of its scripts runs (strings, arrays, dictionaries, objects, the
// capacity reserved for growing strings, the engine's own bookkeeping) stays charged to the
// engine's meter until it is freed, wherever and whenever that happens. The engine compares the
// count with its budget at safe points and stops a script that goes beyond it.
//
// The count rests on this library's replacement of the global operator new and delete: each
// block carries a small header naming the meter it was charged to (or none). Time spent outside
// the engine (in a host object's member) is charged to nobody.
#include <atomic>
#include <cstdint>

namespace quillon::vbscript {

class MemoryMeter {
 public:
  // A meter held by its owner; Release lets go of it. The meter itself lives until the last
  // block charged to it is freed (values the host keeps may outlive the engine).
  static MemoryMeter* Create();
  void Release();

  // Bytes of the blocks charged to this meter that are not freed yet, headers included.
  int64_t Bytes() const;

  // Charges this thread's allocations to `meter` (none when null) for as long as it lives.
  class Scope {
   public:
    explicit Scope(MemoryMeter* meter);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    MemoryMeter* saved_;
  };

  // Used by the allocation functions only.
  static MemoryMeter* Current();
  void Charge(int64_t bytes) { count_.fetch_add(bytes, std::memory_order_relaxed); }
  void Refund(int64_t bytes);

 private:
  // The owner's share of the count: the meter goes when the count reaches zero, which happens
  // once the owner has released it and every charged block is freed.
  static constexpr int64_t kOwnerShare = int64_t{1} << 60;
  MemoryMeter() = default;

  std::atomic<int64_t> count_{kOwnerShare};
};

}  // namespace quillon::vbscript
