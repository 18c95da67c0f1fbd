#include <gtest/gtest.h>

#include "glyph_render.h"
#include "image_list_cases.h"

namespace {

using ImageLists = ImageListTest;

TEST_P(ImageLists, HoldExactlyTheirPicturesAtTheirSize) {
  const ListCase& c = GetParam();
  EXPECT_EQ(ImageList_GetImageCount(list_), c.count);
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list_, &width, &height));
  EXPECT_EQ(width, c.width);
  EXPECT_EQ(height, c.height);
  EXPECT_EQ(GlyphArt(c.set).count, c.count) << "names for labelling must match the list";
}

TEST_P(ImageLists, HaveNoBackgroundColourSoTheyDrawOverAnything) {
  EXPECT_EQ(ImageList_GetBkColor(list_), CLR_NONE);
}

TEST_P(ImageLists, DrawNothingForAnIndexPastTheEnd) {
  const ListCase& c = GetParam();
  const std::uint32_t background = 0x123456;
  for (int index : {c.count, c.count + 1}) {
    Rendered r = RenderListImage(list_, index, c.width, c.height, background);
    EXPECT_FALSE(r.drawn) << "index " << index;
    for (std::uint32_t px : r.pixels) ASSERT_EQ(px, background) << "index " << index;
  }
}

// Over two different backgrounds, a masked pixel must show each background and every other pixel the
// picture's own colour: that is what lets the tree draw the glyphs over its selection highlight.
TEST_P(ImageLists, DrawMaskedPixelsTransparentlyAndTheRestInThePicturesColours) {
  const ListCase& c = GetParam();
  const GlyphSetArt& art = GlyphArt(c.set);
  const std::uint32_t backgrounds[] = {0x00FFFFFF, 0x00103070};
  for (int i = 0; i < c.count; ++i) {
    SCOPED_TRACE(std::string(c.label) + " " + std::to_string(i) + " " + art.pictures[i].name);
    Rendered over[2] = {RenderListImage(list_, i, c.width, c.height, backgrounds[0]),
                        RenderListImage(list_, i, c.width, c.height, backgrounds[1])};
    ASSERT_TRUE(over[0].drawn && over[1].drawn);
    int masked = 0;
    for (int p = 0; p < c.width * c.height; ++p) {
      const std::uint32_t art_pixel = art.pictures[i].pixels[p];
      const bool transparent = (art_pixel >> 24) == 0;
      masked += transparent;
      for (int b = 0; b < 2; ++b) {
        const std::uint32_t expected = transparent ? backgrounds[b] : (art_pixel & 0x00FFFFFF);
        ASSERT_EQ(over[b].pixels[p], expected) << "pixel " << p % c.width << "," << p / c.width;
      }
    }
    EXPECT_GT(masked, 0) << "a picture with no transparent pixel hides the row behind it";
    EXPECT_LT(masked, c.width * c.height) << "an empty picture";
  }
}

INSTANTIATE_TEST_SUITE_P(Glyphs, ImageLists, testing::ValuesIn(kLists), ListCaseName);

TEST(TitleButtonGlyphs, AreBlackOnFuchsiaWithFuchsiaBottomLeft) {
  for (int which : {kTitleButtonClose, kTitleButtonMinimize, kTitleButtonMaximize}) {
    SCOPED_TRACE(which);
    HBITMAP glyph = CreateTitleButtonGlyph(which);
    ASSERT_NE(glyph, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObject(glyph, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 10);
    EXPECT_EQ(dib.dsBm.bmHeight, 9);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, glyph);
    EXPECT_EQ(GetPixel(dc, 0, 8), RGB(255, 0, 255));
    int black = 0;
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 10; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 0, 255)) << x << "," << y;
        black += c == RGB(0, 0, 0);
      }
    }
    EXPECT_GT(black, 5);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(glyph);
  }
}

TEST(TitleButtonGlyphs, ShowTheSamePicturesAsTheTitleBarList) {
  const GlyphSetArt& list = GlyphArt(GlyphSet::Tfb);
  const GlyphSetArt& buttons = GlyphArt(GlyphSet::TitleButton);
  ASSERT_EQ(list.count, buttons.count);
  for (int i = 0; i < list.count; ++i) {
    for (int p = 0; p < list.width * list.height; ++p) {
      const bool inked = (list.pictures[i].pixels[p] >> 24) != 0;
      ASSERT_EQ(inked, buttons.pictures[i].pixels[p] == 0xFF000000) << "glyph " << i << " pixel " << p;
    }
  }
}

TEST(TitleButtonGlyphs, RefuseAnUnknownGlyph) {
  EXPECT_EQ(CreateTitleButtonGlyph(-1), nullptr);
  EXPECT_EQ(CreateTitleButtonGlyph(3), nullptr);
}

}  // namespace
