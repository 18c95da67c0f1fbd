// Every call the plug-in makes into the host goes through HostCall. The host is built by another compiler:
// when one of its functions fails (an access violation on a handle gone stale, or its own language's
// exception) the failure arrives as a structured exception, which our C++ handlers would never see. Here
// it becomes an EStructuredException thrown at the call site, so each handler's own failure rule applies.
#pragma once

#include "SehGuard.h"
#include "TsxApi5.h"

template <class Fn, class... Args>
auto HostCall(Fn fn, Args... args) {
  return CallGuarded("a call to the host", fn, args...);
}
