// Message sequences in the manner of Wine's own control tests: what reached some windows, recorded by
// subclassing them, compared against an expected list in which entries may be marked optional (a message
// that Windows and Wine's controls do not agree on, or that comes only at times). The comparison serves any
// recorded sequence, the simulator's call log among them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct TExpected {
  TExpected(std::string entry, bool optional = false) : entry(std::move(entry)), optional(optional) {}
  TExpected(const char* entry) : entry(entry) {}
  std::string entry;
  bool optional = false;
};
inline TExpected Optional(std::string entry) {
  return TExpected(std::move(entry), true);
}

enum class TSequenceEnd {
  kClosed,  // nothing may follow the expected entries
  kOpen,    // anything may
};

// Empty when recorded matches expected; otherwise where the first mismatch is, then both sequences.
std::string SequenceMismatch(const std::vector<TExpected>& expected, const std::vector<std::string>& recorded,
                             TSequenceEnd end = TSequenceEnd::kClosed);

// Records, while it lives, the named messages (the keyboard's, the mouse buttons', focus, menus, commands)
// that reach each window's procedure, as "<role> <message>"; a notification from one of the windows as
// "<role> WM_NOTIFY <code>". One recorder at a time; each window's procedure is given back when the
// recorder goes or the window is destroyed.
class TMessageRecorder {
 public:
  explicit TMessageRecorder(const std::vector<std::pair<HWND, std::string>>& roles);
  ~TMessageRecorder();
  TMessageRecorder(const TMessageRecorder&) = delete;
  TMessageRecorder& operator=(const TMessageRecorder&) = delete;

  const std::vector<std::string>& Recorded() const { return FRecorded; }
  void Clear() { FRecorded.clear(); }

 private:
  struct TWindow {
    HWND window;
    std::string role;
    WNDPROC original;
  };
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  TWindow* Find(HWND window);
  void Note(const TWindow& window, UINT message, LPARAM lParam);

  std::vector<TWindow> FWindows;
  std::vector<std::string> FRecorded;
};
