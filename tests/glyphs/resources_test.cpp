// The host loads the plug-in's button picture and description by id from the module itself.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

class ModuleResources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA("glyph_resources.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

struct BitmapCase {
  int id;
  int bits;
};

TEST_F(ModuleResources, BitmapsLoadByIdWithTheirSizeAndDepth) {
  for (BitmapCase c : {BitmapCase{100, 24}, BitmapCase{101, 8}}) {
    SCOPED_TRACE(c.id);
    HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObject(image, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 34);
    EXPECT_EQ(dib.dsBm.bmHeight, 34);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, c.bits);
    DeleteObject(image);
  }
}

TEST_F(ModuleResources, PlugBitmapCarriesAFullPalette) {
  HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(2));
  ASSERT_NE(found, nullptr);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, found)));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->biClrUsed, 256u);
}

TEST_F(ModuleResources, ButtonBitmapIsNotBlank) {
  HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(100), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  ASSERT_NE(image, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image);
  const COLORREF corner = GetPixel(dc, 33, 0);
  int differing = 0;
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 34; ++x) differing += GetPixel(dc, x, y) != corner;
  EXPECT_GT(differing, 34 * 34 / 4);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(image);
}

TEST_F(ModuleResources, StringsDescribeThePlugIn) {
  char text[128] = {};
  EXPECT_EQ(LoadStringA(module_, 0, text, sizeof text), 26);
  EXPECT_STREQ(text, "Quillon From Quillon Works");
  EXPECT_GT(LoadStringA(module_, 1, text, sizeof text), 0);
  EXPECT_STREQ(text, "Quillon plug-in");
}

TEST_F(ModuleResources, UnknownIdsAreAbsent) {
  EXPECT_EQ(LoadImageA(module_, MAKEINTRESOURCEA(102), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
  char text[16] = {};
  EXPECT_EQ(LoadStringA(module_, 2, text, sizeof text), 0);
}

}  // namespace
