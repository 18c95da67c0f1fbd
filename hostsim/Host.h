// The one simulated host: its scene, the plug-ins it holds, their registrations, and the bookkeeping a
// test reads back (call log, violations, injected failures).
#pragma once

#include <string>

#include "CallLog.h"
#include "Failures.h"
#include "Notifier.h"
#include "Plugins.h"
#include "Scene.h"

namespace hostsim {

class HostCall;

class Host {
 public:
  static Host& Get();

  // Logs a host call, notes a call made inside the loader span and counts it for failure injection.
  HostCall Enter(Fn fn, std::uint32_t a0 = 0, std::uint32_t a1 = 0, std::uint32_t a2 = 0);
  void Violation(std::string text);

  Scene scene;
  CallLog log;
  Failures failures;
  Notifier notifier;
  Plugins plugins;

  int violationCount = 0;
  std::string lastViolation;
  bool loaderSpan = false;
  // False inside Tsxapi.dll: a C++ exception cannot leave the DLL, so an injected throw there would end
  // the process instead of reaching the caller.
  bool throwAllowed = true;

  HWND mainView = nullptr;
  int viewRefreshCount = 0;
  float activeTime = 0.0f;
};

class HostCall {
 public:
  HostCall(Host& host, Fn fn, int failure) : host_(host), fn_(fn), failure_(failure) {}

  // The live object behind a handle the caller passed; null, dead and unknown handles are violations.
  Object* Live(SobjHandle handle);
  // False when an injected failure makes this call do nothing; throws SimHostFailure when the failure
  // asks for it. Every host function asks exactly once, after checking its handles.
  bool Proceeds();

 private:
  Host& host_;
  Fn fn_;
  int failure_;
};

}  // namespace hostsim
