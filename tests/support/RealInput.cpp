#include "RealInput.h"

namespace {
INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}
}  // namespace

void PointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
}

void ClickButtonHere(bool right) {
  INPUT inputs[2] = {MouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                     MouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
  SendInput(2, inputs, sizeof(INPUT));
}

void TypeKey(WORD key, bool shift) {
  INPUT inputs[4];
  UINT count = 0;
  if (shift) inputs[count++] = KeyInput(VK_SHIFT, false);
  inputs[count++] = KeyInput(key, false);
  inputs[count++] = KeyInput(key, true);
  if (shift) inputs[count++] = KeyInput(VK_SHIFT, true);
  SendInput(count, inputs, sizeof(INPUT));
}
