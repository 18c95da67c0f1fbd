// The host's plug-in bar: one button per loaded plug-in showing its bitmap, its description beside it and
// as the button's tool tip, or the reason the plug-in could not be loaded.
#pragma once

#include <windows.h>

#include <functional>

#include "PluginSlot.h"

class PluginBar {
 public:
  static constexpr int kHeight = 56;

  HWND Create(HWND parent);
  HWND Handle() const { return FWindow; }
  // Shows the slot as it is now: its picture and text, or its load error.
  void Show(const PluginSlot& slot);
  // The button stays pressed while the plug-in is active.
  void SetActive(bool active);
  void Layout(int width);

  std::function<void()> OnLeftClick;
  std::function<void()> OnRightClick;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void SetTip(const char* text);

  HWND FWindow = nullptr;
  HWND FButton = nullptr;
  HWND FTitle = nullptr;
  HWND FText = nullptr;
  HWND FTip = nullptr;
  WNDPROC FButtonDefault = nullptr;
  bool FError = false;
  bool FActive = false;
};
