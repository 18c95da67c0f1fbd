// The modal message box window itself: built from a finished description, shown with a loop of its own,
// destroyed with everything in it before RunMessageBox returns.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Graphics.h"
#include "MsgDlgTypes.h"

struct TMsgBoxContent {
  std::string caption;
  std::string text;  // already expanded; CR or LF starts a new line, "&" underlines the next character
  TMsgDlgType dlgType = mtCustom;
  std::vector<TMsgDlgButtonKind> buttons;
  int defaultButton = 0;  // position in buttons; any other value: no default button
  bool checkBox = false;
  bool ticked = false;
  TFont messageFont;
  TFont buttonFont;
  TColor color = clBtnFace;
};

struct TMsgBoxEvents {
  std::function<void(bool ticked)> onTickChanged;
  std::function<void()> onHelp;
};

class EMessageBoxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Window class of every box, for finding one from outside (tests, a host's spy).
extern const char kMessageBoxClassName[];
constexpr char kDontShowAgainCaption[] = "Don't show again";

// Shows the box modally and returns the result of the button that closed it, or mrCancel when it was
// closed from its title bar.
int RunMessageBox(const TMsgBoxContent& content, const TMsgBoxEvents& events);
