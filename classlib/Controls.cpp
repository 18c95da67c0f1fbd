#include "Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "Application.h"
#include "EntryBarrier.h"
#include "Menus.h"
#include "ScopeExit.h"
#include "WindowClasses.h"

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE && !control) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (control) control->Attach(window);
  }
  if (!control) return CallWindowProcA(OriginalWindowProc(window), window, message, wParam, lParam);
  LRESULT result = EntryBarrier([&] { return control->Dispatch(message, wParam, lParam); }, LRESULT{0});
  if (message == WM_NCDESTROY) control->Detach();
  return result;
}

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

namespace {
bool IsButtonPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this] { FontChanged(); };
}

TWinControl::~TWinControl() {
  BeginDestruction();
  // The components this control owns go first, while their parent windows still exist.
  DestroyComponents();
  for (TWinControl* child : std::vector<TWinControl*>(FControls)) child->SetParent(nullptr);
  DestroyWnd();
  if (FParent) FParent->RemoveControl(this);
}

namespace {
// Marks a window as one of ours, whoever else subclasses it afterwards (an accessibility tool, say): a
// comparison of window procedures would stop recognising it then.
constexpr char kControlProperty[] = "Quillon.Control";
}  // namespace

TWinControl* TWinControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  return static_cast<TWinControl*>(GetPropA(window, kControlProperty));
}

// Notifications come from child windows, nearly always children of ours: those are found in the control's
// own list, without a window property lookup, which is a call into the window manager for every notification.
TWinControl* TWinControl::ChildFromHandle(HWND window) {
  for (TWinControl* child : FControls)
    if (child->FHandle == window) return child;
  return FromHandle(window);
}

void TWinControl::Attach(HWND window) {
  FHandle = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetPropA(window, kControlProperty, this);
}

void TWinControl::Detach() {
  if (FHandle) {
    SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    RemovePropA(FHandle, kControlProperty);
  }
  FHandle = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  if (FParent) {
    FParent->InsertControl(this);
    if (FHandle)
      ::SetParent(FHandle, FParent->Handle());
    else if (FParent->HandleAllocated())
      HandleNeeded();
    if (FParentColor) ParentColorChanged();
    FParent->AlignControls();
  } else if (FHandle && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) {
    DestroyWnd();
  }
}

void TWinControl::InsertControl(TWinControl* control) {
  FControls.push_back(control);
}

void TWinControl::RemoveControl(TWinControl* control) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  if (!Destroying()) AlignControls();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (FHandle) MoveWindow(FHandle, left, top, width, height, TRUE);
  if (FParent && FAlign != alNone && !FParent->FAligning) FParent->AlignControls();
  AlignControls();
}

int TWinControl::ClientWidth() const {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) GetClientRect(FHandle, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) GetClientRect(FHandle, &r);
  return r.bottom;
}

void TWinControl::SetAlign(TAlign align) {
  FAlign = align;
  if (FParent) FParent->AlignControls();
}

// Top and bottom first, then left and right, in creation order; the client control takes what is left.
void TWinControl::AlignControls() {
  if (FAligning || FControls.empty()) return;
  FAligning = true;
  RECT area{0, 0, ClientWidth(), ClientHeight()};
  auto place = [](TWinControl* c, int l, int t, int w, int h) {
    if (c->FLeft != l || c->FTop != t || c->FWidth != w || c->FHeight != h) c->SetBounds(l, t, w, h);
  };
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TWinControl* c : FControls) {
      if (c->FAlign != pass || !c->FVisible) continue;
      int width = area.right - area.left, height = area.bottom - area.top;
      switch (pass) {
        case alTop:
          place(c, area.left, area.top, width, c->FHeight);
          area.top += c->FHeight;
          break;
        case alBottom:
          area.bottom -= c->FHeight;
          place(c, area.left, area.bottom, width, c->FHeight);
          break;
        case alLeft:
          place(c, area.left, area.top, c->FWidth, height);
          area.left += c->FWidth;
          break;
        case alRight:
          area.right -= c->FWidth;
          place(c, area.right, area.top, c->FWidth, height);
          break;
        default:
          place(c, area.left, area.top, std::max(0, width), std::max(0, height));
      }
    }
  }
  FAligning = false;
}

