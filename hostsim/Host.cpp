#include "Host.h"

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
  if (failure_ == Failures::kNone) return true;
  std::string name = InfoOf(fn_).name;
  if (failure_ == SIM_FAIL_THROW) {
    if (host_.throwAllowed) throw SimHostFailure(name + ": injected failure");
    host_.Violation(name + ": an injected throw cannot leave Tsxapi.dll; the call failed with its result");
  }
  return false;
}

}  // namespace hostsim
