#include "vbscript/MemoryMeter.h"

#include <cstdlib>
#include <new>

namespace quillon::vbscript {
namespace {

thread_local MemoryMeter* current_meter = nullptr;

// Sits in front of every block; 16 bytes, so the block keeps the default alignment.
struct alignas(16) Header {
  MemoryMeter* meter;
  size_t size;  // what the block took, header and alignment padding included
};
static_assert(sizeof(Header) == 16);
static_assert(__STDCPP_DEFAULT_NEW_ALIGNMENT__ <= sizeof(Header));

void* Allocate(size_t size, size_t alignment) noexcept {
  size_t offset = alignment > sizeof(Header) ? alignment : sizeof(Header);
  if (size > SIZE_MAX - offset - alignment) return nullptr;
  size_t total = size + offset;
  void* base = nullptr;
  if (alignment > sizeof(Header)) {
    total = (total + alignment - 1) / alignment * alignment;
    base = std::aligned_alloc(alignment, total);
  } else {
    base = std::malloc(total);
  }
  if (base == nullptr) return nullptr;
  char* block = static_cast<char*>(base) + offset;
  Header* header = reinterpret_cast<Header*>(block) - 1;
  header->meter = current_meter;
  header->size = total;
  if (header->meter != nullptr) header->meter->Charge(static_cast<int64_t>(total));
  return block;
}

void Free(void* block, size_t alignment) noexcept {
  if (block == nullptr) return;
  size_t offset = alignment > sizeof(Header) ? alignment : sizeof(Header);
  Header* header = static_cast<Header*>(block) - 1;
  if (header->meter != nullptr) header->meter->Refund(static_cast<int64_t>(header->size));
  std::free(static_cast<char*>(block) - offset);
}

void* AllocateOrThrow(size_t size, size_t alignment) {
  while (true) {
    if (void* block = Allocate(size, alignment)) return block;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

}  // namespace

MemoryMeter* MemoryMeter::Create() { return new MemoryMeter(); }

void MemoryMeter::Release() { Refund(kOwnerShare); }

void MemoryMeter::Refund(int64_t bytes) {
  if (count_.fetch_sub(bytes, std::memory_order_acq_rel) == bytes) delete this;
}

int64_t MemoryMeter::Bytes() const { return count_.load(std::memory_order_relaxed) - kOwnerShare; }

MemoryMeter* MemoryMeter::Current() { return current_meter; }

MemoryMeter::Scope::Scope(MemoryMeter* meter) : saved_(current_meter) { current_meter = meter; }

MemoryMeter::Scope::~Scope() { current_meter = saved_; }

}  // namespace quillon::vbscript

// The replaceable allocation functions of the language, all of them, so that every block has
// the header that Free reads.
namespace {
constexpr size_t kPlain = 0;
}

void* operator new(size_t size) { return quillon::vbscript::AllocateOrThrow(size, kPlain); }
void* operator new[](size_t size) { return quillon::vbscript::AllocateOrThrow(size, kPlain); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  return quillon::vbscript::Allocate(size, kPlain);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  return quillon::vbscript::Allocate(size, kPlain);
}
void* operator new(size_t size, std::align_val_t alignment) {
  return quillon::vbscript::AllocateOrThrow(size, static_cast<size_t>(alignment));
}
void* operator new[](size_t size, std::align_val_t alignment) {
  return quillon::vbscript::AllocateOrThrow(size, static_cast<size_t>(alignment));
}
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return quillon::vbscript::Allocate(size, static_cast<size_t>(alignment));
}
void* operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return quillon::vbscript::Allocate(size, static_cast<size_t>(alignment));
}

void operator delete(void* block) noexcept { quillon::vbscript::Free(block, kPlain); }
void operator delete[](void* block) noexcept { quillon::vbscript::Free(block, kPlain); }
void operator delete(void* block, size_t) noexcept { quillon::vbscript::Free(block, kPlain); }
void operator delete[](void* block, size_t) noexcept { quillon::vbscript::Free(block, kPlain); }
void operator delete(void* block, const std::nothrow_t&) noexcept {
  quillon::vbscript::Free(block, kPlain);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  quillon::vbscript::Free(block, kPlain);
}
void operator delete(void* block, std::align_val_t alignment) noexcept {
  quillon::vbscript::Free(block, static_cast<size_t>(alignment));
}
void operator delete[](void* block, std::align_val_t alignment) noexcept {
  quillon::vbscript::Free(block, static_cast<size_t>(alignment));
}
void operator delete(void* block, size_t, std::align_val_t alignment) noexcept {
  quillon::vbscript::Free(block, static_cast<size_t>(alignment));
}
void operator delete[](void* block, size_t, std::align_val_t alignment) noexcept {
  quillon::vbscript::Free(block, static_cast<size_t>(alignment));
}
void operator delete(void* block, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  quillon::vbscript::Free(block, static_cast<size_t>(alignment));
}
void operator delete[](void* block, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  quillon::vbscript::Free(block, static_cast<size_t>(alignment));
}
