// Handles are serial numbers dressed as pointers. The low bit is always set, so no real (aligned) pointer
// a caller might pass by mistake ever decodes as one of ours, and a handle can be judged without touching
// memory it points at.
#pragma once

#include <cstdint>

#include "TsxApi5.h"

namespace hostsim {

using Serial = std::uint32_t;

inline SobjHandle HandleOf(Serial serial) {
  return serial == 0 ? nullptr : reinterpret_cast<SobjHandle>(static_cast<std::uintptr_t>(serial) << 2 | 1);
}

// 0 for null and for anything that is not shaped like one of our handles.
inline Serial SerialOf(SobjHandle handle) {
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  if ((value & 3) != 1) return 0;
  return static_cast<Serial>(value >> 2);
}

inline std::uint32_t RawOf(SobjHandle handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace hostsim
