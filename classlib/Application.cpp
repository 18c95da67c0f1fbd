#include "Application.h"

#include <exception>

#include "SehGuard.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
TApplication* TheApplication = nullptr;
}

HINSTANCE ModuleInstance() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

TApplication& Application() {
  if (!TheApplication) TheApplication = new TApplication();
  return *TheApplication;
}

bool ApplicationExists() {
  return TheApplication != nullptr;
}

void DestroyApplication() {
  delete TheApplication;
  TheApplication = nullptr;
}

void TApplication::HandleException() {
  std::string message = "Unknown failure.";
  try {
    throw;
  } catch (const std::exception& failure) {
    message = failure.what();
  } catch (...) {
  }
  if (OnException) {
    OnException(message);
    return;
  }
  MessageBoxA(GetActiveWindow(), message.c_str(), Title.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void TApplication::HandleStructuredException(DWORD code) {
  try {
    throw EStructuredException(code);
  } catch (...) {
    HandleException();
  }
}