void TWinControl::SetVisible(bool visible) {
  FVisible = visible;
  if (FHandle) ShowWindow(FHandle, visible ? SW_SHOW : SW_HIDE);
  if (FParent) FParent->AlignControls();
}

void TWinControl::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FHandle) {
    SetWindowTextA(FHandle, caption.c_str());
    if (OwnerPainted()) InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TWinControl::SetColor(TColor color) {
  FColor = color;
  FParentColor = false;
  ColorChanged();
}

void TWinControl::SetParentColor(bool parentColor) {
  FParentColor = parentColor;
  if (parentColor) ParentColorChanged();
}

void TWinControl::ParentColorChanged() {
  if (FParent && FParentColor) {
    FColor = FParent->FColor;
    ColorChanged();
  }
}

void TWinControl::ColorChanged() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
  for (TWinControl* child : FControls) child->ParentColorChanged();
}

void TWinControl::FontChanged() {
  if (FHandle) {
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
  }
}

void TWinControl::SysColorChange() {
  for (TWinControl* child : FControls) child->SysColorChange();
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateWnd();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = FCaption;
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (FVisible ? WS_VISIBLE : 0);
  params.X = FLeft;
  params.Y = FTop;
  params.Width = FWidth;
  params.Height = FHeight;
  if (FParent) {
    params.Style |= WS_CHILD;
    params.WndParent = FParent->Handle();
  }
  params.ClassName = "Control";
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (params.WndParent == nullptr && FParent) return;  // the parent could not get a window
  std::string className = EnsureWindowClass(params.ClassName, params.SystemClass, params.ClassStyle);
  HWND window = CreateWindowExA(params.ExStyle, className.c_str(), params.Caption.c_str(), params.Style,
                                params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                ModuleInstance(), this);
  if (!window) return;
  if (FHandle != window) Attach(window);
  // Calls posted to an earlier window lost their messages with it.
  for (size_t i = 0; i < FPostedCalls.size(); ++i) PostMessageA(window, CM_POSTEDCALL, 0, 0);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  CreateWindowHandleDone();
  CreateChildHandles();
  AlignControls();
}

void TWinControl::CreateChildHandles() {
  for (TWinControl* child : FControls)
    if (!child->FHandle) child->CreateWnd();
}

void TWinControl::DestroyWnd() {
  if (!FHandle) return;
  HWND window = FHandle;
  ReadBoundsFromWindow();
  FDestroyingWnd = true;
  TOnScopeExit destroyed([this] { FDestroyingWnd = false; });
  DestroyWindow(window);
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyWnd();
  CreateWnd();
}

void TWinControl::ReadBoundsFromWindow() {
  if (!FHandle || IsIconic(FHandle) || IsZoomed(FHandle)) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  // A pop-up placed inside another window (the host's view) is positioned in that window's client area.
  HWND parent = GetAncestor(FHandle, GA_PARENT);
  if (parent && parent != GetDesktopWindow())
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
}

POINT TWinControl::ScreenToClient(POINT screen) {
  ::ScreenToClient(Handle(), &screen);
  return screen;
}

POINT TWinControl::ClientToScreen(POINT client) {
  ::ClientToScreen(Handle(), &client);
  return client;
}

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CM_POSTEDCALL) {
    if (FPostedCalls.empty()) return 0;
    std::function<void()> call = std::move(FPostedCalls.front());
    FPostedCalls.pop_front();
    call();
    return 0;
  }
  if (TabKey(message, wParam)) return 0;
  return WndProc(message, wParam, lParam);
}

void TWinControl::PostCall(std::function<void()> call) {
  if (!FHandle) {
    call();
    return;
  }
  FPostedCalls.push_back(std::move(call));
  if (!PostMessageA(FHandle, CM_POSTEDCALL, 0, 0)) {
    call = std::move(FPostedCalls.back());
    FPostedCalls.pop_back();
    call();
  }
}

// The window's own procedure is another module's code, and some of its handling runs a loop of its own that
// dispatches the thread's messages to the host's windows (a control telling a press from a drag, the system
// moving a window). A fault in there comes out here as our own failure, so that every scope of ours
// between here and the entry barrier ends; a fault in one of our own windows' procedures never gets here,
// its barrier being nearer. A press followed by such a loop holds the mouse until the button is released:
// cut short, the loop never lets it go, and every later click of the thread would come to this window.
LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CN_NOTIFY || message == CN_COMMAND) return 0;
  try {
    return CallGuarded("a window's own handling", CallWindowProcA, OriginalWindowProc(FHandle), FHandle,
                       message, wParam, lParam);
  } catch (...) {
    if (IsButtonPress(message) && GetCapture() == FHandle) ReleaseCapture();
    throw;
  }
}

