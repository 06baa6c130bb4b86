// The choice between the OpenGL and the CPU display path.
#include "engine/backends/renderer_choice.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace varnel2d {

std::optional<display_renderer> renderer_named(std::string_view name) {
  if (name == "auto") return display_renderer::automatic;
  if (name == "gl") return display_renderer::gl;
  if (name == "software") return display_renderer::software;
  return std::nullopt;
}

bool is_software_rasteriser(std::string_view gl_renderer) {
  std::string lower(gl_renderer);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  constexpr std::array<std::string_view, 3> rasterisers{"llvmpipe", "softpipe", "swrast"};
  return std::any_of(rasterisers.begin(), rasterisers.end(),
                     [&](std::string_view name) { return lower.find(name) != std::string::npos; });
}

display_renderer resolve_renderer(display_renderer requested, const std::optional<std::string>& gl_renderer) {
  if (requested != display_renderer::automatic) return requested;
  return gl_renderer && !is_software_rasteriser(*gl_renderer) ? display_renderer::gl : display_renderer::software;
}

std::optional<std::string> probe_gl_renderer() {
  constexpr unsigned int GL_RENDERER_NAME = 0x1F01;
  SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window == nullptr) return std::nullopt;
  std::optional<std::string> name;
  if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
    using get_string = const unsigned char* (*)(unsigned int);
    const auto get = reinterpret_cast<get_string>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* text = get != nullptr ? get(GL_RENDERER_NAME) : nullptr;
    if (text != nullptr) name = reinterpret_cast<const char*>(text);
    SDL_GL_DeleteContext(context);
  }
  SDL_DestroyWindow(window);
  return name;
}

}  // namespace varnel2d
