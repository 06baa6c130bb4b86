// The sprite table: defaults of sprite_on, status and searches with waiting sprites, hits, the
// z-order list with sprite_setzorder and sprite_sort, ids, positions and angles.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <tuple>

#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::drawn_order;
using testing::where;
using testing::recorded_sprites;
using order = std::vector<int32_t>;

// Each sprite's place in the z-order list, sprite 1 first.
order places(recorded_sprites& e) {
  order out;
  for (int32_t n = 1; n <= static_cast<int32_t>(e->sprite_getreservedtotal()); ++n)
    out.push_back(static_cast<int32_t>(e->sprite_getzorder(n)));
  return out;
}

TEST(SpriteTable, InitListsTheHighestNumberFirstFreesEverySpriteRefusesBadNumbersAndOnSetsDefaults) {
  recorded_sprites e(5);
  EXPECT_EQ(e->sprite_get1available(), 1);
  EXPECT_EQ(drawn_order(e), (order{5, 4, 3, 2, 1}));
  e.frame_at(2, 10, 10);
  e->sprite_setzorder(1, 1);
  e->sprite_init(3);  // discards every sprite
  EXPECT_EQ(std::tuple(e->sprite_getreservedtotal(), e->sprite_gethowmanyon(), e->sprite_getx(2)),
            std::tuple(3.0, 0.0, 0.0));
  e.frame_at(1, 5, 6);
  EXPECT_THROW(e->sprite_init(-1), std::invalid_argument);  // and loses nothing
  EXPECT_EQ(e->sprite_getx(1), 5);
  EXPECT_THROW(e->sprite_getx(4), std::out_of_range);
  EXPECT_THROW(e->sprite_off(0), std::out_of_range);
  EXPECT_THROW(e->sprite_setzorder(1, 4), std::out_of_range);
  EXPECT_EQ(drawn_order(e), (order{3, 2, 1}));
  // sprite_on sets the defaults.
  e->sprite_setid1(3, 7);
  e->sprite_sethits(3, 3);
  e->sprite_enginesetalphafading(3, 10, 1, 0, 255, 0, 0);
  e->sprite_on(3, 1.5, 2.25, 1, 3, 4, 1, 2, 5, 7);
  EXPECT_EQ(e->sprite_getstatus(3), 1);
  EXPECT_EQ(where(e, 3), std::make_pair(1.5, 2.25));
  EXPECT_EQ(std::tuple(e->sprite_getalpha(3), e->sprite_getscale(3), e->sprite_getrotate(3), e->sprite_getid1(3),
                       e->sprite_gethitsleft(3), e->sprite_engineisalphafading(3)),
            std::tuple(255.0, 1.0, 0.0, 0.0, 0.0, false));
  e->sprite_getrgb(3);
  EXPECT_EQ((std::array{e->retr, e->retg, e->retb}), (std::array{255.0f, 255.0f, 255.0f}));
}

TEST(SpriteStatus, WaitingSpriteIsNeitherFreeNorOffCountsSeeOnlyLiveSpritesAndHitsCountDown) {
  recorded_sprites e(3);
  e.frame_at(1, 0, 0);
  e->sprite_enginedelay(1, 5);
  EXPECT_EQ(e->sprite_getstatus(1), 3);
  // Delay, first free sprite, first free of sprite 1 alone, sprites on.
  EXPECT_EQ(std::tuple(e->sprite_enginegetdelay(1), e->sprite_get1available(), e->sprite_get1availablerange(1, 1),
                       e->sprite_gethowmanyon()),
            std::tuple(5.0, 2.0, 0.0, 1.0));
  EXPECT_EQ(std::pair(e->sprite_getanyoftheseon(1, 1), e->sprite_getanyoftheseon(2, 3)), std::pair(true, false));
  e->sprite_setstatus(1, true);  // on, but still holding its delay: no status for that
  EXPECT_EQ(e->sprite_getstatus(1), std::nullopt);
  e->sprite_setstatus(1, false);
  EXPECT_EQ(e->sprite_getstatus(1), 0);
  EXPECT_EQ(std::tuple(e->sprite_enginegetdelay(1), e->sprite_get1available(), e->sprite_get1availablerange(2, 3)),
            std::tuple(0.0, 1.0, 2.0));
  e.frame_at(2, 0, 0);
  EXPECT_EQ(e->sprite_get1availablerange(2, 3), 3);
  EXPECT_EQ(e->sprite_get1onrandomrange(2, 2), 2);
  EXPECT_EQ(e->sprite_get1onrandomrange(3, 3), 0);
  e->sprite_enginedelay(3, 0);
  EXPECT_EQ(e->sprite_getstatus(3), 1);
  // Counts by id and the statistics line count only live sprites; hits count down.
  e->sprite_init(5);
  for (int32_t n = 1; n <= 4; ++n) {
    e.frame_at(n, 0, 0);
    e->sprite_setid1(n, n <= 3 ? 9 : 8);
  }
  e->sprite_off(2);
  e->sprite_enginedelay(3, 10);
  const auto on_with_id = [&](double id) { return e->sprite_gethowmanyonwithid(id); };
  EXPECT_EQ(std::tuple(on_with_id(9), on_with_id(8), on_with_id(7)), std::tuple(2.0, 1.0, 0.0));
  e->sceneinfo = true;
  e->scene_begin();
  e->scene_end();
  ASSERT_FALSE(e.display->texts.empty());
  EXPECT_NE(e.display->texts.back().text.find(" Sprites=3 "), std::string::npos) << e.display->texts.back().text;
  // sprite_gethit counts down and reports the last hit.
  e->sprite_sethits(2, 2);
  for (const double left : {1.0, 0.0, -1.0}) {
    EXPECT_EQ(e->sprite_gethit(2, 1), left <= 0);
    EXPECT_EQ(e->sprite_gethitsleft(2), left);
  }
  e->sprite_sethits(2, 3);
  EXPECT_FALSE(e->sprite_gethit(2, 1.5));  // 1.5 rounds to 2 hits left
  EXPECT_EQ(e->sprite_gethitsleft(2), 2);
}

