// Linked into a second build of the module, for the suites that hunt for memory used after it was freed
// (a host that calls back inside its own changes can free the panel's items under a handler's feet).
// Wine's heap leaves a freed block as it was, so a stale pointer keeps working. Here a freed block is
// filled with 0xDD and kept out of reuse for a while: a stale read finds garbage pointers and faults (the
// module's barrier then shows the error box, which the suites treat as a fault), and a stale write is
// counted when the block finally goes back to the heap.
#include <malloc.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
constexpr unsigned char kPoison = 0xDD;
constexpr size_t kQuarantined = 1 << 14;  // blocks held back from reuse
void* Quarantine[kQuarantined];
size_t NextSlot = 0;
long StaleWrites = 0;

bool StillPoisoned(void* block) {
  auto* bytes = static_cast<const unsigned char*>(block);
  for (size_t i = 0, size = _msize(block); i < size; ++i)
    if (bytes[i] != kPoison) return false;
  return true;
}

void Release(void* block) {
  if (!block) return;
  memset(block, kPoison, _msize(block));
  void*& slot = Quarantine[NextSlot++ % kQuarantined];
  if (slot) {
    if (!StillPoisoned(slot)) ++StaleWrites;
    free(slot);
  }
  slot = block;
}
}  // namespace

void* operator new(size_t size) {
  if (void* block = malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](size_t size) {
  return operator new(size);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, size_t) noexcept {
  Release(block);
}

// Freed blocks written to after they were freed, among those that have left the quarantine so far.
extern "C" __declspec(dllexport) long __cdecl QuillonStaleWrites(void) {
  return StaleWrites;
}
