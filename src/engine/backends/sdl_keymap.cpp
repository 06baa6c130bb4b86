// The one translation table from SDL scancodes to DirectInput key codes.
#include <SDL_scancode.h>

#include <array>
#include <utility>

#include <varnel2d/keys.h>

#include "engine/backends/sdl_input.h"

namespace varnel2d {
namespace {

constexpr std::pair<SDL_Scancode, int> key_pairs[] = {
    {SDL_SCANCODE_ESCAPE, key::escape},
    {SDL_SCANCODE_1, key::digit_1},
    {SDL_SCANCODE_2, key::digit_2},
    {SDL_SCANCODE_3, key::digit_3},
    {SDL_SCANCODE_4, key::digit_4},
    {SDL_SCANCODE_5, key::digit_5},
    {SDL_SCANCODE_6, key::digit_6},
    {SDL_SCANCODE_7, key::digit_7},
    {SDL_SCANCODE_8, key::digit_8},
    {SDL_SCANCODE_9, key::digit_9},
    {SDL_SCANCODE_0, key::digit_0},
    {SDL_SCANCODE_MINUS, key::minus},
    {SDL_SCANCODE_EQUALS, key::equals},
    {SDL_SCANCODE_BACKSPACE, key::backspace},
    {SDL_SCANCODE_TAB, key::tab},
    {SDL_SCANCODE_Q, key::q},
    {SDL_SCANCODE_W, key::w},
    {SDL_SCANCODE_E, key::e},
    {SDL_SCANCODE_R, key::r},
    {SDL_SCANCODE_T, key::t},
    {SDL_SCANCODE_Y, key::y},
    {SDL_SCANCODE_U, key::u},
    {SDL_SCANCODE_I, key::i},
    {SDL_SCANCODE_O, key::o},
    {SDL_SCANCODE_P, key::p},
    {SDL_SCANCODE_LEFTBRACKET, key::left_bracket},
    {SDL_SCANCODE_RIGHTBRACKET, key::right_bracket},
    {SDL_SCANCODE_RETURN, key::enter},
    {SDL_SCANCODE_LCTRL, key::left_ctrl},
    {SDL_SCANCODE_A, key::a},
    {SDL_SCANCODE_S, key::s},
    {SDL_SCANCODE_D, key::d},
    {SDL_SCANCODE_F, key::f},
    {SDL_SCANCODE_G, key::g},
    {SDL_SCANCODE_H, key::h},
    {SDL_SCANCODE_J, key::j},
    {SDL_SCANCODE_K, key::k},
    {SDL_SCANCODE_L, key::l},
    {SDL_SCANCODE_SEMICOLON, key::semicolon},
    {SDL_SCANCODE_APOSTROPHE, key::apostrophe},
    {SDL_SCANCODE_GRAVE, key::grave},
    {SDL_SCANCODE_LSHIFT, key::left_shift},
    {SDL_SCANCODE_BACKSLASH, key::backslash},
    {SDL_SCANCODE_Z, key::z},
    {SDL_SCANCODE_X, key::x},
    {SDL_SCANCODE_C, key::c},
    {SDL_SCANCODE_V, key::v},
    {SDL_SCANCODE_B, key::b},
    {SDL_SCANCODE_N, key::n},
    {SDL_SCANCODE_M, key::m},
    {SDL_SCANCODE_COMMA, key::comma},
    {SDL_SCANCODE_PERIOD, key::period},
    {SDL_SCANCODE_SLASH, key::slash},
    {SDL_SCANCODE_RSHIFT, key::right_shift},
    {SDL_SCANCODE_KP_MULTIPLY, key::pad_multiply},
    {SDL_SCANCODE_LALT, key::left_alt},
    {SDL_SCANCODE_SPACE, key::space},
    {SDL_SCANCODE_CAPSLOCK, key::caps_lock},
    {SDL_SCANCODE_F1, key::f1},
    {SDL_SCANCODE_F2, key::f2},
    {SDL_SCANCODE_F3, key::f3},
    {SDL_SCANCODE_F4, key::f4},
    {SDL_SCANCODE_F5, key::f5},
    {SDL_SCANCODE_F6, key::f6},
    {SDL_SCANCODE_F7, key::f7},
    {SDL_SCANCODE_F8, key::f8},
    {SDL_SCANCODE_F9, key::f9},
    {SDL_SCANCODE_F10, key::f10},
    {SDL_SCANCODE_NUMLOCKCLEAR, key::numlock},
    {SDL_SCANCODE_SCROLLLOCK, key::scroll_lock},
    {SDL_SCANCODE_KP_7, key::pad_7},
    {SDL_SCANCODE_KP_8, key::pad_8},
    {SDL_SCANCODE_KP_9, key::pad_9},
    {SDL_SCANCODE_KP_MINUS, key::pad_minus},
    {SDL_SCANCODE_KP_4, key::pad_4},
    {SDL_SCANCODE_KP_5, key::pad_5},
    {SDL_SCANCODE_KP_6, key::pad_6},
    {SDL_SCANCODE_KP_PLUS, key::pad_plus},
    {SDL_SCANCODE_KP_1, key::pad_1},
    {SDL_SCANCODE_KP_2, key::pad_2},
    {SDL_SCANCODE_KP_3, key::pad_3},
    {SDL_SCANCODE_KP_0, key::pad_0},
    {SDL_SCANCODE_KP_PERIOD, key::pad_period},
    {SDL_SCANCODE_NONUSBACKSLASH, key::oem_102},
    {SDL_SCANCODE_F11, key::f11},
    {SDL_SCANCODE_F12, key::f12},
    {SDL_SCANCODE_KP_ENTER, key::pad_enter},
    {SDL_SCANCODE_RCTRL, key::right_ctrl},
    {SDL_SCANCODE_KP_DIVIDE, key::pad_divide},
    {SDL_SCANCODE_PRINTSCREEN, key::print_screen},
    {SDL_SCANCODE_RALT, key::right_alt},
    {SDL_SCANCODE_PAUSE, key::pause},
    {SDL_SCANCODE_HOME, key::home},
    {SDL_SCANCODE_UP, key::up},
    {SDL_SCANCODE_PAGEUP, key::page_up},
    {SDL_SCANCODE_LEFT, key::left},
    {SDL_SCANCODE_RIGHT, key::right},
    {SDL_SCANCODE_END, key::end},
    {SDL_SCANCODE_DOWN, key::down},
    {SDL_SCANCODE_PAGEDOWN, key::page_down},
    {SDL_SCANCODE_INSERT, key::insert},
    {SDL_SCANCODE_DELETE, key::del},
    {SDL_SCANCODE_LGUI, key::left_windows},
    {SDL_SCANCODE_RGUI, key::right_windows},
    {SDL_SCANCODE_APPLICATION, key::menu},
};

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> build_table() {
  std::array<uint8_t, SDL_NUM_SCANCODES> table{};
  for (const auto& [scancode, code] : key_pairs) table[scancode] = static_cast<uint8_t>(code);
  return table;
}

constexpr auto table = build_table();

}  // namespace

uint8_t directinput_code(int sdl_scancode) {
  if (sdl_scancode < 0 || sdl_scancode >= SDL_NUM_SCANCODES) return 0;
  return table[static_cast<size_t>(sdl_scancode)];
}

}  // namespace varnel2d
