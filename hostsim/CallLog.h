// Every host call the plug-in makes, kept compact (a function code and three raw words per call) because a
// walk of a large scene logs millions of calls; entries become text only when read.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "HostFunctions.h"
#include "Scene.h"

namespace hostsim {

class CallLog {
 public:
  static constexpr std::uint32_t kNoText = 0xFFFFFFFFu;

  // Counts the call always; keeps the entry only while enabled.
  void Record(Fn fn, std::uint32_t a0 = 0, std::uint32_t a1 = 0, std::uint32_t a2 = 0);
  // A logged text argument: its slot in the text pool (kNoText for null or while disabled).
  std::uint32_t Text(const char* text);

  int Size() const { return static_cast<int>(entries_.size()); }
  std::string Format(int index, const Scene& scene) const;
  int CountOf(Fn fn) const { return counts_[static_cast<int>(fn)]; }
  void Clear();
  bool enabled = true;

 private:
  struct Entry {
    Fn fn;
    std::uint32_t args[3];
  };
  std::vector<Entry> entries_;
  std::vector<std::string> texts_;
  std::array<int, kFnCount> counts_{};
};

// How the log and the violation texts print a handle: #serial for ours (#0 for null), hex for anything else.
std::string FormatHandle(std::uint32_t raw, const Scene& scene);

}  // namespace hostsim
