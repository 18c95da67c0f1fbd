#include "CallLog.h"

#include <cstdio>

namespace hostsim {

void CallLog::Record(Fn fn, std::uint32_t a0, std::uint32_t a1, std::uint32_t a2) {
  ++counts_[static_cast<int>(fn)];
  if (enabled) entries_.push_back({fn, {a0, a1, a2}});
}

std::uint32_t CallLog::Text(const char* text) {
  if (!text || !enabled) return kNoText;
  texts_.emplace_back(text);
  return static_cast<std::uint32_t>(texts_.size() - 1);
}

std::string FormatHandle(std::uint32_t raw, const Scene& scene) {
  auto handle = reinterpret_cast<SobjHandle>(static_cast<std::uintptr_t>(raw));
  Serial serial = SerialOf(handle);
  char text[16];
  if (raw == 0 || scene.Issued(serial)) {
    std::snprintf(text, sizeof text, "#%u", static_cast<unsigned>(serial));
  } else {
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(raw));
  }
  return text;
}

std::string CallLog::Format(int index, const Scene& scene) const {
  const Entry& entry = entries_[index];
  const FnInfo& info = InfoOf(entry.fn);
  std::string text = info.name;
  text += '(';
  for (int i = 0; info.signature[i]; ++i) {
    std::uint32_t arg = entry.args[i];
    if (i) text += ',';
    switch (info.signature[i]) {
      case 'h':
        text += FormatHandle(arg, scene);
        break;
      case 'i':
        text += std::to_string(static_cast<std::int32_t>(arg));
        break;
      case 'c':
        text += arg ? "cb" : "null";
        break;
      case 's':
        text += arg == kNoText ? std::string("null") : '"' + texts_[arg] + '"';
        break;
    }
  }
  return text + ')';
}

void CallLog::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  texts_.clear();
  counts_.fill(0);
}

}  // namespace hostsim
