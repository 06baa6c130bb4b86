// Behaviours under acceleration in the sprite pass: thrust, drops, billboards, thrust bounces and
// ball bounces.
#include <gtest/gtest.h>

#include <utility>

#include "sprite_engine.h"

namespace varnel2d {
namespace {

using testing::recorded_sprites;

TEST(Thrust, AcceleratesThenStopsUnseenInTheFrameItsLengthRunsOut) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginethrust(1, 1, 0, 1, 0.5, -10, -10, 640, 480, 3);
  pass(e);  // xdir 2, ydir 0.5
  EXPECT_EQ(where(e, 1), std::make_pair(2.0, 0.5));
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(pass(e), 0u);  // length 3 - 3 < 1: stopped and not drawn
  EXPECT_EQ(where(e, 1), std::make_pair(9.0, 3.0));
  EXPECT_EQ(e->sprite_enginegettype(1), 0);
  EXPECT_EQ(*e->sprite_getstatus(1), 1);
  EXPECT_EQ(pass(e), 1u);
}

TEST(Thrust, OutsideTheBoundsIsOff) {
  recorded_sprites e;
  e.frame_at(1, 0, 0);
  e->sprite_enginethrust(1, 0, -1, 0, 0, -10, -1, 640, 480);
  EXPECT_EQ(pass(e), 1u);
  EXPECT_EQ(pass(e), 0u);
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
}

class Landing : public ::testing::Test {
 protected:
  recorded_sprites e;
  void SetUp() override {
    // Animation 2: three frames in row 1 of texture 1.
    ASSERT_TRUE(e->sprite_animateset(2, 0, 0, 16, 16, 3, "0,1,1,1,2,1", "1,1,1"));
  }
};

TEST_F(Landing, DropLandsOnTheBoundPlaysItsAnimationOnceAndIsOff) {
  e.frame_at(1, 100, 90);
  e->sprite_engineydrop(1, 1, 3, 0, 1, 0, 100, 2, 1, 0);
  pass(e);  // ydir 4, y 94
  pass(e);  // ydir 5, y 99
  EXPECT_EQ(e->sprite_animategetanim(1), 0);
  EXPECT_EQ(pass(e), 1u);  // 105 > 100: lands on 100 and shows the first landing frame
  EXPECT_EQ(where(e, 1), std::make_pair(103.0, 100.0));
  EXPECT_EQ(e->sprite_animategetanim(1), 2);
  e->sprite_animategetframeindex(1);
  EXPECT_EQ(e->retx, 0);
  EXPECT_EQ(e->rety, 1);
  pass(e);  // x keeps moving; y stays
  EXPECT_EQ(where(e, 1), std::make_pair(104.0, 100.0));
  int frames = 0;
  while (*e->sprite_getstatus(1) == 1 && frames < 20) {
    pass(e);
    ++frames;
  }
  EXPECT_LT(frames, 20);
}

TEST_F(Landing, DropAcrossLandsOnTheLowBoundWithItsSound) {
  e.frame_at(1, 5, 50);
  e->sprite_enginexdrop(1, -3, 2, -1, 0, 0, 640, 2, 5, 7);  // no audio here: the sound is skipped
  pass(e);  // xdir -4, x 1
  EXPECT_EQ(e->sprite_animategetanim(1), 0);
  pass(e);  // -4 < 0: lands on 0
  EXPECT_EQ(where(e, 1), std::make_pair(0.0, 54.0));
  EXPECT_EQ(e->sprite_animategetanim(1), 2);
  pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(0.0, 56.0));
}

// A billboard flying in from the right towards x = 110 at -10 a unit, slowing by 1 a unit, to
// wait `delay` units and then leave through 0..640. It passes 141, 133, 126, 120, 115, 111 and
// then 108, which sets it on 110.
void start_billboard(recorded_sprites& e, double delay) {
  e.frame_at(1, 150, 50);
  e->sprite_enginebillboardx(1, -10, 0, 1, 0, 110, delay, 0, 640);
}

TEST(BillboardAcross, WithMinusOneItStaysAtItsTargetForGood) {
  recorded_sprites e;
  start_billboard(e, -1);
  EXPECT_FALSE(e->sprite_enginegetbillboardwaiting(1));
  for (int frame = 0; frame < 10; ++frame) pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(110.0, 50.0));
  EXPECT_TRUE(e->sprite_enginegetbillboardwaiting(1));
  EXPECT_EQ(e->sprite_enginegettype(1), 0);
  for (int frame = 0; frame < 100; ++frame) pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(110.0, 50.0));
}