// A notification from a child window goes back to the control it came from, as CN_NOTIFY; one from a
// window that is not a control of ours goes to the child that claims it. False when nobody takes it.
bool TWinControl::ReflectNotify(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (TWinControl* from = ChildFromHandle(header->hwndFrom); from && from != this) {
    ++from->FNotifyDepth;
    TOnScopeExit done([from] { --from->FNotifyDepth; });
    result = from->Dispatch(CN_NOTIFY, wParam, lParam);
    return true;
  }
  for (TWinControl* child : FControls)
    if (child->ClaimNotify(header, result)) return true;
  return false;
}

// Background and painting of a control that paints itself. False for a control the window paints.
bool TWinControl::PaintOwn(UINT message, WPARAM wParam) {
  if (!OwnerPainted()) return false;
  if (message == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(FHandle, &r);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(FColor));
    FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
    DeleteObject(brush);
  } else {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    Paint(dc);
    EndPaint(FHandle, &ps);
  }
  return true;
}

LRESULT TWinControl::HandleKey(UINT message, WPARAM wParam, LPARAM lParam) {
  WORD key = static_cast<WORD>(wParam);
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
    KeyDown(key, KeyboardShiftState());
  else
    KeyUp(key, KeyboardShiftState());
  if (key == 0) return 0;
  return DefaultHandler(message, key, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (ReflectNotify(wParam, lParam, result)) return result;
      break;
    }
    case WM_COMMAND:
      if (lParam) {
        if (TWinControl* from = ChildFromHandle(reinterpret_cast<HWND>(lParam)); from && from != this)
          return from->Dispatch(CN_COMMAND, wParam, lParam);
      }
      break;
    case WM_SIZE: {
      LRESULT result = DefaultHandler(message, wParam, lParam);
      if (wParam != SIZE_MINIMIZED) {
        ReadBoundsFromWindow();
        AlignControls();
      }
      return result;
    }
    case WM_MOVE:
      ReadBoundsFromWindow();
      break;
    case WM_ERASEBKGND:
      if (PaintOwn(message, wParam)) return 1;
      break;
    case WM_PAINT:
      if (PaintOwn(message, wParam)) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      return HandleMouse(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return HandleKey(message, wParam, lParam);
    case WM_CONTEXTMENU:
      if (ContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return 0;
      break;
    case WM_SYSCOLORCHANGE:
      SysColorChange();
      break;
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  TShiftState shift = MouseShiftState(wParam);
  LRESULT result = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (CapturesMouse()) SetCapture(FHandle);
      FMousePressedLeft = true;
      if (message == WM_LBUTTONDBLCLK) {
        DblClick();
        shift |= ssDouble;
      }
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
      MouseDown(message == WM_MBUTTONDOWN ? mbMiddle : mbRight, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      bool wasPressed = FMousePressedLeft;
      FMousePressedLeft = false;
      if (CapturesMouse() && GetCapture() == FHandle) ReleaseCapture();
      MouseUp(mbLeft, shift, x, y);
      RECT r;
      GetClientRect(FHandle, &r);
      if (wasPressed && ClicksOnRelease() && PtInRect(&r, POINT{x, y})) Click();
      break;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(message == WM_MBUTTONUP ? mbMiddle : mbRight, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
  }
  if (!OwnerPainted()) result = DefaultHandler(message, wParam, lParam);
  return result;
}

void TWinControl::Paint(HDC) {}

void TWinControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TWinControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TWinControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::Click() {
  if (OnClick) OnClick(this);
}

void TWinControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

bool TWinControl::ContextMenu(POINT screen) {
  if (!PopupMenu || !PopupMenu->AutoPopup) return false;
  if (screen.x == -1 && screen.y == -1) screen = ClientToScreen(POINT{0, 0});
  PopupMenu->PopupComponent = this;
  PopupMenu->Popup(screen.x, screen.y);
  return true;
}
