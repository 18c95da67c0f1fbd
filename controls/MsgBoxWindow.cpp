#include "MsgBoxWindow.h"

#include <windows.h>

#include <algorithm>

#include "Application.h"
#include "Controls.h"
#include "ModalScope.h"
#include "MsgBoxHandles.h"
#include "MsgBoxLayout.h"
#include "SehGuard.h"

const char kMessageBoxClassName[] = "Quillon.MessageBox";

namespace {

namespace layout = msgbox_layout;

// Away from IDOK and IDCANCEL: the dialog manager sends those for Enter without a default button and for
// Escape, and neither may press a button of this box.
constexpr int kFirstButtonId = 100;
constexpr int kCheckBoxId = 99;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      lines.back() += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;  // one break, however it is written
    lines.emplace_back();
  }
  return lines;
}

LPCSTR IconFor(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return IDI_EXCLAMATION;
    case mtError:
      return IDI_HAND;
    case mtInformation:
      return IDI_ASTERISK;
    case mtConfirmation:
      return IDI_QUESTION;
    default:
      return nullptr;
  }
}

// Measured the way DrawText will draw it, so that "&" takes no room.
int TextWidth(HDC dc, const std::string& line) {
  RECT bounds{};
  DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &bounds, DT_CALCRECT | DT_SINGLELINE);
  return bounds.right - bounds.left;
}

HFONT FontHandle(const TFont& font) {
  HFONT handle = font.Handle();
  if (!handle) throw EMessageBoxError("The font \"" + font.Name() + "\" could not be made");
  return handle;
}

// A window of ours like every other (one window procedure, one exception barrier), superclassing the
// system's dialog class so that the dialog manager keeps the focus, the default button and the keyboard.
class TMessageBoxWindow : public TWinControl {
 public:
  TMessageBoxWindow(const TMsgBoxContent& content, const TMsgBoxEvents& events, HWND owner);
  // The window goes before the fonts, brush and glyph it shows.
  ~TMessageBoxWindow() override { DestroyWnd(); }
  int ShowModal();

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void MakeGlyph();
  layout::TMetrics Measure();
  void CreateFrame();
  void CreateButtons(int stripTop);
  void CreateCheckBox(int stripTop);
  HWND CreateChild(const char* caption, DWORD style, int id, const RECT& bounds, HFONT font);
  HWND FirstFocus() const;
  void Paint(HDC dc);
  void Command(int id, int code);
  void ShowDefaultLook();
  void Finish(int result);
  HWND Window() const { return FHandle; }

  const TMsgBoxContent& FContent;
  const HWND FOwner;
  const TMsgBoxEvents& FEvents;
  std::vector<std::string> FLines;
  TFont FCheckBoxFont;  // the box's standard font
  TBrush FBrush;
  TGdiObject<HBITMAP> FGlyph;
  SIZE FGlyphSize{};
  int FLineHeight = 0;
  layout::TLayout FLayout;
  int FDefaultId = 0;  // 0: no default button
  bool FDone = false;
  int FResult = mrCancel;
  HWND FCheckBox = nullptr;  // child of the box
};

TMessageBoxWindow::TMessageBoxWindow(const TMsgBoxContent& content, const TMsgBoxEvents& events, HWND owner)
    : TWinControl(nullptr),
      FContent(content),
      FOwner(owner),
      FEvents(events),
      FLines(SplitLines(content.text)),
      FBrush(content.color) {
  SetVisible(false);  // hidden until it is complete
  MakeGlyph();
  FLayout = layout::Compute(Measure());
  CreateFrame();
  RECT client{};
  GetClientRect(Window(), &client);
  const int stripTop = client.bottom - FLayout.stripHeight;
  CreateButtons(stripTop);
  if (FContent.checkBox) CreateCheckBox(stripTop);
}

