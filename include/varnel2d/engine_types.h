// Small value types that the engine's operations take or return.
#pragma once

#include <cstdint>

namespace varnel2d {

// A rectangle by its edges; the right and bottom edges lie outside it.
struct edge_rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The camera edges a map placement stopped at: 1 at that edge, else 0.
struct map_edge_hits {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace varnel2d
