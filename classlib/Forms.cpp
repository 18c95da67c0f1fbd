#include "Forms.h"

#include <algorithm>

#include "Application.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  TWinControl::SetVisible(false);
}

TForm::~TForm() {
  if (ApplicationExists() && Application().MainForm == this) Application().MainForm = nullptr;
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = "Form";
  params.Style &= ~(WS_CHILD | WS_VISIBLE);
  params.WndParent = nullptr;
  switch (BorderStyle) {
    case bsNone:
      params.Style |= WS_POPUP;
      break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      break;
    default:
      params.Style |= WS_OVERLAPPEDWINDOW;
  }
}

void TForm::CreateWindowHandleDone() {
  if (FClientSizePending) SetClientSize(Width(), Height());
}

void TForm::SetBounds(int left, int top, int width, int height) {
  FClientSizePending = false;
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::SetClientSize(int width, int height) {
  if (!HandleAllocated()) {
    TWinControl::SetBounds(Left(), Top(), width, height);
    FClientSizePending = true;
    return;
  }
  RECT window, client;
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  int extraX = (window.right - window.left) - client.right;
  int extraY = (window.bottom - window.top) - client.bottom;
  SetBounds(Left(), Top(), width + extraX, height + extraY);
}

void TForm::Created() {
  if (OnCreate) OnCreate(this);
}

void TForm::SetVisible(bool visible) {
  if (visible) {
    HandleNeeded();
    TWinControl::SetVisible(true);
    ApplyWindowState();
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  } else {
    if (HandleAllocated() && IsWindowVisible(FHandle)) FWindowState = WindowState();
    TWinControl::SetVisible(false);
  }
}

TWindowState TForm::WindowState() const {
  if (HandleAllocated() && IsWindowVisible(FHandle)) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

// A window state reaches the window only while it shows; a hidden form just records it.
void TForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  ApplyWindowState();
}

void TForm::ApplyWindowState() {
  if (!HandleAllocated() || !Visible() || !IsWindowVisible(FHandle)) return;
  if (WindowState() == FWindowState) return;
  static const int commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
  ShowWindow(FHandle, commands[FWindowState]);
}

void TForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Hide();
      break;
    case caNone:
      break;
  }
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    Close();
    return 0;
  }
  if (IsIconic(FHandle) && (message == WM_NCHITTEST || message == WM_NCLBUTTONDBLCLK))
    return MinimisedMouse(message, wParam, lParam);
  if (message == WM_GETMINMAXINFO) {
    LRESULT result = TWinControl::WndProc(message, wParam, lParam);
    KeepMinClientSize(*reinterpret_cast<MINMAXINFO*>(lParam));
    return result;
  }
  // A form whose window its parent took with it shows again only when shown again, in a new window.
  if (message == WM_NCDESTROY && !DestroyingWnd()) VisibleLost();
  return TWinControl::WndProc(message, wParam, lParam);
}

// A minimised window is all caption, and a double click on it restores it, as on every minimised window of
// Windows. Wine's default handling answers "nowhere" for a minimised pop-up placed inside another window,
// which then never comes back by the pointer: the answer is made here, on both.
LRESULT TForm::MinimisedMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) {
    const LRESULT hit = TWinControl::WndProc(message, wParam, lParam);
    return hit == HTNOWHERE ? HTCAPTION : hit;
  }
  ShowWindow(FHandle, SW_RESTORE);
  return 0;
}

// The frame is the window's own: the client size asked for becomes the outer size the frame needs.
void TForm::KeepMinClientSize(MINMAXINFO& info) {
  const SIZE least = MinClientSize();
  if (least.cx <= 0 || least.cy <= 0) return;
  RECT outer{0, 0, least.cx, least.cy};
  AdjustWindowRectEx(&outer, GetWindowLongA(FHandle, GWL_STYLE), FALSE, GetWindowLongA(FHandle, GWL_EXSTYLE));
  info.ptMinTrackSize.x = std::max(info.ptMinTrackSize.x, outer.right - outer.left);
  info.ptMinTrackSize.y = std::max(info.ptMinTrackSize.y, outer.bottom - outer.top);
}
