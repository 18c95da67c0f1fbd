// What a test reads back about the plug-in's conduct (call log, violations) and what it does to the host
// to provoke it (injected failures, hostile answers).
#include <algorithm>
#include <cstring>

#include "Host.h"
#include "SimControl.h"

using namespace hostsim;

namespace {

Host& host = Host::Get();

// Returns the full length; copies what fits, always zero-terminated.
int CopyOut(const std::string& text, char* buffer, int bufferSize) {
  if (buffer && bufferSize > 0) {
    std::size_t copied = std::min(text.size(), static_cast<std::size_t>(bufferSize - 1));
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(text.size());
}

}  // namespace

extern "C" {

int __cdecl simLogCount(void) {
  return host.log.Size();
}

int __cdecl simLogEntry(int index, char* buffer, int bufferSize) {
  if (index < 0 || index >= host.log.Size()) return -1;
  return CopyOut(host.log.Format(index, host.scene), buffer, bufferSize);
}

void __cdecl simLogClear(void) {
  host.log.Clear();
}

int __cdecl simLogCountOf(const char* function) {
  Fn fn = function ? FnNamed(function) : Fn::kCount;
  return fn == Fn::kCount ? 0 : host.log.CountOf(fn);
}

void __cdecl simLogEnable(int enabled) {
  host.log.enabled = enabled != 0;
}

int __cdecl simViolationCount(void) {
  return host.violationCount;
}

int __cdecl simLastViolation(char* buffer, int bufferSize) {
  return CopyOut(host.lastViolation, buffer, bufferSize);
}

void __cdecl simResetViolations(void) {
  host.violationCount = 0;
  host.lastViolation.clear();
}

void __cdecl simSetLoaderSpan(int inside) {
  host.loaderSpan = inside != 0;
}

void __cdecl simFailCall(const char* function, int nth, int mode) {
  host.failures.Arm(function ? FnNamed(function) : Fn::kCount, nth, mode);
}

void __cdecl simClearFailures(void) {
  host.failures.Clear();
}

void __cdecl simSetReentrant(int reentrant) {
  host.reentrant = reentrant != 0;
}

void __cdecl simOverrideNext(SobjHandle object, SobjHandle next) {
  if (Object* o = host.scene.Find(object)) o->nextOverride = next;
}

void __cdecl simSetEndlessMaterials(SobjHandle object, int endless) {
  if (Object* o = host.scene.Find(object)) o->endlessMaterials = endless != 0;
}

void __cdecl simSetUnterminatedName(SobjHandle object, int unterminated) {
  if (Object* o = host.scene.Find(object)) o->unterminatedName = unterminated != 0;
}

}  // extern "C"
