// Textures and full-screen surfaces: loading, sizes, reloading after a device loss, and drawing
// one quad with colour, scale, rotation and an optional shadow.
#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/angles.h"
#include "engine/draw_math.h"
#include "engine/paths.h"
#include <varnel2d/numbers.h>

using namespace varnel2d;

namespace {
// Textures reloaded after a device loss are keyed on opaque magenta, whatever key they had.
constexpr uint32_t reload_colour_key = 0xFFFF00FFu;
}  // namespace

namespace varnel2d {
image_slot* slot_at(std::array<image_slot, image_slot_count>& slots, double index) {
  if (!(index >= 1 && index <= image_slot_count)) return nullptr;
  return &slots[static_cast<size_t>(to_int32(index) - 1)];
}
}  // namespace varnel2d

bool Varnel_2D_Engine::texture_load(double Index, const std::string& filenameonly,
                                    std::optional<uint32_t> ColorKeyValue, bool usefullpath) {
  image_slot* slot = slot_at(state_->images.textures, Index);
  if (slot == nullptr) return false;
  if (slot->loaded) {
    state_->backends.display->release(slot->image);
    slot->image = 0;
    lib_doevents(1);
  }
  const std::string file = data_file(path, filenameonly, usefullpath);
  slot->loaded = false;
  if (!lib_fileexists(file) || !ColorKeyValue) return false;
  slot->image = state_->backends.display->load_texture(file, *ColorKeyValue);
  if (slot->image == 0) return false;
  slot->file = file;
  slot->loaded = true;
  return true;
}

bool Varnel_2D_Engine::surface_load(double Index, const std::string& filenameonly, bool usefullpath) {
  image_slot* slot = slot_at(state_->images.surfaces, Index);
  if (slot == nullptr) return false;
  if (slot->loaded) {
    state_->backends.display->release(slot->image);
    slot->image = 0;
    lib_doevents(1);
  }
  slot->file = data_file(path, filenameonly, usefullpath);
  slot->loaded = false;
  if (!lib_fileexists(slot->file)) return false;
  slot->image = state_->backends.display->load_surface(slot->file);
  if (slot->image == 0) return false;
  slot->loaded = true;
  lib_doevents(1);
  return true;
}

void Varnel_2D_Engine::surface_todraw(double surfacetodraw) { state_->images.surface_to_draw = to_int16(surfacetodraw); }

double Varnel_2D_Engine::texture_getwidth(double Index) {
  const image_slot* slot = slot_at(state_->images.textures, Index);
  return slot == nullptr ? 0 : state_->backends.display->size_of(slot->image).width;
}

double Varnel_2D_Engine::texture_getheight(double Index) {
  const image_slot* slot = slot_at(state_->images.textures, Index);
  return slot == nullptr ? 0 : state_->backends.display->size_of(slot->image).height;
}

void Varnel_2D_Engine::private_terminate_textures() {
  for (auto* table : {&state_->images.textures, &state_->images.surfaces}) {
    for (image_slot& slot : *table) {
      if (slot.image != 0) state_->backends.display->release(slot.image);
      slot.image = 0;
      lib_doevents(1);
    }
  }
  lib_doevents(1);
}

bool Varnel_2D_Engine::private_reload_textures() {
  for (image_slot& slot : state_->images.textures) {
    if (!slot.loaded) continue;
    slot.image = state_->backends.display->load_texture(slot.file, reload_colour_key);
    lib_doevents(1);
    if (slot.image == 0) return false;
  }
  for (image_slot& slot : state_->images.surfaces) {
    if (!slot.loaded) continue;
    slot.image = state_->backends.display->load_surface(slot.file);
    lib_doevents(1);
    if (slot.image == 0) return false;
  }
  return true;
}

void Varnel_2D_Engine::private_draw(double textureindex, sprite_quad quad) {
  const image_slot* slot = slot_at(state_->images.textures, textureindex);
  if (slot == nullptr || slot->image == 0) return;
  quad.texture = slot->image;
  state_->backends.display->draw(quad);
}

void Varnel_2D_Engine::texture_draw(double textureindex, double srcx, double srcy, double srcwidth, double srcheight,
                                    double x, double y, double alpha, double red, double green, double blue,
                                    double rotation, double xscale, double yscale, bool origintopleft,
                                    double shadowalpha, double shadowxoffset, double shadowyoffset,
                                    double shadowxscale, double shadowyscale, double shadowrotation) {
  sprite_quad quad;
  quad.left = to_int32(srcx);
  quad.top = to_int32(srcy);
  quad.right = to_int32(srcx + srcwidth);
  quad.bottom = to_int32(srcy + srcheight);
  quad.centre_x = static_cast<float>(xscale * srcwidth / 2);
  quad.centre_y = static_cast<float>(yscale * srcheight / 2);
  if (shadowalpha > 0) {
    quad.scale_x = static_cast<float>(shadowxscale);
    quad.scale_y = static_cast<float>(shadowyscale);
    const double left = origintopleft ? int_floor(x) : centred_edge(x, shadowxscale, srcwidth);
    const double top = origintopleft ? int_floor(y) : centred_edge(y, shadowyscale, srcheight);
    quad.x = static_cast<float>(shadowxoffset + left);
    quad.y = static_cast<float>(shadowyoffset + top);
    quad.rotation = state_->core.angle_table[static_cast<size_t>(angle_index(shadowrotation))];
    quad.colour = pack_argb(int_floor(shadowalpha), 0, 0, 0);
    private_draw(textureindex, quad);
  }
  quad.scale_x = static_cast<float>(xscale);
  quad.scale_y = static_cast<float>(yscale);
  quad.x = static_cast<float>(origintopleft ? int_floor(x) : centred_edge(x, xscale, srcwidth));
  quad.y = static_cast<float>(origintopleft ? int_floor(y) : centred_edge(y, yscale, srcheight));
  quad.rotation = state_->core.angle_table[static_cast<size_t>(angle_index(rotation))];
  quad.colour = pack_argb(int_floor(alpha), int_floor(red), int_floor(green), int_floor(blue));
  private_draw(textureindex, quad);
}
