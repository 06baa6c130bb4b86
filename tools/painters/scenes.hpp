// The ten winter scenes of the show, each painted on a 640 x 480 canvas, in show order:
// the sequence travels from night through dawn, day and dusk back into night.
#pragma once

#include "canvas.hpp"

#include <array>

namespace paint {

constexpr int scene_width = 640;
constexpr int scene_height = 480;

struct Scene {
    const char* name;
    void (*paint)(Canvas& canvas);
};

// Night scenes.
void moonlit_forest(Canvas& canvas);
void village_evening(Canvas& canvas);
void aurora_hills(Canvas& canvas);
void starry_ridge(Canvas& canvas);

// Morning and midday scenes.
void mountains_dawn(Canvas& canvas);
void harbour_morning(Canvas& canvas);
void birches_noon(Canvas& canvas);

// Overcast and evening scenes.
void cabin_snowfall(Canvas& canvas);
void valley_road(Canvas& canvas);
void frozen_lake_dusk(Canvas& canvas);

// The scenes in the order the show plays them.
const std::array<Scene, 10>& scene_list();

} // namespace paint
