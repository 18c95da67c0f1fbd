// Windowed controls: one object per window, found through the window's user data, with one window
// procedure for all of them. Notifications and commands that Windows sends to a parent are reflected to
// the control they came from, so every control handles its own.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"

class TPopupMenu;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;

using TNotifyEvent = std::function<void(TComponent* sender)>;
// A form's method as the handler of an event, as a form's definition wires them; none for no method.
template <class Form>
TNotifyEvent MethodEvent(Form* form, void (Form::*method)(TComponent* sender)) {
  if (!method) return nullptr;
  return [form, method](TComponent* sender) { (form->*method)(sender); };
}
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent* sender, WORD& key, TShiftState shift)>;

// Reflected to the control that sent them: WM_NOTIFY and WM_COMMAND as received by the parent.
constexpr UINT CN_NOTIFY = WM_APP + 0x3F00;
constexpr UINT CN_COMMAND = WM_APP + 0x3F01;
// Runs the control's oldest posted call (PostCall).
constexpr UINT CM_POSTEDCALL = WM_APP + 0x3F02;

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  std::string ClassName;    // registered as "Quillon." + ClassName
  std::string SystemClass;  // the system class it superclasses, if any
  UINT ClassStyle = CS_DBLCLKS;
};

TShiftState KeyboardShiftState();

class TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TWinControl* Controls(int index) const { return FControls[index]; }

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
  void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
  int ClientWidth() const;
  int ClientHeight() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool parentColor);
  TFont& Font() { return FFont; }
  bool ParentFont = true;

  std::string Hint;
  bool ShowHint = false;
  TPopupMenu* PopupMenu = nullptr;  // not owned
  // Among siblings, a control with a tab order (0 first) comes before those without, which keep the order
  // they were placed in.
  int TabOrder = -1;
  bool TabStop = false;

  // Whether the user can reach the control with Tab: a tab stop that shows and is enabled.
  bool CanTab() const;
  // The tab stops inside this control, depth first, each parent's children in tab order.
  std::vector<TWinControl*> TabOrderList() const;
  // Focuses the tab stop after (or before) current in the top window's tab order, wrapping around.
  bool SelectNext(TWinControl* current, bool forward);

  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and re-creates the window (after a change only creation can apply).
  void RecreateWnd();
  static TWinControl* FromHandle(HWND window);

  // Where Windows left the pointer, in this control's client coordinates.
  POINT ScreenToClient(POINT screen);
  POINT ClientToScreen(POINT client);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

  // Runs call from the message loop, after the message being handled now (and every one it is nested in)
  // has returned: work that may rebuild what the control shows must not run inside the control's own
  // handling. A call still waiting when the control is destroyed never runs; without a window it runs now.
  void PostCall(std::function<void()> call);
  // True while a notification from the control's window is being handled: the control is inside its own
  // message handling and waits for the answer.
  bool InsideNotification() const { return FNotifyDepth > 0; }

  // The window procedure of every control; public so that the one trampoline can reach it.
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification from a window that is not a control of ours (a tool tip a control made itself): the
  // control it belongs to answers it.
  virtual bool ClaimNotify(NMHDR*, LRESULT&) { return false; }
  void Attach(HWND window);
  void Detach();

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // After the window exists: the place to send it the settings only a window can hold.
  virtual void CreateWindowHandleDone() {}
  virtual void DestroyWnd();
  // True while DestroyWnd destroys the window: at WM_NCDESTROY otherwise, the window dies from outside
  // (with a parent window that is not ours).
  bool DestroyingWnd() const { return FDestroyingWnd; }
  // The window is gone without being hidden first: the control no longer shows.
  void VisibleLost() { FVisible = false; }
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  virtual void AlignControls();
  virtual void Paint(HDC dc);
  // Whether WM_PAINT is ours (Paint) or the window's own.
  virtual bool OwnerPainted() const { return false; }
  virtual bool CapturesMouse() const { return false; }
  // Whether a left press and release inside the control is a click of ours (buttons, panels).
  virtual bool ClicksOnRelease() const { return false; }

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void Click();
  virtual void DblClick();
  virtual void ColorChanged();
  virtual void FontChanged();
  virtual void SysColorChange();
  // The pop-up menu request (WM_CONTEXTMENU); position in screen coordinates, (-1, -1) from the keyboard.
  virtual bool ContextMenu(POINT screen);

  HWND FHandle = nullptr;

 private:
  void InsertControl(TWinControl* control);
  void RemoveControl(TWinControl* control);
  void CreateChildHandles();
  void AddTabStops(std::vector<TWinControl*>& list) const;
  bool TabKey(UINT message, WPARAM wParam);
  void ReadBoundsFromWindow();
  void ParentColorChanged();
  LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleKey(UINT message, WPARAM wParam, LPARAM lParam);
  bool ReflectNotify(WPARAM wParam, LPARAM lParam, LRESULT& result);
  TWinControl* ChildFromHandle(HWND window);
  bool PaintOwn(UINT message, WPARAM wParam);

  TWinControl* FParent = nullptr;       // not owned
  std::vector<TWinControl*> FControls;  // children, owned by their owner components
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  std::string FCaption;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  TFont FFont;
  bool FMousePressedLeft = false;
  bool FAligning = false;
  bool FDestroyingWnd = false;
  int FNotifyDepth = 0;
  std::deque<std::function<void()>> FPostedCalls;
};

// A control as a form's definition first states it: made and owned by owner, named, placed and aligned. The
// definition sets the rest before giving it a parent, so that its window is made with every setting.
template <class Control>
Control* NewControl(TComponent* owner, const char* name, int left, int top, int width, int height,
                    TAlign align) {
  auto* control = new Control(owner);
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  control->SetAlign(align);
  return control;
}
