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
constexpr size_t kQuarantined = 1 << 14;         // blocks held back from reuse, at most
constexpr size_t kQuarantinedBytes = 64u << 20;  // and at most this much memory: the address space is 2 GB
void* Quarantine[kQuarantined];
size_t Oldest = 0, Held = 0, HeldBytes = 0;
long StaleWrites = 0;

bool StillPoisoned(void* block) {
  auto* bytes = static_cast<const unsigned char*>(block);
  for (size_t i = 0, size = _msize(block); i < size; ++i)
    if (bytes[i] != kPoison) return false;
  return true;
}

void ReleaseOldest() {
  void* block = Quarantine[Oldest];
  Oldest = (Oldest + 1) % kQuarantined;
  --Held;
  HeldBytes -= _msize(block);
  if (!StillPoisoned(block)) ++StaleWrites;
  free(block);
}

void Release(void* block) {
  if (!block) return;
  size_t size = _msize(block);
  memset(block, kPoison, size);
  while (Held > 0 && (Held == kQuarantined || HeldBytes + size > kQuarantinedBytes)) ReleaseOldest();
  Quarantine[(Oldest + Held) % kQuarantined] = block;
  ++Held;
  HeldBytes += size;
}
// The module may be unloaded and loaded again many times in one process: what it holds goes back to the
// heap when it unloads.
struct TQuarantineRelease {
  ~TQuarantineRelease() {
    while (Held > 0) ReleaseOldest();
  }
} ReleaseAtUnload;
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