void TMessageBoxWindow::MakeGlyph() {
  const LPCSTR iconId = IconFor(FContent.dlgType);
  if (!iconId) return;
  HICON icon = LoadIconA(nullptr, iconId);  // a shared system icon: never destroyed
  if (!icon) throw EMessageBoxError("The system icon of the message box could not be loaded");
  FGlyphSize = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  TScreenDC screen;
  FGlyph.Reset(CreateCompatibleBitmap(screen.Get(), FGlyphSize.cx, FGlyphSize.cy));
  TMemoryDC memory(screen.Get());
  if (!FGlyph.Get() || !memory.Get())
    throw EMessageBoxError("The glyph of the message box could not be made");
  TSelection bitmap(memory.Get(), FGlyph.Get());
  const RECT all{0, 0, FGlyphSize.cx, FGlyphSize.cy};
  FillRect(memory.Get(), &all, FBrush.Handle());
  DrawIcon(memory.Get(), 0, 0, icon);
}

layout::TMetrics TMessageBoxWindow::Measure() {
  TScreenDC screen;
  if (!screen.Get()) throw EMessageBoxError("The screen cannot be measured");
  layout::TMetrics metrics;
  metrics.glyph = FGlyphSize;
  {
    TSelection font(screen.Get(), FontHandle(FContent.messageFont));
    TEXTMETRICA text{};
    GetTextMetricsA(screen.Get(), &text);
    FLineHeight = text.tmHeight;
    for (const std::string& line : FLines)
      metrics.textWidth = std::max(metrics.textWidth, TextWidth(screen.Get(), line));
    metrics.textHeight = FLineHeight * static_cast<int>(FLines.size());
  }
  metrics.buttonCount = static_cast<int>(FContent.buttons.size());
  metrics.checkBox = FContent.checkBox;
  if (metrics.checkBox) {
    TSelection font(screen.Get(), FontHandle(FCheckBoxFont));
    metrics.checkBoxCaptionWidth = TextWidth(screen.Get(), kDontShowAgainCaption);
  }
  metrics.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return metrics;
}

void TMessageBoxWindow::CreateParams(TCreateParams& params) {
  const RECT& box = FLayout.box;
  params.Caption = FContent.caption;
  params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  params.X = box.left;
  params.Y = box.top;
  params.Width = box.right - box.left;
  params.Height = box.bottom - box.top;
  params.WndParent = FOwner;
  params.ClassName = "MessageBox";
  params.SystemClass = "#32770";  // WC_DIALOG, which is a wide string in the headers
}

void TMessageBoxWindow::CreateFrame() {
  HandleNeeded();
  if (!HandleAllocated()) throw EMessageBoxError("The message box window could not be created");
}

