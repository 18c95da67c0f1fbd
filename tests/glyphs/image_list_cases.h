// The plug-in's four image lists and what each must hold, with a fixture that makes the list afresh for
// every test and destroys it after.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <string>

#include "Glyphs.h"

struct ListCase {
  const char* label;
  HIMAGELIST (*create)();
  GlyphSet set;
  int width;
  int height;
  int count;
  int capacity;  // as the list was made: room before it grows
};

inline const ListCase kLists[] = {
    {"GlyphImageList", CreateGlyphImageList, GlyphSet::Glyph, 16, 16, 17, 19},
    {"ToolImageList", CreateToolImageList, GlyphSet::Tool, 16, 16, 6, 9},
    {"StateImageList", CreateStateImageList, GlyphSet::State, 16, 16, 5, 9},
    {"tfbImageList", CreateTfbImageList, GlyphSet::Tfb, 10, 9, 3, 4},
};

inline std::string ListCaseName(const testing::TestParamInfo<ListCase>& info) {
  return info.param.label;
}

class ImageListTest : public testing::TestWithParam<ListCase> {
 protected:
  void SetUp() override {
    list_ = GetParam().create();
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    if (list_) ImageList_Destroy(list_);
  }
  HIMAGELIST list_ = nullptr;
};
