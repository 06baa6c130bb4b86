// The order of the scenes in the strip: night, dawn, morning, noon, overcast, afternoon,
// dusk, evening, aurora night, starry night, and round again.
#include "scenes.hpp"

namespace paint {

const std::array<Scene, 10>& scene_list()
{
    static const std::array<Scene, 10> list = {{
        {"moonlit pine forest", moonlit_forest},
        {"mountains at dawn", mountains_dawn},
        {"harbour in the morning", harbour_morning},
        {"frosted birches at noon", birches_noon},
        {"cabin in falling snow", cabin_snowfall},
        {"snowy valley road", valley_road},
        {"frozen lake at dusk", frozen_lake_dusk},
        {"village with lit windows", village_evening},
        {"aurora over the hills", aurora_hills},
        {"starry night over a ridge", starry_ridge},
    }};
    return list;
}

} // namespace paint
