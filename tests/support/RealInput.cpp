#include "RealInput.h"

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
}  // namespace

void PointerTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
}

void ButtonHere(bool right, bool down) {
  INPUT input = MouseInput(right, down);
  SendInput(1, &input, sizeof input);
}

void ClickButtonHere(bool right) {
  INPUT inputs[2] = {MouseInput(right, true), MouseInput(right, false)};
  SendInput(2, inputs, sizeof(INPUT));
}
