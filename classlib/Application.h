// The application object: owns the main form, carries the title and the default error handling that every
// failure no handler caught ends in. A plug-in library has exactly one, made on first use.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Component.h"

class TForm;

class TApplication : public TComponent {
 public:
  TApplication() : TComponent(nullptr) {}

  std::string Title = "Quillon";
  TForm* MainForm = nullptr;  // owned as a component like any other

  // Call from inside a catch block: the failure in flight is shown as a plain error message box, or
  // handed to OnException when whoever runs this library has assigned one.
  void HandleException();
  // The same for a structured exception that an entry barrier stopped (EntryBarrier.h).
  void HandleStructuredException(DWORD code);
  std::function<void(const std::string& message)> OnException;
};

TApplication& Application();
// Destroys the application object with everything it owns; the next Application() makes a new one.
void DestroyApplication();
bool ApplicationExists();

// The module this code lives in (the plug-in library), for window classes and resources.
HINSTANCE ModuleInstance();
