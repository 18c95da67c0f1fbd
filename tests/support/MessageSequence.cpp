#include "MessageSequence.h"

// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <algorithm>

namespace {
TMessageRecorder* Recording = nullptr;  // a window procedure carries no context of ours

struct TName {
  UINT code;
  const char* name;
};
#define NAMED(code) \
  { code, #code }
const TName kMessages[] = {
    NAMED(WM_LBUTTONDOWN),   NAMED(WM_LBUTTONUP),    NAMED(WM_LBUTTONDBLCLK), NAMED(WM_RBUTTONDOWN),
    NAMED(WM_RBUTTONUP),     NAMED(WM_CONTEXTMENU),  NAMED(WM_KEYDOWN),       NAMED(WM_SYSKEYDOWN),
    NAMED(WM_CHAR),          NAMED(WM_SETFOCUS),     NAMED(WM_KILLFOCUS),     NAMED(WM_COMMAND),
    NAMED(WM_ENTERMENULOOP), NAMED(WM_EXITMENULOOP), NAMED(WM_INITMENUPOPUP), NAMED(WM_NOTIFY),
};
// Painting's notifications (custom drawing, display requests) are left out: they come whenever the window
// system asks for a paint, between any two others.
const TName kNotifications[] = {
    NAMED(NM_CLICK),           NAMED(NM_DBLCLK),         NAMED(NM_RCLICK),        NAMED(NM_RETURN),
    NAMED(NM_SETFOCUS),        NAMED(NM_KILLFOCUS),      NAMED(TVN_SELCHANGINGA), NAMED(TVN_SELCHANGEDA),
    NAMED(TVN_ITEMEXPANDINGA), NAMED(TVN_ITEMEXPANDEDA), NAMED(TVN_BEGINDRAGA),   NAMED(TVN_BEGINLABELEDITA),
    NAMED(TVN_ENDLABELEDITA),  NAMED(TVN_DELETEITEMA),   NAMED(TVN_KEYDOWN),
};
#undef NAMED

template <size_t N>
const char* NameOf(const TName (&table)[N], UINT code) {
  for (const TName& entry : table)
    if (entry.code == code) return entry.name;
  return nullptr;
}

std::string Listed(const std::vector<std::string>& entries) {
  std::string out;
  for (size_t i = 0; i < entries.size(); ++i) out += "  " + std::to_string(i) + ". " + entries[i] + "\n";
  return out;
}

std::string Listed(const std::vector<TExpected>& entries) {
  std::vector<std::string> shown;
  for (const TExpected& entry : entries) shown.push_back(entry.entry + (entry.optional ? " (optional)" : ""));
  return Listed(shown);
}
}  // namespace

// As Wine's tests walk them: a recorded entry must match the next expected one, or that one is optional
// and is passed over.
std::string SequenceMismatch(const std::vector<TExpected>& expected, const std::vector<std::string>& recorded,
                             TSequenceEnd end) {
  size_t e = 0, r = 0;
  std::string mismatch;
  while (e < expected.size() && mismatch.empty()) {
    if (r < recorded.size() && recorded[r] == expected[e].entry) {
      ++r;
    } else if (!expected[e].optional) {
      mismatch = "expected entry " + std::to_string(e) + " '" + expected[e].entry + "', " +
                 (r < recorded.size() ? "recorded " + std::to_string(r) + " is '" + recorded[r] + "'"
                                      : std::string("the recording ended"));
    }
    ++e;
  }
  if (mismatch.empty() && end == TSequenceEnd::kClosed && r < recorded.size())
    mismatch = "recorded entry " + std::to_string(r) + " '" + recorded[r] + "' follows the expected ones";
  if (mismatch.empty()) return "";
  return mismatch + "\nexpected:\n" + Listed(expected) + "recorded:\n" + Listed(recorded);
}

TMessageRecorder::TMessageRecorder(const std::vector<std::pair<HWND, std::string>>& roles) {
  Recording = this;
  for (const auto& [window, role] : roles) FWindows.push_back({window, role, nullptr});
  for (TWindow& w : FWindows)
    w.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

TMessageRecorder::~TMessageRecorder() {
  for (const TWindow& w : FWindows)
    if (w.original && IsWindow(w.window))
      SetWindowLongPtrA(w.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(w.original));
  Recording = nullptr;
}

TMessageRecorder::TWindow* TMessageRecorder::Find(HWND window) {
  auto it =
      std::find_if(FWindows.begin(), FWindows.end(), [&](const TWindow& w) { return w.window == window; });
  return it == FWindows.end() ? nullptr : &*it;
}

void TMessageRecorder::Note(const TWindow& window, UINT message, LPARAM lParam) {
  const char* name = NameOf(kMessages, message);
  if (!name) return;
  std::string entry = window.role + " " + name;
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<const NMHDR*>(lParam);
    const char* code = NameOf(kNotifications, header->code);
    if (!code || !Find(header->hwndFrom)) return;
    entry += std::string(" ") + code;
  }
  FRecorded.push_back(entry);
}

// The window's own procedure goes back in before the window's last message, so nothing of ours outlives it.
LRESULT CALLBACK TMessageRecorder::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = Recording ? Recording->Find(window) : nullptr;
  if (!w) return DefWindowProcA(window, message, wParam, lParam);
  WNDPROC original = w->original;
  Recording->Note(*w, message, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    w->original = nullptr;
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
}
