// The message box's geometry, kept apart from the window so that the numbers can be checked on their own.
#pragma once

#include <windows.h>

namespace msgbox_layout {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonPitch = 80;  // width plus the gap to the next button
constexpr int kButtonTop = 5;
constexpr int kButtonStripHeight = 40;
constexpr int kCheckBoxStripExtra = 20;
constexpr int kCheckBoxTop = 35;
constexpr int kCheckMarkSize = 13;
constexpr int kCheckMarkGap = 4;
constexpr int kCheckBoxHeight = 17;
constexpr int kGlyphTextSpacing = 2;
constexpr int kTextMargin = 2;
constexpr int kBoxExtraWidth = 10;
constexpr int kBoxExtraHeight = 25;
constexpr int kCheckBoxExtraWidth = 3;

struct TMetrics {
  SIZE glyph{};      // 0 x 0 when the box has no glyph
  int textWidth{};   // widest line
  int textHeight{};  // all lines together
  int buttonCount{};
  bool checkBox{};
  int checkBoxCaptionWidth{};
  SIZE screen{};
};

struct TLayout {
  SIZE label{};  // natural size of the message area
  POINT glyphAt{};
  POINT textAt{};
  RECT box{};  // outer frame, screen coordinates
  int stripHeight{};
  int firstButtonLeft{};
  int checkBoxWidth{};
};

TLayout Compute(const TMetrics& metrics);

}  // namespace msgbox_layout
