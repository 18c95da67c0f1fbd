// What the extended tree view must know about the system it runs on: the platform and the version of the
// common controls library. Both are read once, when first asked for, and never change afterwards; a test
// may put other facts in their place to see how the control reacts to a system it does not run on.
#pragma once

#include <windows.h>

struct TQxPlatformFacts {
  DWORD PlatformId = 0;
  // comctl32.dll's file version; both words 0 when it could not be read.
  DWORD ComCtl32VersionMS = 0;
  DWORD ComCtl32VersionLS = 0;
};

const TQxPlatformFacts& QxPlatformFacts();
bool IsWinNT();

// For tests only: the facts to report from now on, and back to the system's own.
void SetQxPlatformFactsForTesting(const TQxPlatformFacts& facts);
void ResetQxPlatformFactsForTesting();
