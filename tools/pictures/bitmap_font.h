#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace pictures {

// A 5 x 7 pixel font for drawing figures and captions without any font file, so that a picture
// comes out the same on every machine. Glyphs are proportional: blank columns are trimmed.
constexpr int kGlyphHeight = 7;

struct Glyph {
  char32_t code;
  std::array<std::string_view, kGlyphHeight> rows;  // '#' marks a black pixel, 5 columns each
};

// The glyph for a character, or nullptr when the font lacks it.
const Glyph* findGlyph(char32_t code);

// Columns [first, last] of a glyph that hold any black pixel; a blank glyph is a 3-pixel space.
struct GlyphSpan {
  int first;
  int width;
};
GlyphSpan glyphSpan(const Glyph& glyph);

// UTF-8 to code points; the texts here need nothing beyond two-byte sequences ("Ø", "±").
std::vector<char32_t> decodeUtf8(std::string_view text);

// Width in pixels at scale 1, one blank column between glyphs. Throws for a character without a
// glyph.
int textWidth(std::string_view text);

}  // namespace pictures
