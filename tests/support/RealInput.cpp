#include "RealInput.h"

#include <vector>

namespace {
INPUT MouseInput(bool right, bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (right)
    input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
  else
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return input;
}

INPUT KeyInput(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return input;
}
}  // namespace

void PointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
}

// Absolute positions are in 65536ths of the primary screen, rounded up so that the point maps back to
// the same pixel.
void PointerMoveTo(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (screen.x * 65536 + width - 1) / width;
  input.mi.dy = (screen.y * 65536 + height - 1) / height;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void ButtonHere(bool right, bool down) {
  INPUT input = MouseInput(right, down);
  SendInput(1, &input, sizeof input);
}

void ClickButtonHere(bool right) {
  INPUT inputs[2] = {MouseInput(right, true), MouseInput(right, false)};
  SendInput(2, inputs, sizeof(INPUT));
}

void TypeKey(WORD key) {
  INPUT inputs[2] = {KeyInput(key, true), KeyInput(key, false)};
  SendInput(2, inputs, sizeof(INPUT));
}

void TypeText(const std::string& text) {
  std::vector<INPUT> inputs;
  for (unsigned char c : text) {
    for (bool down : {true, false}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
