// Text: system fonts through the display, and monospaced bitmap fonts laid out on a texture grid.
#include "engine/Varnel_2D_Engine.h"
#include "engine/draw_math.h"
#include "platform/numbers.h"

using namespace brisenfall;

namespace {
constexpr uint32_t opaque_black = 0xFF000000u;
constexpr int first_sheet_code = 32;

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
    backends_.display->draw_text(request);
  }
  request.left = to_int32(left);
  request.top = to_int32(top);
  request.colour = color;
  backends_.display->draw_text(request);
}

void Varnel_2D_Engine::text_bitmap(const std::string& txt, double Index, double srcx, double srcy, double letterwidth,
                                   double letterheight, double lettersacross, double dstx, double dsty, double alpha,
                                   double shadowalpha, double shadowxoffset, double shadowyoffset) {
  const int32_t across = to_int32(lettersacross);
  if (across < 1) return;
  sprite_quad quad;
  for (size_t i = 0; i < txt.size(); ++i) {
    const int32_t n = static_cast<unsigned char>(txt[i]) - first_sheet_code;
    if (n < 0) continue;  // control characters have no cell; their place stays empty
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
