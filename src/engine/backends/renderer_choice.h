// Which way the window display draws: the choice between OpenGL and drawing on the CPU, and the
// look-up of the OpenGL implementation that the automatic choice rests on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <varnel2d/engine_backends.h>

namespace varnel2d {

// True when the OpenGL renderer string names one of Mesa's CPU rasterisers.
bool is_software_rasteriser(std::string_view gl_renderer);

// gl or software: an explicit request is honoured; the automatic one draws on the CPU when OpenGL
// is missing (no renderer string) or a CPU rasteriser.
display_renderer resolve_renderer(display_renderer requested, const std::optional<std::string>& gl_renderer);

// The renderer string (GL_RENDERER) of an OpenGL context on a hidden window; nothing when no
// context can be made. SDL's video subsystem must be initialised.
std::optional<std::string> probe_gl_renderer();

}  // namespace varnel2d
