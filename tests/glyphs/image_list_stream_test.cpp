// The lists travel with the form definitions in the Windows image-list stream format (ImageList_Write):
// a header, then the colour bitmap and the mask bitmap as BMP files, the images four to a row.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstring>

#include "glyph_render.h"
#include "image_list_cases.h"

namespace {

#pragma pack(push, 2)
struct StreamHeader {
  USHORT magic;
  USHORT version;
  WORD count;
  WORD allocated;
  WORD grow;
  WORD cx;
  WORD cy;
  COLORREF background;
  WORD flags;
  SHORT overlays[4];
};
#pragma pack(pop)

std::vector<BYTE> WriteToBytes(HIMAGELIST list) {
  IStream* stream = nullptr;
  std::vector<BYTE> bytes;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return bytes;
  if (ImageList_Write(list, stream)) {
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (SUCCEEDED(GetHGlobalFromStream(stream, &memory)) && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
      auto* data = static_cast<const BYTE*>(GlobalLock(memory));
      bytes.assign(data, data + stat.cbSize.LowPart);
      GlobalUnlock(memory);
    }
  }
  stream->Release();
  return bytes;
}

HIMAGELIST ReadFromBytes(const std::vector<BYTE>& bytes) {
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
  ULONG written = 0;
  stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  HIMAGELIST list = ImageList_Read(stream);
  stream->Release();
  return list;
}

// One BMP file inside the stream: where its pixels start and how they are laid out.
struct StoredBitmap {
  const BITMAPINFOHEADER* info = nullptr;
  const BYTE* bits = nullptr;
  size_t end = 0;
};

StoredBitmap ReadStoredBitmap(const std::vector<BYTE>& bytes, size_t at) {
  StoredBitmap bmp;
  if (at + sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) > bytes.size()) return bmp;
  BITMAPFILEHEADER file;
  std::memcpy(&file, bytes.data() + at, sizeof file);
  bmp.info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data() + at + sizeof file);
  bmp.bits = bytes.data() + at + file.bfOffBits;
  const int stride = (bmp.info->biWidth * bmp.info->biBitCount + 31) / 32 * 4;
  bmp.end = at + file.bfOffBits + static_cast<size_t>(stride) * bmp.info->biHeight;
  return bmp;
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

class ImageListStream : public ImageListTest {
 protected:
  void SetUp() override {
    ImageListTest::SetUp();
    if (HasFatalFailure()) return;
    bytes_ = WriteToBytes(list_);
    ASSERT_GT(bytes_.size(), sizeof(StreamHeader));
  }
  StreamHeader Header() const {
    StreamHeader h;
    std::memcpy(&h, bytes_.data(), sizeof h);
    return h;
  }
  std::vector<BYTE> bytes_;
};

TEST_P(ImageListStream, HeaderRecordsSizeCountGrowthAndNoBackground) {
  const ListCase& c = GetParam();
  const StreamHeader h = Header();
  EXPECT_EQ(h.magic, 'I' | ('L' << 8));
  EXPECT_EQ(h.count, c.count);
  EXPECT_EQ(h.cx, c.width);
  EXPECT_EQ(h.cy, c.height);
  EXPECT_EQ(h.flags, ILC_COLOR32 | ILC_MASK);
  EXPECT_EQ(h.background, CLR_NONE);
  // The version-5 stream (0x101) records the requested growth; comctl32 6 (0x600 and later) records it
  // padded by two images and rounded up to four.
  EXPECT_EQ(h.grow, h.version == 0x101 ? 4 : 8);
  // Windows keeps one slot beyond the initial capacity and writes that allocation; Wine does the same.
  EXPECT_EQ(h.allocated, c.capacity + 1);
}

TEST_P(ImageListStream, StoresMaskedPixelsBlackUnderAOneBitMask) {
  const StreamHeader h = Header();
  if (h.version != 0x101) GTEST_SKIP() << "comctl32 6 stores alpha images without a separate mask";
  StoredBitmap colour = ReadStoredBitmap(bytes_, sizeof(StreamHeader));
  ASSERT_NE(colour.info, nullptr);
  StoredBitmap mask = ReadStoredBitmap(bytes_, colour.end);
  ASSERT_NE(mask.info, nullptr);
  ASSERT_EQ(colour.info->biBitCount, 32);
  ASSERT_EQ(mask.info->biBitCount, 1);
  ASSERT_EQ(colour.info->biWidth, 4 * h.cx) << "four images to a row";
  ASSERT_EQ(mask.info->biWidth, colour.info->biWidth);
  ASSERT_EQ(mask.info->biHeight, colour.info->biHeight);
  ASSERT_LE(mask.end, bytes_.size());

  const int width = colour.info->biWidth;
  const int mask_stride = (width + 31) / 32 * 4;
  int masked = 0;
  for (int y = 0; y < colour.info->biHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool transparent = mask.bits[y * mask_stride + x / 8] & (0x80 >> (x % 8));
      std::uint32_t pixel;
      std::memcpy(&pixel, colour.bits + (y * width + x) * 4, 4);
      if (transparent) {
        ++masked;
        ASSERT_EQ(pixel & 0xFFFFFF, 0u) << x << "," << y;
      }
    }
  }
  EXPECT_GT(masked, 0);
}

TEST_P(ImageListStream, ReadingBackKeepsCountSizeAndEveryPixel) {
  const ListCase& c = GetParam();
  HIMAGELIST copy = ReadFromBytes(bytes_);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(copy), c.count);
  int width = 0, height = 0;
  ImageList_GetIconSize(copy, &width, &height);
  EXPECT_EQ(width, c.width);
  EXPECT_EQ(height, c.height);
  EXPECT_EQ(ImageList_GetBkColor(copy), CLR_NONE);
  // Wine 8 reads the mask of the 10x9 title-bar list back as all opaque (its rows are 40 pixels wide, not a
  // multiple of 32); Windows reads back what it wrote, so the pixels are compared everywhere else.
  if (RunningUnderWine() && (4 * c.width) % 32 != 0) {
    ImageList_Destroy(copy);
    GTEST_SKIP() << "Wine loses the mask of lists whose rows are not a multiple of 32 pixels";
  }
  // Drawing over two backgrounds compares colour and mask at once.
  for (int i = 0; i < c.count; ++i) {
    for (std::uint32_t background : {0x00FFFFFFu, 0x00205020u}) {
      Rendered original = RenderListImage(list_, i, c.width, c.height, background);
      Rendered reread = RenderListImage(copy, i, c.width, c.height, background);
      ASSERT_TRUE(original.drawn && reread.drawn) << "image " << i;
      ASSERT_EQ(original.pixels, reread.pixels) << "image " << i;
    }
  }
  ImageList_Destroy(copy);
}

INSTANTIATE_TEST_SUITE_P(Glyphs, ImageListStream, testing::ValuesIn(kLists), ListCaseName);

}  // namespace
