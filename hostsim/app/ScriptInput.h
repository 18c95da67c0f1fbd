// The script's hand on what the plug-in opens over the host: the panel tree's context menu and the boxes
// it asks with. Each action only posts input and returns, as a user's hand does not wait for the screen:
// the menu and the box run loops of their own, and the script goes on from inside them.
#pragma once

#include <windows.h>

#include <string>

// The pop-up menu shown on this thread, or null.
HWND OpenMenu();
// A shown window of this thread with a title bar, other than the host's own: a box the plug-in asks with.
HWND OpenBox(HWND host);

// Each returns what is wrong, or an empty string once the input is on its way.
// A right click on the tree's item with that label, the pointer placed on it.
std::string RightClickItem(HWND tree, const std::string& label);
// Down presses from the top of the open menu to the entry with that caption, then Return: the way to an
// entry that does not depend on where the menu opened. The caption is given without its "&".
std::string ChooseMenuEntry(const std::string& caption);
// A click on the button (or check box) of the open box with that caption, without its "&".
std::string PressBoxButton(HWND host, const std::string& caption);

// Ends a menu and closes, from its title bar, a box the script left open, so that their loops return.
void CloseWhatIsOpen(HWND host);
