// Renders every picture of the plug-in onto one sheet: each list index by index, enlarged four times with
// its number and name, beside it at its real size, then the resource bitmaps and the speed-button glyphs.
// Usage: glyph_contact_sheet OUT.bmp
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Glyphs.h"

namespace {

constexpr int kZoom = 4;
constexpr int kSheetWidth = 1200;
constexpr int kCellWidth = 140;
constexpr int kRowHeight = 100;
constexpr COLORREF kPaper = RGB(236, 236, 236);
constexpr COLORREF kCellBackground = RGB(255, 255, 255);

class Sheet {
 public:
  explicit Sheet(int height) : height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSheetWidth, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, kSheetWidth, height};
    Fill(all, kPaper);
    SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Sheet() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  bool Ok() const { return dc_ && bitmap_; }
  HDC Dc() const { return dc_; }

  void Fill(const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }
  void Text(int x, int y, const std::string& text) { TextOutA(dc_, x, y, text.c_str(), text.size()); }

  // Copies a bitmap at its real size and enlarged, with a thin frame round the enlarged copy.
  void Picture(HBITMAP picture, int width, int height, int x, int y) {
    HDC source = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(source, picture);
    RECT frame{x - 1, y - 1, x + width * kZoom + 1, y + height * kZoom + 1};
    Fill(frame, RGB(160, 160, 160));
    StretchBlt(dc_, x, y, width * kZoom, height * kZoom, source, 0, 0, width, height, SRCCOPY);
    BitBlt(dc_, x + width * kZoom + 8, y, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }

  bool Save(const char* path) const {
    GdiFlush();
    const DWORD size = kSheetWidth * height_ * 4;
    BITMAPFILEHEADER file{0x4D42,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
                          0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{
        sizeof(BITMAPINFOHEADER), kSheetWidth, height_, 1, 32, BI_RGB, size, 2835, 2835, 0, 0};
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1;
    for (int y = height_ - 1; ok && y >= 0; --y)
      ok = std::fwrite(bits_ + y * kSheetWidth, 4, kSheetWidth, out) == kSheetWidth;
    return std::fclose(out) == 0 && ok;
  }

 private:
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// The list draws itself (mask and all) onto a white cell, which is then shown enlarged.
HBITMAP DrawListImage(HDC like, HIMAGELIST list, int index, int width, int height) {
  HBITMAP cell = CreateCompatibleBitmap(like, width, height);
  HDC dc = CreateCompatibleDC(like);
  HGDIOBJ old = SelectObject(dc, cell);
  RECT r{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(kCellBackground);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return cell;
}

int CellsPerRow() {
  return (kSheetWidth - 20) / kCellWidth;
}

int ListRows(const GlyphSetArt& art) {
  return (art.count + CellsPerRow() - 1) / CellsPerRow();
}

bool DrawList(Sheet& sheet, HIMAGELIST list, GlyphSet set, int& y) {
  if (!list) return false;
  const GlyphSetArt& art = GlyphArt(set);
  sheet.Text(10, y,
             std::string(art.name) + " (" + std::to_string(art.count) + " images, " +
                 std::to_string(art.width) + "x" + std::to_string(art.height) + ")");
  y += 18;
  for (int i = 0; i < art.count; ++i) {
    const int x = 10 + (i % CellsPerRow()) * kCellWidth;
    const int top = y + (i / CellsPerRow()) * kRowHeight;
    HBITMAP cell = DrawListImage(sheet.Dc(), list, i, art.width, art.height);
    sheet.Picture(cell, art.width, art.height, x + 1, top + 1);
    DeleteObject(cell);
    sheet.Text(x + art.width * kZoom + 8, top + art.height + 4, std::to_string(i));
    sheet.Text(x, top + art.height * kZoom + 4, art.pictures[i].name);
  }
  y += ListRows(art) * kRowHeight + 6;
  ImageList_Destroy(list);
  return true;
}

bool DrawResourceBitmap(Sheet& sheet, int id, const char* label, int x, int y) {
  HANDLE image =
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!image) return false;
  sheet.Picture(static_cast<HBITMAP>(image), 34, 34, x, y);
  sheet.Text(x, y + 34 * kZoom + 4, label);
  DeleteObject(image);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyph_contact_sheet OUT.bmp\n");
    return 2;
  }
  int height = 20;
  for (GlyphSet set : {GlyphSet::Glyph, GlyphSet::Tool, GlyphSet::State, GlyphSet::Tfb}) {
    height += 24 + ListRows(GlyphArt(set)) * kRowHeight;
  }
  height += 34 * kZoom + 60;
  Sheet sheet(height);
  if (!sheet.Ok()) return 1;

  int y = 10;
  bool ok = DrawList(sheet, CreateGlyphImageList(), GlyphSet::Glyph, y) &&
            DrawList(sheet, CreateToolImageList(), GlyphSet::Tool, y) &&
            DrawList(sheet, CreateStateImageList(), GlyphSet::State, y) &&
            DrawList(sheet, CreateTfbImageList(), GlyphSet::Tfb, y);
  sheet.Text(10, y, "Resource bitmaps and title-bar speed-button glyphs");
  y += 18;
  ok = ok && DrawResourceBitmap(sheet, 100, "bitmap 100 (24-bit)", 10, y) &&
       DrawResourceBitmap(sheet, 101, "bitmap 101 (8-bit)", 200, y);
  const GlyphSetArt& buttons = GlyphArt(GlyphSet::TitleButton);
  for (int i = 0; ok && i < buttons.count; ++i) {
    HBITMAP glyph = CreateTitleButtonGlyph(i);
    ok = glyph != nullptr;
    if (!ok) break;
    const int x = 400 + i * kCellWidth;
    sheet.Picture(glyph, buttons.width, buttons.height, x, y);
    sheet.Text(x, y + buttons.height * kZoom + 4, std::to_string(i) + " " + buttons.pictures[i].name);
    DeleteObject(glyph);
  }
  if (!ok) {
    std::fprintf(stderr, "glyph_contact_sheet: a picture could not be drawn\n");
    return 1;
  }
  if (!sheet.Save(argv[1])) {
    std::fprintf(stderr, "glyph_contact_sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
