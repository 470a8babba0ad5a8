// The motion model: turns go the short way round at their speed, spins speed up and slow down
// at their acceleration, moves arrive; one step is one frame of 1/30 s.
#include "cobrun/Pieces.h"

#include <gtest/gtest.h>

namespace {

constexpr double kFrame = 1.0 / 30;
constexpr double kDegree = 65536.0 / 360;

// Steps until nothing comes to rest any more or `frames` have passed; the frames it took.
int StepUntilRest(cobrun::Pieces& pieces, int frames = 10000) {
    std::vector<int> changed;
    for (int frame = 1; frame <= frames; ++frame) {
        pieces.Step(kFrame, changed);
        if (!pieces.AnyComingToRest()) return frame;
    }
    return frames;
}

TEST(Pieces, ATurnGoesTheShortWayRoundAtItsSpeed) {
    cobrun::Pieces pieces(1);
    pieces.TurnNow(0, 1, 170 * kDegree);
    pieces.Turn(0, 1, -170 * kDegree, 30 * kDegree);  // 20 degrees across the half turn, not 340 back
    std::vector<int> changed;
    pieces.Step(kFrame, changed);
    EXPECT_NEAR(pieces.State(0, 1).angle, 171 * kDegree, 1e-6);
    EXPECT_EQ(StepUntilRest(pieces), 19);  // 20 frames of one degree in all
    EXPECT_DOUBLE_EQ(pieces.State(0, 1).angle, -170 * kDegree);
    EXPECT_FALSE(pieces.IsTurning(0, 1));
}

TEST(Pieces, AMoveArrivesAndReportsItsArrival) {
    cobrun::Pieces pieces(2);
    pieces.Move(1, 2, -65536, 65536 * 3);  // one unit at three units per second: ten frames
    std::vector<int> changed;
    std::vector<cobrun::Arrival> arrivals;
    int frames = 0;
    while (arrivals.empty() && frames < 100) {
        arrivals = pieces.Step(kFrame, changed);
        ++frames;
    }
    EXPECT_EQ(frames, 10);
    ASSERT_EQ(arrivals.size(), 1u);
    EXPECT_EQ(arrivals[0].kind, cobrun::Arrival::Kind::kMoved);
    EXPECT_EQ(arrivals[0].piece, 1);
    EXPECT_EQ(arrivals[0].axis, 2);
    EXPECT_DOUBLE_EQ(pieces.State(1, 2).position, -65536);
}

TEST(Pieces, ASpinSpeedsUpGoesOnAndSlowsDownToRest) {
    cobrun::Pieces pieces(1);
    pieces.Spin(0, 0, 30 * kDegree, 30 * kDegree);  // full speed after one second
    EXPECT_FALSE(pieces.AnyComingToRest());         // a steady spin never ends by itself
    std::vector<int> changed;
    for (int frame = 0; frame < 30; ++frame) pieces.Step(kFrame, changed);
    EXPECT_NEAR(pieces.State(0, 0).spinSpeed, 30 * kDegree, 1e-6);
    EXPECT_NEAR(pieces.State(0, 0).angle, 15.5 * kDegree, 1e-6);  // the mean speed over the frames
    pieces.StopSpin(0, 0, 60 * kDegree);
    EXPECT_TRUE(pieces.IsTurning(0, 0));
    EXPECT_EQ(StepUntilRest(pieces), 15);
    EXPECT_FALSE(pieces.State(0, 0).spinning);
}

TEST(Pieces, TurningNowEndsATurnAndASpin) {
    cobrun::Pieces pieces(1);
    pieces.Spin(0, 1, 100 * kDegree, 0);
    pieces.TurnNow(0, 1, 45 * kDegree);
    pieces.Turn(0, 2, 90 * kDegree, kDegree);
    pieces.TurnNow(0, 2, 10 * kDegree);
    EXPECT_FALSE(pieces.State(0, 1).spinning);
    EXPECT_FALSE(pieces.IsTurning(0, 2));
    std::vector<int> changed;
    pieces.Step(kFrame, changed);
    EXPECT_DOUBLE_EQ(pieces.State(0, 1).angle, 45 * kDegree);
    EXPECT_DOUBLE_EQ(pieces.State(0, 2).angle, 10 * kDegree);
}

TEST(Pieces, AnglesStayWithinHalfATurn) {
    EXPECT_DOUBLE_EQ(cobrun::NormalAngle(65536 + 100), 100);
    EXPECT_DOUBLE_EQ(cobrun::NormalAngle(-32768), 32768);
    EXPECT_DOUBLE_EQ(cobrun::NormalAngle(32769), -32767);
    EXPECT_DOUBLE_EQ(cobrun::NormalAngle(-3 * 65536 - 5), -5);
}

}  // namespace
