// The live log of the plug-in's host calls, appended as the simulator records them, with the host's own
// messages in between.
#pragma once

#include <windows.h>

#include <string>

class LogPane {
 public:
  HWND Create(HWND parent);
  HWND Handle() const { return FList; }
  HWND Caption() const { return FCaption; }

  // Appends the calls logged since the last update.
  void Update();
  void AddNote(const std::string& text);
  void Clear();
  // The calls logged since the previous call of this function, one per line (for the script's log).
  static std::string TakeNewCalls();

 private:
  void Append(const std::string& line);

  HWND FCaption = nullptr;
  HWND FList = nullptr;
  int FShown = 0;
};