TEST(BillboardAcross, WithFiftyItWaitsFiftyUnitsThenLeavesWithTheMirroredAcceleration) {
  recorded_sprites e;
  start_billboard(e, 50);
  int frames = 0;
  while (!e->sprite_enginegetbillboardwaiting(1)) {
    pass(e);
    ++frames;
  }
  EXPECT_EQ(e->sprite_getx(1), 110);
  EXPECT_EQ(frames, 7);
  for (int frame = 1; frame <= 50; ++frame) {
    pass(e);
    EXPECT_EQ(e->sprite_getx(1), 110);
    EXPECT_EQ(e->sprite_enginegetbillboardwaiting(1), frame < 50) << "frame " << frame;
  }
  pass(e);  // acceleration now -1: leaves to the left, 110 - n (n + 1) / 2 after n units
  EXPECT_EQ(e->sprite_getx(1), 109);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 107);
  int more = 0;
  while (*e->sprite_getstatus(1) == 1 && more < 50) {
    pass(e);
    ++more;
  }
  EXPECT_EQ(more, 13);  // below 0 after 15 leaving frames
  EXPECT_LT(e->sprite_getx(1), 0);
}

TEST(BillboardDown, ArrivesOnItsTargetHeightAndReportsWaiting) {
  recorded_sprites e;
  e.frame_at(1, 50, 0);
  e->sprite_enginebillboardy(1, 0, 10, 0, 0, 35, 2, 0, 480);
  for (int frame = 0; frame < 4; ++frame) pass(e);
  EXPECT_EQ(where(e, 1), std::make_pair(50.0, 35.0));
  EXPECT_TRUE(e->sprite_enginegetbillboardwaiting(1));
  pass(e);
  pass(e);
  EXPECT_FALSE(e->sprite_enginegetbillboardwaiting(1));
}

TEST(ThrustBounce, VerticalBouncesOffTheBottomAndIsOffAcross) {
  recorded_sprites e;
  e.frame_at(1, 10, 95);
  e->sprite_enginevbounce(1, 2, 3, 0, 1, 0, 0, 15, 100);
  pass(e);  // ydir 4: 99
  pass(e);  // ydir 5: 104 > 100: back to 100, ydir -5
  EXPECT_EQ(where(e, 1), std::make_pair(14.0, 100.0));
  pass(e);  // ydir -4: 96; x 16 > 15: off
  EXPECT_EQ(*e->sprite_getstatus(1), 0);
  EXPECT_EQ(e->sprite_gety(1), 96);
}

TEST(ThrustBounce, HorizontalBouncesOffTheLeftWhileAcceleratingLeft) {
  recorded_sprites e;
  e.frame_at(1, 3, 50);
  e->sprite_enginehbounce(1, -2, 0, -1, 0, 0, 0, 100, 100);
  pass(e);  // xdir -3: 0
  pass(e);  // xdir -4: -4 < 0: back to 0, xdir 4
  EXPECT_EQ(where(e, 1), std::make_pair(0.0, 50.0));
  pass(e);  // xdir 3
  EXPECT_EQ(e->sprite_getx(1), 3);
}

TEST(BallBounce, FallingBallBouncesOnTheBottomAndPeaksAtTheTop) {
  recorded_sprites e;
  e.frame_at(1, 10, 0);
  e->sprite_enginebounce(1, -2, 0, 20, true);  // made positive: falls
  EXPECT_EQ(e->sprite_gety(1), 0);
  double lowest = 0, highest_after_bounce = 20;
  bool bounced = false;
  for (int frame = 0; frame < 12; ++frame) {
    pass(e);
    const double y = e->sprite_gety(1);
    lowest = std::max(lowest, y);
    if (y == 20) bounced = true;
    if (bounced) highest_after_bounce = std::min(highest_after_bounce, y);
  }
  EXPECT_TRUE(bounced);
  EXPECT_EQ(lowest, 20);
  EXPECT_EQ(highest_after_bounce, 0);  // rises back to the top and stops there for an instant
}

TEST(BallBounce, AcrossRisingBallStartsAtTheHighBound) {
  recorded_sprites e;
  e.frame_at(1, 10, 7);
  e->sprite_enginebouncex(1, 3, 0, 30, false);  // made negative: moves left
  EXPECT_EQ(where(e, 1), std::make_pair(30.0, 7.0));
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 30);  // at rest for the first unit
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 27);
  for (int frame = 0; frame < 3; ++frame) pass(e);  // 21, 12, 0
  EXPECT_EQ(e->sprite_getx(1), 0);
  pass(e);  // 0 - 15 < 0: held at 0 and bounced back
  EXPECT_EQ(e->sprite_getx(1), 0);
  pass(e);
  EXPECT_EQ(e->sprite_getx(1), 18);  // the speed had grown to -18 before the bounce
}

}  // namespace
}  // namespace varnel2d
