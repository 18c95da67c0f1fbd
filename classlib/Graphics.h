// Colours, fonts and brushes. A colour is either an RGB value or, when negative, a system colour
// (clBtnFace and friends), resolved when it is used so that a change of the system colours is followed.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

using TColor = long;

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
}
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clNone = 0x1FFFFFFF;

inline bool IsSystemColor(TColor color) {
  return color < 0;
}
COLORREF ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description with its GDI handle made on demand. Every change after construction raises OnChange.
class TFont {
 public:
  TFont() = default;
  TFont(std::string name, int height, TColor color = clWindowText);
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);
  ~TFont();

  const std::string& Name() const { return FName; }
  int Height() const { return FHeight; }
  TColor Color() const { return FColor; }
  int Charset() const { return FCharset; }
  unsigned Style() const { return FStyle; }
  void SetName(const std::string& name);
  void SetHeight(int height);
  void SetColor(TColor color);
  void SetCharset(int charset);
  void SetStyle(unsigned style);
  // Takes every attribute of source (raising OnChange once).
  void Assign(const TFont& source);

  // The face actually used: the named one where the system has it, else the nearest 8-point sans-serif.
  std::string ResolvedFace() const;
  HFONT Handle() const;

  std::function<void()> OnChange;

 private:
  void Changed();
  void ReleaseHandle() const;

  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  int FCharset = DEFAULT_CHARSET;
  unsigned FStyle = 0;
  mutable HFONT FHandle = nullptr;  // owned
};

// A solid brush with its GDI handle made on demand.
class TBrush {
 public:
  explicit TBrush(TColor color = clWhite) : FColor(color) {}
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;
  ~TBrush();

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  HBRUSH Handle() const;

  std::function<void()> OnChange;

 private:
  TColor FColor;
  mutable HBRUSH FHandle = nullptr;  // owned
};
