// Input as a person gives it: through the system's input queue (SendInput) rather than as messages to a
// window. It reaches whichever window is under the pointer, it moves the button states, and every loop
// that reads the queue meets it in order, releases included: a control that takes a release out of the
// queue in its own tracking loop does so here as it does for a person.
#pragma once

#include <windows.h>

#include <string>

// The pointer to a point of the screen, as the hand moves it.
void PointerTo(POINT screen);
// The pointer moved there through the input queue: a loop that tracks the pointer meets the move in order
// with the presses and releases around it.
void PointerMoveTo(POINT screen);
// A mouse button pressed, or released, where the pointer is now.
void ButtonHere(bool right, bool down);
// A press and a release of a mouse button where the pointer is now.
void ClickButtonHere(bool right);
// A key pressed and released; it reaches the window that has the keyboard focus.
void TypeKey(WORD key);
// Characters typed, each as the character it makes whatever the keyboard's layout.
void TypeText(const std::string& text);