TEST(SpriteZOrder, MovingShiftsTheOthersAndResetRestoresTheList) {
  recorded_sprites e(5);  // list 5 4 3 2 1
  e->sprite_setzorder(4, 4);
  EXPECT_EQ(drawn_order(e), (order{5, 3, 2, 4, 1}));
  EXPECT_EQ(places(e), (order{5, 3, 2, 4, 1}));
  e->sprite_resetzorder();
  e->sprite_setzorder(2, 1);
  EXPECT_EQ(drawn_order(e), (order{2, 5, 4, 3, 1}));
  EXPECT_EQ(places(e), (order{5, 1, 4, 3, 2}));
  e->sprite_setzorder(2, 1);
  EXPECT_EQ(drawn_order(e), (order{2, 5, 4, 3, 1}));
  e->sprite_resetzorder();
  EXPECT_EQ(drawn_order(e), (order{5, 4, 3, 2, 1}));
}

TEST(SpriteSort, ComparesNeighboursInTurnWrapsTheCursorAndSortsByScaleOrId) {
  recorded_sprites e(3);  // list 3 2 1
  drawn_order(e);
  e->sprite_sety(3, 10);
  e->sprite_sety(2, 30);
  e->sprite_sety(1, 20);
  e->sprite_sort(1, 1);  // positions 1, 2: 10 < 30, swap
  EXPECT_EQ(places(e), (order{3, 1, 2}));
  e->sprite_sort(1, 1);  // positions 2, 3: 10 < 20, swap
  EXPECT_EQ(places(e), (order{2, 1, 3}));
  e->sprite_sety(1, 40);
  e->sprite_sort(1, 1);  // cursor wraps to 2: positions 1, 2: 30 < 40, swap
  EXPECT_EQ(places(e), (order{1, 2, 3}));
  e->sprite_sort(7, 5);  // unknown method: nothing
  EXPECT_EQ(places(e), (order{1, 2, 3}));
  // By scale, small to the back; by the other keys, largest to the back.
  recorded_sprites f(4);
  drawn_order(f);
  for (int32_t n = 1; n <= 4; ++n) {
    f->sprite_setscale(n, n);  // list 4 3 2 1: largest first
    f->sprite_setid1(n, n);
  }
  f->sprite_sort(4, 12);
  EXPECT_EQ(places(f), (order{1, 2, 3, 4}));
  f->sprite_sort(3, 12);
  EXPECT_EQ(places(f), (order{4, 3, 2, 1}));
}

TEST(SpritePosition, AddLimitAndWrapOnOneSpriteOrARangeAndTheAngleBetweenCentres) {
  recorded_sprites e(3);
  e.frame_at(1, 10, 10);
  e->sprite_addtopos(1, 5, -2);
  EXPECT_EQ(where(e, 1), std::make_pair(15.0, 8.0));
  e->sprite_addtoposlimit(1, 100, -100, 0, 0, 50, 50);
  e->sprite_getxy(1);
  EXPECT_EQ(std::make_pair(e->retx, e->rety), std::make_pair(50.0f, 0.0f));
  e->sprite_addtoposwrap(1, 1, -1, 0, 0, 50, 50);
  EXPECT_EQ(where(e, 1), std::make_pair(0.0, 50.0));
  e->sprite_addtoposwraprange(1, 2, 0, 1, 0, 0, 50, 50);
  EXPECT_EQ(e->sprite_gety(1), 0);
  EXPECT_EQ(e->sprite_gety(2), 1);  // off sprites move too
  e->sprite_addtoposlimitrange(1, 3, -5, 0, 0, 0, 50, 50);
  e->sprite_addtoposrange(2, 3, 2, 2);
  EXPECT_EQ(std::pair(e->sprite_getx(1), e->sprite_getx(3)), std::pair(0.0, 2.0));
  e.frame_at(1, 0, 0);           // the angle runs between the centres; top-left origin: centre (8, 8)
  e.frame_at(2, 8, 100, false);  // centre origin: centre (8, 100)
  EXPECT_EQ(e->sprite_getangle(1, 2), 180);
  e->sprite_setxy(2, 100, 8);
  EXPECT_EQ(e->sprite_getangle(1, 2), 90);
}

}  // namespace
}  // namespace varnel2d
