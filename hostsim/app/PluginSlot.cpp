#include "PluginSlot.h"

namespace {

const char* const kExports[] = {"tsxGetVersion", "tsxGetData", "tsxOnLeftClick", "tsxOnRightClick",
                                "tsxDeactivate"};

std::string WindowsMessage(DWORD code) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  std::string message = text;
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return "Windows error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

std::string MissingExports(HMODULE module) {
  std::string missing;
  for (const char* name : kExports)
    if (!GetProcAddress(module, name)) missing += (missing.empty() ? "" : ", ") + std::string(name);
  return missing;
}

}  // namespace

bool PluginSlot::Fail(const std::string& message) {
  FError = message;
  return false;
}

bool PluginSlot::Load(const std::string& path) {
  Unload();
  FPath = path;
  FError.clear();
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return Fail("Cannot load the plug-in: \"" + path + "\" does not exist.");
  // The module must not call the host while Windows holds the loader lock; the simulator counts any
  // call made in this span.
  simSetLoaderSpan(1);
  HMODULE module = LoadLibraryA(path.c_str());
  DWORD error = GetLastError();
  simSetLoaderSpan(0);
  if (!module) return Fail("Cannot load the plug-in \"" + path + "\": " + WindowsMessage(error) + ".");
  std::string missing = MissingExports(module);
  if (!missing.empty() || !simRegisterPlugin(kPlugId, module)) {
    FreeLibrary(module);
    return Fail("\"" + path + "\" is not a plug-in: it does not export " +
                (missing.empty() ? std::string("what the host needs") : missing) + ".");
  }
  FModule = module;
  FVersion = simPluginGetVersion(kPlugId);
  simPluginGetData(kPlugId, &FData);
  FData.title[sizeof FData.title - 1] = '\0';
  FData.author[sizeof FData.author - 1] = '\0';
  FBitmap = static_cast<HBITMAP>(
      LoadImageA(FModule, MAKEINTRESOURCEA(FData.bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  char description[256] = {};
  LoadStringA(FModule, FData.stringId, description, sizeof description);
  FDescription = description[0] ? description : FData.title;
  return true;
}

void PluginSlot::Unload() {
  if (!FModule) return;
  if (Active()) simPluginDeactivate(kPlugId);
  simUnregisterPlugin(kPlugId);
  if (FBitmap) DeleteObject(FBitmap);
  FBitmap = nullptr;
  simSetLoaderSpan(1);
  FreeLibrary(FModule);
  simSetLoaderSpan(0);
  FModule = nullptr;
  FVersion = 0;
  FData = {};
  FDescription.clear();
}

int PluginSlot::LeftClick() {
  return FModule ? simPluginLeftClick(kPlugId) : 0;
}

void PluginSlot::RightClick() {
  if (FModule) simPluginRightClick(kPlugId);
}

void PluginSlot::Deactivate() {
  if (FModule) simPluginDeactivate(kPlugId);
}

bool PluginSlot::Active() const {
  return FModule && simPluginIsActive(kPlugId);
}

void PluginSlot::ButtonClick() {
  if (Active())
    Deactivate();
  else
    LeftClick();
}
