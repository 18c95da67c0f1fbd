#include "lmdmsg.h"

#include "Application.h"

TLMDMessageBoxDlg::TLMDMessageBoxDlg(TComponent* owner) : TComponent(owner) {}

TLMDMessageBoxDlg::~TLMDMessageBoxDlg() {
  *FAlive = false;
}

std::string TLMDMessageBoxDlg::ResolveCaption(const std::string& caption) const {
  if (!caption.empty()) return caption;
  if (!CaptionTitle.empty()) return CaptionTitle;
  return Application().Title;
}

TMsgDlgType TLMDMessageBoxDlg::ResolveType(int dlgType) const {
  if (dlgType == -1) return DlgType;
  if (dlgType < mtWarning || dlgType > mtCustom)
    throw EMessageBoxError("Unknown message box type " + std::to_string(dlgType));
  return static_cast<TMsgDlgType>(dlgType);
}

int TLMDMessageBoxDlg::ShowMessageBox(const std::string& caption, const std::string& message,
                                      const std::vector<FormatArg>& args, TMsgDlgButtons buttons, int dlgType,
                                      int defaultButton) {
  TMsgBoxContent content;
  content.text = SafeFormat(message, args);
  content.caption = ResolveCaption(caption);
  content.dlgType = ResolveType(dlgType);
  content.buttons = ButtonsInOrder(buttons.Empty() ? Buttons : buttons);
  content.defaultButton = defaultButton;
  content.checkBox = ShowAgainBox;
  content.ticked = !ShowAgain;
  content.messageFont = MessageFont;
  content.buttonFont = ButtonFont;
  content.color = Color;

  TMsgBoxEvents events;
  std::shared_ptr<bool> alive = FAlive;
  events.onTickChanged = [this, alive](bool ticked) {
    if (*alive) ShowAgain = !ticked;
  };
  events.onHelp = [this, alive] {
    if (*alive && OnHelpClick) OnHelpClick(this);
  };
  return RunMessageBox(content, events);
}
