#include "ToolBar.h"

#include <algorithm>

#include "ImgList.h"
#include "Menus.h"

TToolButton::~TToolButton() {
  if (FToolBar) FToolBar->RemoveButton(this);
}

void TToolButton::SetToolBar(TToolBar* bar) {
  if (FToolBar) FToolBar->RemoveButton(this);
  FToolBar = bar;
  if (bar) bar->AddButton(this);
}

void TToolButton::SetVisible(bool visible) {
  FVisible = visible;
  if (FToolBar && FToolBar->HandleAllocated())
    SendMessageA(FToolBar->Handle(), TB_HIDEBUTTON, FCommandId, MAKELPARAM(!visible, 0));
}

void TToolButton::Click() {
  if (DropdownMenu && FToolBar)
    FToolBar->DropDown(this);
  else if (OnClick)
    OnClick(this);
}

TToolBar::~TToolBar() {
  for (TToolButton* button : FButtons) button->FToolBar = nullptr;
}

void TToolBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "ToolBar";
  params.SystemClass = TOOLBARCLASSNAMEA;
  // Our own alignment places the bar; the control must neither move itself nor draw a divider.
  params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  if (ShowHint) params.Style |= TBSTYLE_TOOLTIPS;
  if (Flat) params.Style |= TBSTYLE_FLAT;
  if (List) params.Style |= TBSTYLE_LIST;
  if (Wrapable) params.Style |= TBSTYLE_WRAPABLE;
}

void TToolBar::CreateWindowHandleDone() {
  SendMessageA(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Images ? Images->Handle() : nullptr));
  if (!ShowCaptions) SendMessageA(FHandle, TB_SETMAXTEXTROWS, 0, 0);
  SendMessageA(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(ButtonWidth, ButtonHeight));
  // A caption must not widen a button beyond the bar's button width; auto-sized buttons still fit theirs.
  SendMessageA(FHandle, TB_SETBUTTONWIDTH, 0, MAKELPARAM(ButtonWidth, ButtonWidth));
  for (size_t i = 0; i < FButtons.size(); ++i) InsertIntoControl(FButtons[i], static_cast<int>(i));
}

void TToolBar::AddButton(TToolButton* button) {
  button->FCommandId = FNextId++;
  FButtons.push_back(button);
  if (HandleAllocated()) InsertIntoControl(button, static_cast<int>(FButtons.size()) - 1);
}

void TToolBar::RemoveButton(TToolButton* button) {
  auto it = std::find(FButtons.begin(), FButtons.end(), button);
  if (it == FButtons.end()) return;
  if (HandleAllocated()) SendMessageA(FHandle, TB_DELETEBUTTON, it - FButtons.begin(), 0);
  FButtons.erase(it);
}

void TToolBar::InsertIntoControl(TToolButton* button, int index) {
  TBBUTTON tb{};
  tb.idCommand = button->FCommandId;
  tb.fsState = TBSTATE_ENABLED | (button->FVisible ? 0 : TBSTATE_HIDDEN);
  if (button->Style == tbsSeparator) {
    tb.fsStyle = BTNS_SEP;
    tb.iBitmap = button->Width;
  } else {
    tb.fsStyle = BTNS_BUTTON | (button->AutoSize ? BTNS_AUTOSIZE : 0);
    tb.iBitmap = Images ? button->ImageIndex : I_IMAGENONE;
    if (ShowCaptions) tb.iString = reinterpret_cast<INT_PTR>(button->Caption.c_str());
  }
  SendMessageA(FHandle, TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&tb));
}

TToolButton* TToolBar::ButtonById(int id) const {
  for (TToolButton* button : FButtons)
    if (button->FCommandId == id) return button;
  return nullptr;
}

// The button stays down while its menu is open, as a menu bar's title does.
void TToolBar::DropDown(TToolButton* button) {
  RECT r{};
  SendMessageA(FHandle, TB_GETRECT, button->FCommandId, reinterpret_cast<LPARAM>(&r));
  POINT below = ClientToScreen(POINT{r.left, r.bottom});
  button->DropdownMenu->PopupComponent = this;
  SendMessageA(FHandle, TB_PRESSBUTTON, button->FCommandId, TRUE);
  button->DropdownMenu->Popup(below.x, below.y);
  if (HandleAllocated()) SendMessageA(FHandle, TB_PRESSBUTTON, button->FCommandId, FALSE);
}

bool TToolBar::ClaimNotify(NMHDR* header, LRESULT& result) {
  if (!HandleAllocated() || header->code != TTN_GETDISPINFOA) return false;
  if (header->hwndFrom != reinterpret_cast<HWND>(SendMessageA(FHandle, TB_GETTOOLTIPS, 0, 0))) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  TToolButton* button = ButtonById(static_cast<int>(header->idFrom));
  info->lpszText = button ? const_cast<char*>(button->Hint.c_str()) : const_cast<char*>("");
  info->hinst = nullptr;
  result = 0;
  return true;
}

TToolButton* TToolBar::KeyboardButton() const {
  int hot = static_cast<int>(SendMessageA(FHandle, TB_GETHOTITEM, 0, 0));
  if (hot >= 0 && hot < ButtonCount()) return FButtons[hot];
  for (TToolButton* button : FButtons)
    if (button->Visible() && button->Style == tbsButton) return button;
  return nullptr;
}

// A bar reached with Tab works from the keyboard: Enter or Space clicks the hot button, as the common control
// does on some systems but not on all.
void TToolBar::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key != VK_RETURN && key != VK_SPACE) return;
  if (TToolButton* button = KeyboardButton()) {
    key = 0;
    button->Click();
  }
}

LRESULT TToolBar::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CN_COMMAND) {
    if (TToolButton* button = ButtonById(LOWORD(wParam))) button->Click();
    return 0;
  }
  // The focus shows as the hot button, and leaves with the focus.
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    LRESULT result = TWinControl::WndProc(message, wParam, lParam);
    TToolButton* button = message == WM_SETFOCUS ? KeyboardButton() : nullptr;
    auto at = std::find(FButtons.begin(), FButtons.end(), button);
    SendMessageA(FHandle, TB_SETHOTITEM, at == FButtons.end() ? -1 : at - FButtons.begin(), 0);
    return result;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
