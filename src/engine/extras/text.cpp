// Text: system fonts through the display, and monospaced bitmap fonts laid out on a texture grid.
#include <string_view>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/draw_math.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {
constexpr uint32_t opaque_black = 0xFF000000u;
constexpr char32_t first_sheet_code = 32;
constexpr char32_t last_sheet_code = 255;  // the sheets hold the 8-bit codes
constexpr char32_t not_on_sheet = U'?';
constexpr char32_t not_utf8 = 0xFFFD;

// The code point that starts at text[i], and i moved past it. A byte that starts no well-formed
// UTF-8 sequence (a stray continuation, a cut or overlong sequence, a surrogate) is one character
// of its own that is not on any sheet.
char32_t next_code_point(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  const size_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (more == 0 || lead > 0xF4 || i + more > text.size()) return not_utf8;
  char32_t code = lead & (0x3F >> more);
  for (size_t k = 0; k < more; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return not_utf8;
    code = (code << 6) | (next & 0x3F);
  }
  constexpr char32_t shortest_for[] = {0, 0x80, 0x800, 0x10000};
  if (code < shortest_for[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return not_utf8;
  i += more;
  return code;
}

text_align align_for(double formatstyle) {
  switch (to_int32(formatstyle)) {
    case 1: return text_align::right;
    case 2: return text_align::centre;
    default: return text_align::left_top;
  }
}
}  // namespace

void Varnel_2D_Engine::text(double left, double top, double width, double height, const std::string& text,
                            uint32_t color, const std::string& fontstr, double fontsize, bool fontbold,
                            bool fontitalic, double formatstyle, double shadowxoffset, double shadowyoffset,
                            uint32_t shadowcolor) {
  if (shadowcolor == 0) shadowcolor = opaque_black;
  text_request request;
  request.text = text;
  request.face = fontstr;
  request.points = fontsize;
  request.bold = fontbold;
  request.italic = fontitalic;
  request.align = align_for(formatstyle);
  request.right = to_int32(left + width);
  request.bottom = to_int32(top + height);
  if (shadowxoffset != 0 || shadowyoffset != 0) {
    request.left = to_int32(left + shadowxoffset);
    request.top = to_int32(top + shadowyoffset);
    request.colour = shadowcolor;
    state_->backends.display->draw_text(request);
  }
  request.left = to_int32(left);
  request.top = to_int32(top);
  request.colour = color;
  state_->backends.display->draw_text(request);
}

void Varnel_2D_Engine::text_bitmap(const std::string& txt, double Index, double srcx, double srcy, double letterwidth,
                                   double letterheight, double lettersacross, double dstx, double dsty, double alpha,
                                   double shadowalpha, double shadowxoffset, double shadowyoffset) {
  const int32_t across = to_int32(lettersacross);
  if (across < 1) return;
  sprite_quad quad;
  size_t next = 0;
  for (size_t i = 0; next < txt.size(); ++i) {
    char32_t code = next_code_point(txt, next);
    if (code > last_sheet_code) code = not_on_sheet;
    if (code < first_sheet_code) continue;  // control characters have no cell; their place stays empty
    const auto n = static_cast<int32_t>(code - first_sheet_code);
    const grid_point cell = grid_cell(srcx, srcy, n % across, n / across, letterwidth, letterheight);
    quad.left = to_int32(cell.x);
    quad.top = to_int32(cell.y);
    quad.right = to_int32(cell.x + letterwidth);
    quad.bottom = to_int32(cell.y + letterheight);
    const double x = dstx + static_cast<double>(i) * letterwidth;
    if (shadowalpha > 0) {
      quad.x = static_cast<float>(x + shadowxoffset);
      quad.y = static_cast<float>(dsty + shadowyoffset);
      quad.colour = pack_argb(shadowalpha, 0, 0, 0);
      private_draw(Index, quad);
    }
    quad.x = static_cast<float>(x);
    quad.y = static_cast<float>(dsty);
    quad.colour = pack_argb(alpha, 255, 255, 255);
    private_draw(Index, quad);
  }
}
