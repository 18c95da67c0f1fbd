// Where a call from outside (Windows, the host, a hook) enters our code. Nothing thrown or raised inside
// may travel back out: the caller is built by another compiler and cannot unwind our frames, and a
// structured exception left unhandled ends the host. A C++ exception, or a structured one (a fault of our
// own included), ends in the application's default error handling and the entry answers its fallback.
#pragma once

#include <utility>

#include "Application.h"
#include "SehGuard.h"

template <class Body>
auto EntryBarrier(Body body, decltype(body()) fallback) -> decltype(body()) {
  struct Entry {
    Body& body;
    decltype(body()) result;
    static void Run(void* self) {
      auto* entry = static_cast<Entry*>(self);
      try {
        entry->result = entry->body();
      } catch (...) {
        Application().HandleException();
      }
    }
  } entry{body, fallback};
  if (DWORD code = CallWithSehFrame(&Entry::Run, &entry)) {
    Application().HandleStructuredException(code);
    return fallback;
  }
  return entry.result;
}

template <class Body>
void EntryBarrier(Body body) {
  EntryBarrier(
      [&body] {
        body();
        return 0;
      },
      0);
}
