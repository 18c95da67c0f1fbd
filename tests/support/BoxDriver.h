// Plays a script against the message box while ShowMessageBox's own loop runs: a thread timer, which that
// loop dispatches like any other message, finds the box and performs one step per tick. Every step only
// posts input, so the box sees it the way it sees a user's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ThreadMessages.h"

class TBoxDriver : public TThreadTicker {
 public:
  using TStep = std::function<void(HWND box)>;
  explicit TBoxDriver(std::vector<TStep> steps);

  // The script ran out with the box still open, so the driver closed it from its title bar.
  bool ForcedClose() const { return FForcedClose; }
  int StepsRun() const { return FNext; }

 private:
  void OnTick() override;

  std::vector<TStep> FSteps;
  int FNext = 0;
  int FIdleTicks = 0;
  bool FForcedClose = false;
};

// Closes, and counts, every plain system message box the thread opens while it lives: the default error
// handling's, which a failure that no handler caught ends in. Given a condition, only while it holds.
class TErrorBoxCloser : public TThreadTicker {
 public:
  explicit TErrorBoxCloser(std::function<bool()> closeWhen = nullptr) : FCloseWhen(std::move(closeWhen)) {}
  int Count() const { return FCount; }
  const std::string& LastText() const { return FLastText; }

 private:
  void OnTick() override;
  static BOOL CALLBACK CloseIfErrorBox(HWND window, LPARAM self);

  std::function<bool()> FCloseWhen;
  int FCount = 0;
  std::string FLastText;
  HWND FClosing = nullptr;
};

HWND FindOpenBox();
int CountBoxWindows();
HWND FindButton(HWND box, const char* caption);
HWND FindCheckBox(HWND box);
void PressKey(HWND target, UINT key);
void TypeChar(HWND target, char character);
void PressAltF4(HWND target);
void ClickWithMouse(HWND control);
// The real pointer moved onto the control's centre and clicked there (RealInput.h).
void ClickWithPointer(HWND control);
void CloseFromTitleBar(HWND box);
RECT RectInClient(HWND box, HWND child);
