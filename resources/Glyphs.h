// The panel's pictures: the four image lists of the scene panel and the tool-window base, and the
// title-bar speed buttons' glyphs. The pixels come from the text art in resources/art.
#pragma once

#include <windows.h>
// The common controls header needs the Windows types declared first.
#include <commctrl.h>

#include <cstdint>

#include "PictureIndex.h"

// Each returns a new list (the caller destroys it) or nullptr when Windows refuses one.
HIMAGELIST CreateGlyphImageList();
HIMAGELIST CreateToolImageList();
HIMAGELIST CreateStateImageList();
HIMAGELIST CreateTfbImageList();

// A 10x9 24-bit DIB section, black on fuchsia; a speed button takes its bottom-left colour as transparent.
// nullptr for an unknown glyph. The caller deletes it.
HBITMAP CreateTitleButtonGlyph(int which);

// The art behind the lists, so that tests and the contact sheet can name and check each picture.
// Pixels are 0xAARRGGBB, top row first; alpha is 0 for transparent pixels and 0xFF otherwise.
struct GlyphPicture {
  const char* name;
  const std::uint32_t* pixels;
};

struct GlyphSetArt {
  const char* name;
  int width;
  int height;
  int capacity;
  int count;
  const GlyphPicture* pictures;
};

enum class GlyphSet { Glyph, Tool, State, Tfb, TitleButton };

const GlyphSetArt& GlyphArt(GlyphSet set);
