#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TorvaneActor.h"

namespace {

// Target at a given direction (radians, counter-clockwise on screen) as seen
// from the actor, so that the direction from target to actor is the opposite.
double angleTowardsDirection(double radians)
{
    TorvaneActor actor(NULL);
    actor.setXYWH(0.0f, 0.0f, 1.0f, 1.0f);
    const float distance = 100.0f;
    return actor.angleTowards(static_cast<float>(-std::cos(radians) * distance),
                              static_cast<float>(std::sin(radians) * distance));
}

} // namespace

TEST(ActorAngles, OutOf360BringsAnglesIntoOneTurn)
{
    TorvaneActor actor(NULL);
    EXPECT_EQ(actor.angleOutOf360(-30.0), 330.0);
    EXPECT_EQ(actor.angleOutOf360(720.0), 0.0);
    EXPECT_EQ(actor.angleOutOf360(359.5), 359.5);
    EXPECT_EQ(actor.angleOutOf360(360.0), 0.0);
    EXPECT_EQ(actor.angleOutOf360(-360.0), 0.0);
    EXPECT_EQ(actor.angleOutOf360(3600.25), 0.25);
    EXPECT_EQ(actor.angleOutOf360(-1000.5), 79.5);
}

TEST(ActorAngles, OutOf360EndsOnHugeAndInfiniteAnglesAndKeepsNaN)
{
    TorvaneActor actor(NULL);
    EXPECT_EQ(actor.angleOutOf360(1000000.5), 280.5) << "reduced exactly, as the turn-by-turn loop would";
    EXPECT_EQ(actor.angleOutOf360(-1000000.5), 79.5);
    for (double huge : {1e17, -1e17, 1e300, -1e300, std::numeric_limits<double>::max()}) {
        const double reduced = actor.angleOutOf360(huge);
        EXPECT_GE(reduced, 0.0) << huge;
        EXPECT_LT(reduced, 360.0) << huge;
        EXPECT_EQ(reduced, std::fmod(std::fmod(huge, 360.0) + 360.0, 360.0)) << huge;
    }
    EXPECT_TRUE(std::isnan(actor.angleOutOf360(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(actor.angleOutOf360(-std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(actor.angleOutOf360(std::nan(""))));

    actor.setRotation(std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(actor.rotationOutOf360()));
    actor.setRotation(7.0e20);
    EXPECT_LT(actor.rotationOutOf360(), 360.0);
}

TEST(ActorAngles, DistanceIsTheSignedShortestTurn)
{
    TorvaneActor actor(NULL);
    EXPECT_EQ(actor.angleDistance(0.0, 200.0), -160.0);
    EXPECT_EQ(actor.angleDistance(350.0, 10.0), 20.0);
    EXPECT_EQ(actor.angleDistance(10.0, 350.0), -20.0);
    EXPECT_EQ(actor.angleDistance(0.0, 180.0), 180.0);
    EXPECT_EQ(actor.angleDistance(180.0, 0.0), -180.0);
    EXPECT_EQ(actor.angleDistance(-710.0, 730.0), 0.0) << "both ends are reduced first";
}

TEST(ActorAngles, TowardsGivesTheDirectionFromTheTargetRaisedAboveTwoRadians)
{
    TorvaneActor actor(NULL);
    actor.setXYWH(100.0f, 100.0f, 64.0f, 64.0f);
    const double right = actor.angleTowards(150.0f, 100.0f);
    const double above = actor.angleTowards(100.0f, 50.0f);
    const double left = actor.angleTowards(50.0f, 100.0f);
    const double below = actor.angleTowards(100.0f, 150.0f);
    EXPECT_NEAR(right, 180.0, 1e-4);
    EXPECT_NEAR(above, 270.0, 1e-4);
    EXPECT_NEAR(left, 360.0, 1e-4) << "0 raised by a full turn";
    EXPECT_NEAR(below, 450.0, 1e-4) << "90 raised by a full turn";
    EXPECT_GT(left, 360.0) << "the float turn leaves it a little above";
    EXPECT_GT(below, 450.0);
}

TEST(ActorAngles, TowardsSwitchesRangeAtTwoRadiansNotAtZero)
{
    const double justAbove = angleTowardsDirection(2.01);
    const double justBelow = angleTowardsDirection(1.99);
    EXPECT_NEAR(justAbove, 2.01 * 180.0 / M_PI, 1e-3);
    EXPECT_NEAR(justBelow, 1.99 * 180.0 / M_PI + 360.0, 1e-3);
    EXPECT_GE(justAbove, 114.59);
    EXPECT_LT(justBelow, 474.6);
    EXPECT_NEAR(angleTowardsDirection(-1.0), -1.0 * 180.0 / M_PI + 360.0, 1e-3);
    EXPECT_NEAR(angleTowardsDirection(3.0), 3.0 * 180.0 / M_PI, 1e-3);
}

TEST(ActorAngles, RotateTowardsStepsWholeOutsideAThreeDegreeDeadZone)
{
    TorvaneActor actor(NULL);
    actor.rotateTowards(5.0, 2.0);
    EXPECT_EQ(actor.getRotation(), 0.0);
    actor.rotateTowards(5.0, -2.9);
    EXPECT_EQ(actor.getRotation(), 0.0);
    actor.rotateTowards(5.0, 3.0);
    EXPECT_EQ(actor.getRotation(), 5.0) << "overshoots the target";

    actor.setRotation(0.0);
    actor.rotateTowards(5.0, -3.0);
    EXPECT_EQ(actor.getRotation(), -5.0);
}

TEST(ActorAngles, RotateTowardsTurnsTheShortWayAcrossZero)
{
    TorvaneActor actor(NULL);
    actor.setRotation(350.0);
    actor.rotateTowards(4.0, 10.0);
    EXPECT_EQ(actor.getRotation(), 354.0);
    actor.setRotation(10.0);
    actor.rotateTowards(4.0, 350.0);
    EXPECT_EQ(actor.getRotation(), 6.0);
    actor.setRotation(721.0);
    actor.rotateTowards(4.0, 2.0);
    EXPECT_EQ(actor.getRotation(), 721.0) << "the rotation is reduced before comparing";
    actor.setRotation(0.0);
    actor.rotateTowards(4.0, 359.0);
    EXPECT_EQ(actor.getRotation(), -4.0) << "the dead zone is tested before wrapping";
}

namespace {

// Overrides the queries the actor's own operations must reach virtually.
class SkewedActor : public TorvaneActor
{
public:
    SkewedActor() : TorvaneActor(NULL) {}
    double getRotation() override { return 725.0; }
    double angleOutOf360(double angle) override { return angle * 2.0; }
    double angleTowards(float, float) override { return 42.0; }
};

} // namespace

TEST(ActorAngles, OwnOperationsGoThroughTheVirtualQueries)
{
    SkewedActor actor;
    EXPECT_EQ(actor.rotationOutOf360(), 1450.0);
    EXPECT_EQ(actor.angleDistance(10.0, 30.0), 40.0);
    actor.rotateFacing(0.0f, 0.0f);
    EXPECT_EQ(actor.TorvaneActor::getRotation(), 42.0);

    TorvaneActor* base = &actor;
    base->setRotation(0.0);
    base->rotateTowards(1.0, 0.0);
    EXPECT_EQ(actor.TorvaneActor::getRotation(), -1.0) << "the target minus the overridden reduced rotation";
}
