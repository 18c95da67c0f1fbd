#include "TreeHost.h"

#include <cstring>

#include "Application.h"
#include "QxPlatformFacts.h"

namespace {
HWND KeptOut = nullptr;  // a hook has no context; one at a time

TPopupMenu* MakeMenu(TComponent* owner, std::vector<const char*> captions) {
  auto* menu = new TPopupMenu(owner);
  for (const char* caption : captions) {
    auto* item = new TMenuItem(owner);
    item->Caption = caption;
    menu->Add(item);
  }
  return menu;
}

LRESULT CALLBACK RefuseFocus(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SETFOCUS && reinterpret_cast<HWND>(wParam) == KeptOut) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

TThreadHook KeepFocusOut(HWND window) {
  KeptOut = window;
  return HookThread(WH_CBT, RefuseFocus);
}

void TreeViewTest::SetUp() {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&init);
  Application().OnException = [this](const std::string& message) { Failures.push_back(message); };
  Form = new TForm(nullptr);
  Form->SetBounds(200, 150, 320, 240);
  Menu = MakeMenu(Form, {"Delete"});
  OtherMenu = MakeMenu(Form, {"Rename", "Refresh"});
  Tree = new TQxTreeView(Form);
  Tree->SetAlign(alClient);
  Tree->RightClickSelect = true;
  Tree->PopupMenu = Menu;
  Tree->SetParent(Form);
  Form->Show();
  SetForegroundWindow(Form->Handle());
  Pump();
}

void TreeViewTest::TearDown() {
  delete Form;
  Application().OnException = nullptr;
  ResetQxPlatformFactsForTesting();
  EXPECT_TRUE(Failures.empty()) << Failures.front();
}

void TreeViewTest::FillTree() {
  TTreeNodes& items = Tree->Items();
  items.BeginUpdate();
  TTreeNode* root = items.AddChild(nullptr, "Root");
  TTreeNode* alpha = items.AddChild(root, "Alpha");
  items.AddChild(alpha, "A1");
  items.AddChild(alpha, "A2");
  items.AddChild(root, "Beta");
  items.AddChild(root, "Gamma");
  root->Expand(false);
  items.EndUpdate();
  Pump();
}

void TreeViewTest::FillLongTree(int count) {
  TTreeNodes& items = Tree->Items();
  items.BeginUpdate();
  for (int i = 0; i < count; ++i) items.AddChild(nullptr, "Item " + std::to_string(i));
  items.EndUpdate();
  Pump();
}

TTreeNode* TreeViewTest::Node(const std::string& text) const {
  for (TTreeNode* node = Tree->Items().GetFirstNode(); node; node = node->GetNext())
    if (node->Text() == text) return node;
  return nullptr;
}

void TreeViewTest::WatchNodeMenus(std::function<void(POINT& pos, TPopupMenu*& menu)> change) {
  Tree->OnNodeContextMenu = [this, change](TComponent* sender, TTreeNode* node, POINT& pos,
                                           TPopupMenu*& menu) {
    MenuCalls.push_back({sender, node, pos, menu});
    if (change) change(pos, menu);
  };
}

RECT TreeViewTest::LabelRect(TTreeNode* node) {
  RECT r{};
  HTREEITEM item = node->ItemId();
  std::memcpy(&r, &item, sizeof item);
  if (!SendMessageA(TreeWindow(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) r = RECT{};
  return r;
}

POINT TreeViewTest::ToScreen(POINT client) {
  ClientToScreen(TreeWindow(), &client);
  return client;
}

POINT TreeViewTest::EmptySpace() {
  RECT client;
  GetClientRect(TreeWindow(), &client);
  return POINT{client.right / 2, client.bottom - 5};
}

void TreeViewTest::RightClickAt(POINT client) {
  PointerTo(ToScreen(client));
  Pump();
  ClickButtonHere(true);
  Pump();
}

namespace {
// Takes the mouse capture from the control while it follows a press, as another window of the thread
// may (a host's own tracking, a drag it starts): the control then reports the click with the button
// still down.
class TCaptureThief : public TThreadTicker {
 public:
  explicit TCaptureThief(HWND from) : FFrom(from) {}

 private:
  void OnTick() override {
    if (GetCapture() == FFrom) ReleaseCapture();
  }
  HWND FFrom;
};
}  // namespace

void TreeViewTest::RightPressLosingCapture(POINT client) {
  PointerTo(ToScreen(client));
  Pump();
  TCaptureThief thief(TreeWindow());
  ButtonHere(true, true);
  Pump();
}

void TreeViewTest::RightReleaseHere() {
  ButtonHere(true, false);
  Pump();
}

void TreeViewTest::SendKey(UINT key, unsigned modifiers) {
  BYTE saved[256];
  GetKeyboardState(saved);
  BYTE state[256];
  std::memcpy(state, saved, sizeof state);
  state[VK_SHIFT] = (modifiers & ssShift) ? 0x80 : 0;
  state[VK_CONTROL] = (modifiers & ssCtrl) ? 0x80 : 0;
  state[VK_MENU] = (modifiers & ssAlt) ? 0x80 : 0;
  SetKeyboardState(state);
  // As Windows sends them: F10 and anything with Alt come as system keys.
  bool system = key == VK_F10 || (modifiers & ssAlt);
  LPARAM data = 1 | (MapVirtualKeyA(key, 0) << 16) | ((modifiers & ssAlt) ? (KF_ALTDOWN << 16) : 0);
  SendMessageA(TreeWindow(), system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, data);
  SetKeyboardState(saved);
  Pump();
}

LRESULT TreeViewTest::SendContextMenu(LPARAM position) {
  LRESULT result =
      SendMessageA(TreeWindow(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(TreeWindow()), position);
  Pump();
  return result;
}
