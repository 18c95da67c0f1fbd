#include "Host.h"

#include <cstdint>

#include "SimControl.h"

namespace hostsim {

Host& Host::Get() {
  static Host host;
  return host;
}

HostCall Host::Enter(Fn fn, std::uint32_t a0, std::uint32_t a1, std::uint32_t a2) {
  log.Record(fn, a0, a1, a2);
  if (loaderSpan) Violation(std::string(InfoOf(fn).name) + ": called inside the loader span");
  return HostCall(*this, fn, failures.Due(fn));
}

void Host::Violation(std::string text) {
  ++violationCount;
  lastViolation = std::move(text);
}

Object* HostCall::Live(SobjHandle handle) {
  switch (host_.scene.StateOf(handle)) {
    case HandleState::kAlive:
      return host_.scene.Find(handle);
    case HandleState::kDead:
      host_.Violation(std::string(InfoOf(fn_).name) + ": dead handle " +
                      FormatHandle(RawOf(handle), host_.scene));
      return nullptr;
    case HandleState::kUnknown:
      break;
  }
  host_.Violation(std::string(InfoOf(fn_).name) + (handle ? ": unknown handle " : ": null handle ") +
                  FormatHandle(RawOf(handle), host_.scene));
  return nullptr;
}

bool HostCall::Proceeds() {
  switch (failure_) {
    case Failures::kNone:
      return true;
    case SIM_FAIL_ACCESS_VIOLATION: {
      // The first 64 KB of the address space are never mapped: a stale pointer's write, for real.
      volatile std::uintptr_t unmapped = 0x10;
      *reinterpret_cast<volatile int*>(unmapped) = 0;
      return false;
    }
    case SIM_FAIL_FOREIGN: {
      // What a Microsoft C++ throw hands to RaiseException: its magic number, the object, its type.
      const ULONG_PTR arguments[3] = {0x19930520, 0, 0};
      RaiseException(SIM_FOREIGN_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE, 3, arguments);
      return false;
    }
    default:
      return false;
  }
}

}  // namespace hostsim
