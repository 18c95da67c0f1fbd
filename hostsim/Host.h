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
  bool reentrant = false;

  HWND mainView = nullptr;
  int viewRefreshCount = 0;
  float activeTime = 0.0f;
};

class HostCall {
 public:
  HostCall(Host& host, Fn fn, int failure) : host_(host), fn_(fn), failure_(failure) {}

  // The live object behind a handle the caller passed; null, dead and unknown handles are violations.
  Object* Live(SobjHandle handle);
  // False when an injected failure makes this call do nothing; raises a structured exception when the
  // failure asks for one. Every host function asks exactly once, after checking its handles, and nothing
  // of the host's with a destructor may be alive when it does: a raised failure unwinds past it.
  bool Proceeds();

 private:
  Host& host_;
  Fn fn_;
  int failure_;
};

}  // namespace hostsim
