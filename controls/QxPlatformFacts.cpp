#include "QxPlatformFacts.h"

#include <optional>
#include <vector>

namespace {
std::optional<TQxPlatformFacts> Facts;

DWORD ReadPlatformId() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  if (!GetVersionExA(&version)) return 0;
  return version.dwPlatformId;
}

void ReadComCtl32Version(TQxPlatformFacts& facts) {
  const char* file = "comctl32.dll";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return;
  std::vector<BYTE> buffer(size);
  if (!GetFileVersionInfoA(file, 0, size, buffer.data())) return;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(buffer.data(), "\\", reinterpret_cast<void**>(&info), &length)) return;
  if (!info || length < sizeof(VS_FIXEDFILEINFO)) return;
  facts.ComCtl32VersionMS = info->dwFileVersionMS;
  facts.ComCtl32VersionLS = info->dwFileVersionLS;
}
}  // namespace

const TQxPlatformFacts& QxPlatformFacts() {
  if (!Facts) {
    TQxPlatformFacts facts;
    facts.PlatformId = ReadPlatformId();
    ReadComCtl32Version(facts);
    Facts = facts;
  }
  return *Facts;
}

bool IsWinNT() {
  return QxPlatformFacts().PlatformId == VER_PLATFORM_WIN32_NT;
}

void SetQxPlatformFactsForTesting(const TQxPlatformFacts& facts) {
  Facts = facts;
}

void ResetQxPlatformFactsForTesting() {
  Facts.reset();
}
