#include "LogPane.h"

#include "SimControl.h"
#include "Ui.h"

namespace {
// A rebuild of a large scene logs hundreds of thousands of calls; the pane keeps the latest.
constexpr int kMaxLines = 4000;
constexpr int kMaxAppend = 1000;

std::string Entry(int index) {
  char buffer[512];
  int length = simLogEntry(index, buffer, sizeof buffer);
  return length < 0 ? std::string() : std::string(buffer);
}
}  // namespace

HWND LogPane::Create(HWND parent) {
  FCaption = CreateChild("STATIC", "Plug-in's host calls", SS_LEFT, parent);
  SendMessageA(FCaption, WM_SETFONT, reinterpret_cast<WPARAM>(UiBoldFont()), FALSE);
  FList = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0, 0, 10,
                          10, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(FList, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  return FList;
}

void LogPane::Append(const std::string& line) {
  SendMessageA(FList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  while (SendMessageA(FList, LB_GETCOUNT, 0, 0) > kMaxLines) SendMessageA(FList, LB_DELETESTRING, 0, 0);
}

void LogPane::Update() {
  int count = simLogCount();
  if (count < FShown) FShown = 0;  // someone cleared the log
  if (count == FShown) return;
  SendMessageA(FList, WM_SETREDRAW, FALSE, 0);
  if (count - FShown > kMaxAppend) {
    Append("... " + std::to_string(count - FShown - kMaxAppend) + " calls not shown ...");
    FShown = count - kMaxAppend;
  }
  for (; FShown < count; ++FShown) Append(Entry(FShown));
  SendMessageA(FList, WM_SETREDRAW, TRUE, 0);
  SendMessageA(FList, LB_SETTOPINDEX, SendMessageA(FList, LB_GETCOUNT, 0, 0) - 1, 0);
  InvalidateRect(FList, nullptr, TRUE);
}

void LogPane::AddNote(const std::string& text) {
  Update();
  Append("[host] " + text);
  SendMessageA(FList, LB_SETTOPINDEX, SendMessageA(FList, LB_GETCOUNT, 0, 0) - 1, 0);
}

void LogPane::Clear() {
  simLogClear();
  FShown = 0;
  SendMessageA(FList, LB_RESETCONTENT, 0, 0);
}

std::string LogPane::TakeNewCalls() {
  static int taken = 0;
  int count = simLogCount();
  if (count < taken) taken = 0;
  std::string out;
  for (; taken < count; ++taken) out += Entry(taken) + "\n";
  return out;
}
