// Forms: top-level windows built in code from their definitions. A form class's constructor states its
// definition (base class first, by the order of C++ construction); CreateForm then loads every component
// once, lets each class in the chain finish (Created), and raises OnCreate.
#pragma once

#include <functional>

#include "Controls.h"

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle = bsSizeable;
  unsigned BorderIcons = 0;
  int PixelsPerInch = 96;

  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  void SetVisible(bool visible) override;
  // A definition gives either the outer rectangle (SetBounds) or the client area; the later one holds.
  void SetBounds(int left, int top, int width, int height) override;
  void SetClientSize(int width, int height);

  // The standard way to close: the close query, DoClose, then what the close action says.
  void Close();
  virtual bool CloseQuery() { return true; }

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;

  // Runs after the whole definition chain was read and loaded; each class finishes its own part.
  virtual void Created();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OwnerPainted() const override { return true; }
  virtual void DoClose(TCloseAction& action);
  // The smallest client area the user may size the window to; none when either side is 0.
  virtual SIZE MinClientSize() { return SIZE{0, 0}; }

 private:
  void ApplyWindowState();
  LRESULT MinimisedMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void KeepMinClientSize(MINMAXINFO& info);

  TWindowState FWindowState = wsNormal;
  // A client size asked for before the window existed: only the window knows its frame.
  bool FClientSizePending = false;
};

// Builds a form the way its definitions say: construction, loading, the finishing steps, OnCreate.
// A form that fails half-way is destroyed again, so that a later attempt starts clean.
template <class Form>
Form* CreateForm(TComponent* owner) {
  Form* form = new Form(owner);
  try {
    form->LoadTree();
    form->Created();
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}
