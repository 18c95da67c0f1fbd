// The size and placement rules where real text metrics cannot reach them: odd widths, a check box wider than
// the buttons, screens smaller than the box.
#include "MsgBoxLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace msgbox_layout;

TMetrics TwoButtons() {
  TMetrics m;
  m.glyph = {32, 32};
  m.textWidth = 100;
  m.textHeight = 13;
  m.buttonCount = 2;
  m.screen = {1280, 1024};
  return m;
}

TEST(MsgBoxLayout, ButtonRowIsCentredOnTheWidthOfMessageAndButtons) {
  TMetrics m = TwoButtons();
  m.textWidth = 161;  // area 32 + 2 + 161 + 2 = 197, box 207
  const TLayout layout = Compute(m);
  EXPECT_EQ(layout.box.right - layout.box.left, 207);
  EXPECT_EQ(layout.firstButtonLeft, 23) << "(207 - 160) / 2, truncated";

  m.checkBox = true;
  m.buttonCount = 1;
  m.textWidth = 10;
  m.checkBoxCaptionWidth = 200;  // box 13 + 4 + 200 + 3 = 220 wide
  const TLayout wide = Compute(m);
  EXPECT_EQ(wide.box.right - wide.box.left, 220);
  EXPECT_EQ(wide.firstButtonLeft, 5) << "centred on max(46 + 10, 80 + 10) = 90, not on the check box";
}

TEST(MsgBoxLayout, ShorterOfGlyphAndTextIsCentredOnTheTaller) {
  TMetrics m = TwoButtons();
  TLayout layout = Compute(m);
  EXPECT_EQ(layout.glyphAt.y, 0);
  EXPECT_EQ(layout.textAt.y, (32 - 13) / 2);
  EXPECT_EQ(layout.textAt.x, 34);
  m.textHeight = 65;
  layout = Compute(m);
  EXPECT_EQ(layout.glyphAt.y, (67 - 32) / 2);
  EXPECT_EQ(layout.textAt.y, 1);
}

TEST(MsgBoxLayout, PlacementKeepsTheTopLeftCornerOnTheScreen) {
  TMetrics m = TwoButtons();
  m.screen = {1001, 601};
  TLayout layout = Compute(m);  // 170 x 97
  EXPECT_EQ(layout.box.left, (1001 - 170) / 2);
  EXPECT_EQ(layout.box.top, (601 - 97) / 2);
  m.screen = {100, 90};
  layout = Compute(m);
  EXPECT_EQ(layout.box.left, 0);
  EXPECT_EQ(layout.box.top, 0);
  EXPECT_EQ(layout.box.right, 170) << "the size stays; only the position gives way";
}

}  // namespace
