#include "tests/differential/memory_cap.h"

#include <cstdlib>
#include <new>

namespace quorl::differential {
namespace {

// Each block carries its size in front, so that every form of delete can
// give it back to the count.
constexpr size_t kHeader = alignof(std::max_align_t);

size_t ceiling = static_cast<size_t>(-1);
size_t inUse = 0;
bool reached = false;

void* Allocate(size_t size) {
  if (size > ceiling - inUse) {
    reached = true;
    throw std::bad_alloc();
  }
  void* block = std::malloc(size + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<size_t*>(block) = size;
  inUse += size;
  return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - kHeader;
  inUse -= *static_cast<size_t*>(block);
  std::free(block);
}

}  // namespace

void SetMemoryCeiling(size_t bytes) {
  ceiling = bytes;
}

bool TakeCeilingReached() {
  bool was = reached;
  reached = false;
  return was;
}

}  // namespace quorl::differential

void* operator new(size_t size) {
  return quorl::differential::Allocate(size);
}
void* operator new[](size_t size) {
  return quorl::differential::Allocate(size);
}
void operator delete(void* pointer) noexcept {
  quorl::differential::Release(pointer);
}
void operator delete[](void* pointer) noexcept {
  quorl::differential::Release(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
  quorl::differential::Release(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
  quorl::differential::Release(pointer);
}
