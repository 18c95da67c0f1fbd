// The confirmation box component: keeps the settings of a message box and, on every ShowMessageBox call,
// builds a new modal box from them, shows it and returns the result of the button that closed it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"
#include "MsgBoxWindow.h"
#include "MsgDlgTypes.h"
#include "SafeFormat.h"

class TLMDMessageBoxDlg : public TComponent {
 public:
  explicit TLMDMessageBoxDlg(TComponent* owner);
  ~TLMDMessageBoxDlg() override;

  std::string CaptionTitle;  // caption when the caller gives none
  TMsgDlgType DlgType = mtCustom;
  TMsgDlgButtons Buttons{mbOK};
  bool ShowAgainBox = false;  // whether the box carries the "Don't show again" check box
  bool ShowAgain = true;      // False while "Don't show again" is ticked; the caller reads it before asking
  TFont MessageFont;
  TFont ButtonFont;
  TFont CaptionFont;  // the box has the platform's ordinary title bar; kept for the settings' sake
  TColor Color = clBtnFace;
  std::function<void(TComponent* sender)> OnHelpClick;

  // caption empty: CaptionTitle, else the application's title. message: a format string for args (checked
  // before any window exists). buttons empty: Buttons. dlgType -1: DlgType. defaultButton: position of the
  // default button among those shown; any other value makes none the default.
  int ShowMessageBox(const std::string& caption, const std::string& message,
                     const std::vector<FormatArg>& args, TMsgDlgButtons buttons, int dlgType,
                     int defaultButton);

 private:
  std::string ResolveCaption(const std::string& caption) const;
  TMsgDlgType ResolveType(int dlgType) const;

  // Cleared when the component goes, so that a box still open then no longer writes into it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
