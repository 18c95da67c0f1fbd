#include "Graphics.h"

#include <map>

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

TFont::TFont(std::string name, int height, TColor color)
    : FName(std::move(name)), FHeight(height), FColor(color) {}

TFont::TFont(const TFont& other)
    : FName(other.FName),
      FHeight(other.FHeight),
      FColor(other.FColor),
      FCharset(other.FCharset),
      FStyle(other.FStyle) {}

TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}

TFont::~TFont() {
  ReleaseHandle();
}

void TFont::ReleaseHandle() const {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TFont::Changed() {
  ReleaseHandle();
  if (OnChange) OnChange();
}

namespace {
// Stores value in field; true when that changed it.
template <class T>
bool Replace(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}
}  // namespace

void TFont::SetName(const std::string& name) {
  if (Replace(FName, name)) Changed();
}

void TFont::SetHeight(int height) {
  if (Replace(FHeight, height)) Changed();
}

void TFont::SetColor(TColor color) {
  if (Replace(FColor, color) && OnChange) OnChange();  // the colour is not part of the GDI font
}

void TFont::SetCharset(int charset) {
  if (Replace(FCharset, charset)) Changed();
}

void TFont::SetStyle(unsigned style) {
  if (Replace(FStyle, style)) Changed();
}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  FName = source.FName;
  FHeight = source.FHeight;
  FColor = source.FColor;
  FCharset = source.FCharset;
  FStyle = source.FStyle;
  Changed();
}

namespace {
int CALLBACK NoteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceExists(const std::string& face) {
  LOGFONTA query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(query.lfFaceName, face.c_str(), LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &query, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}
}  // namespace

// The installed fonts do not change while the library runs, and asking is slow: each answer is kept.
std::string TFont::ResolvedFace() const {
  static std::map<std::string, std::string> resolved;
  auto known = resolved.find(FName);
  if (known != resolved.end()) return known->second;
  std::string face = FName;
  if (!FaceExists(FName))
    for (const char* fallback : {"Microsoft Sans Serif", "Tahoma", "Arial", "DejaVu Sans"})
      if (FaceExists(fallback)) {
        face = fallback;
        break;
      }
  resolved[FName] = face;
  return face;
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTA font{};
    font.lfHeight = FHeight;
    font.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    font.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    font.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    font.lfCharSet = static_cast<BYTE>(FCharset);
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, ResolvedFace().c_str(), LF_FACESIZE);
    FHandle = CreateFontIndirectA(&font);
  }
  return FHandle;
}

TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}

void TBrush::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  if (OnChange) OnChange();
}

HBRUSH TBrush::Handle() const {
  if (!FHandle) FHandle = CreateSolidBrush(ColorToRGB(FColor));
  return FHandle;
}