HWND TMessageBoxWindow::CreateChild(const char* caption, DWORD style, int id, const RECT& bounds,
                                    HFONT font) {
  HWND child = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, bounds.left,
                               bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, Window(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
  if (!child) throw EMessageBoxError(std::string("The control \"") + caption + "\" could not be created");
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void TMessageBoxWindow::CreateButtons(int stripTop) {
  HFONT font = FontHandle(FContent.buttonFont);
  for (size_t i = 0; i < FContent.buttons.size(); ++i) {
    const int left = FLayout.firstButtonLeft + static_cast<int>(i) * layout::kButtonPitch;
    const int top = stripTop + layout::kButtonTop;
    const RECT bounds{left, top, left + layout::kButtonWidth, top + layout::kButtonHeight};
    const int id = kFirstButtonId + static_cast<int>(i);
    const bool isDefault = static_cast<int>(i) == FContent.defaultButton;
    if (isDefault) FDefaultId = id;
    CreateChild(FContent.buttons[i].caption, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, id, bounds, font);
  }
}

void TMessageBoxWindow::CreateCheckBox(int stripTop) {
  const int top = stripTop + layout::kCheckBoxTop;
  const RECT bounds{0, top, FLayout.checkBoxWidth, top + layout::kCheckBoxHeight};
  FCheckBox =
      CreateChild(kDontShowAgainCaption, BS_AUTOCHECKBOX, kCheckBoxId, bounds, FontHandle(FCheckBoxFont));
  SendMessageA(FCheckBox, BM_SETCHECK, FContent.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND TMessageBoxWindow::FirstFocus() const {
  if (FDefaultId) return GetDlgItem(Window(), FDefaultId);
  if (!FContent.buttons.empty()) return GetDlgItem(Window(), kFirstButtonId);
  return FCheckBox;
}

// Showing the box deactivates a host window, and the loop dispatches the thread's messages to the host's
// windows: a fault in any of them ends the loop as our failure, and the box goes with this object.
int TMessageBoxWindow::ShowModal() {
  static const char kLoop[] = "the message box's loop";
  TThreadWindowsDisabled others(Window());
  CallGuarded(kLoop, ShowWindow, Window(), SW_SHOWNORMAL);
  if (HWND focus = FirstFocus()) SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  while (!FDone) {
    MSG message;
    const BOOL got = CallGuarded(kLoop, GetMessageA, &message, HWND{nullptr}, 0u, 0u);
    if (got == -1) throw EMessageBoxError("The message box lost its message queue");
    if (got == 0) {
      // The thread is quitting: the loop that owns the thread must still see the quit.
      PostQuitMessage(static_cast<int>(message.wParam));
      Finish(mrCancel);
      break;
    }
    if (!Window() || !CallGuarded(kLoop, IsDialogMessageA, Window(), &message)) {
      TranslateMessage(&message);
      CallGuarded(kLoop, DispatchMessageA, static_cast<const MSG*>(&message));
    }
  }
  return FResult;
}

void TMessageBoxWindow::Paint(HDC dc) {
  if (FGlyph.Get()) {
    TMemoryDC memory(dc);
    TSelection bitmap(memory.Get(), FGlyph.Get());
    BitBlt(dc, FLayout.glyphAt.x, FLayout.glyphAt.y, FGlyphSize.cx, FGlyphSize.cy, memory.Get(), 0, 0,
           SRCCOPY);
  }
  TSelection font(dc, FontHandle(FContent.messageFont));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(FContent.messageFont.Color()));
  int top = FLayout.textAt.y;
  for (const std::string& line : FLines) {
    RECT bounds{FLayout.textAt.x, top, FLayout.label.cx, top + FLineHeight};
    DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &bounds, DT_SINGLELINE | DT_NOCLIP);
    top += FLineHeight;
  }
}

void TMessageBoxWindow::Command(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kCheckBoxId) {
    if (FEvents.onTickChanged)
      FEvents.onTickChanged(SendMessageA(FCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED);
    return;
  }
  const int index = id - kFirstButtonId;
  if (index < 0 || index >= static_cast<int>(FContent.buttons.size())) return;
  const TMsgDlgButtonKind& button = FContent.buttons[index];
  if (button.kind != mbHelp) {
    Finish(button.result);
  } else if (FEvents.onHelp) {
    FEvents.onHelp();
  }
}

// While the focus is on something other than a push button, Enter presses the default button; that is the
// button that must look it.
void TMessageBoxWindow::ShowDefaultLook() {
  const LRESULT code = SendMessageA(GetFocus(), WM_GETDLGCODE, 0, 0);
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) return;
  for (size_t i = 0; i < FContent.buttons.size(); ++i) {
    const int id = kFirstButtonId + static_cast<int>(i);
    SendMessageA(GetDlgItem(Window(), id), BM_SETSTYLE, id == FDefaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                 TRUE);
  }
}

void TMessageBoxWindow::Finish(int result) {
  if (FDone) return;
  FDone = true;
  FResult = result;
  // Wakes the loop should this run from a nested loop of somebody else's.
  if (Window()) PostMessageA(Window(), WM_NULL, 0, 0);
}

LRESULT TMessageBoxWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(Window(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, FBrush.Handle());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Window(), &paint);
      Paint(dc);
      EndPaint(Window(), &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ColorToRGB(FCheckBoxFont.Color()));
      return reinterpret_cast<LRESULT>(FBrush.Handle());
    }
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return FDefaultId ? MAKELRESULT(FDefaultId, DC_HASDEFID) : 0;
    case WM_NEXTDLGCTL: {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      ShowDefaultLook();
      return result;
    }
    case WM_CLOSE:
      Finish(mrCancel);
      return 0;
    case WM_DESTROY:
      Finish(mrCancel);
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

}  // namespace

int RunMessageBox(const TMsgBoxContent& content, const TMsgBoxEvents& events) {
  TActivationRestored activation;
  TMessageBoxWindow box(content, events, activation.Previous());
  return box.ShowModal();
}
