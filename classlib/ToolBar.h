// Tool bars: the Windows tool-bar common control, its buttons kept as components. A button with a drop-down
// menu is a plain button that drops the menu below itself when clicked; a bar that shows hints has tool
// tips, which ask the buttons for their hints.
#pragma once

#include <string>
#include <vector>

#include "Controls.h"

class TImageList;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsSeparator };

class TToolButton : public TComponent {
 public:
  explicit TToolButton(TComponent* owner) : TComponent(owner) {}
  ~TToolButton() override;

  // Places the button at the end of the bar's row.
  void SetToolBar(TToolBar* bar);
  TToolBar* ToolBar() const { return FToolBar; }

  std::string Caption;
  std::string Hint;
  int ImageIndex = -1;
  TToolButtonStyle Style = tbsButton;
  int Width = 8;  // of a separator
  bool AutoSize = false;
  TPopupMenu* DropdownMenu = nullptr;  // not owned
  TNotifyEvent OnClick;

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  int CommandId() const { return FCommandId; }
  void Click();

 private:
  friend class TToolBar;
  TToolBar* FToolBar = nullptr;  // not owned
  int FCommandId = 0;
  bool FVisible = true;
};

class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* owner) : TWinControl(owner) {}
  ~TToolBar() override;

  bool Flat = false;
  bool List = false;
  bool ShowCaptions = false;
  bool Wrapable = true;
  int ButtonWidth = 23;
  int ButtonHeight = 22;
  TImageList* Images = nullptr;  // not owned

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* Buttons(int index) const { return FButtons[index]; }

  bool ClaimNotify(NMHDR* header, LRESULT& result) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void KeyDown(WORD& key, TShiftState shift) override;

 private:
  // The button the keyboard acts on: the hot one, else the first one shown.
  TToolButton* KeyboardButton() const;
  friend class TToolButton;
  void AddButton(TToolButton* button);
  void RemoveButton(TToolButton* button);
  void InsertIntoControl(TToolButton* button, int index);
  TToolButton* ButtonById(int id) const;
  void DropDown(TToolButton* button);

  std::vector<TToolButton*> FButtons;  // owned by their owner components
  int FNextId = 1;
};
