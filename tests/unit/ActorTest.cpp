#include <gtest/gtest.h>

#include "OutputCapture.h"
#include "TorvaneActor.h"

TEST(TorvaneActor, StartsAsAnEmptyBoxAtTheOriginShowingFrameZero)
{
    TorvaneActor actor(NULL);
    EXPECT_EQ(actor.getX(), 0.0f);
    EXPECT_EQ(actor.getY(), 0.0f);
    EXPECT_EQ(actor.getWidth(), 0.0f);
    EXPECT_EQ(actor.getHeight(), 0.0f);
    EXPECT_EQ(actor.getRotation(), 0.0);
    EXPECT_EQ(actor.getFrame(), 0);
}

TEST(TorvaneActor, PositionSettersAcceptAnythingButSizeSettersRefuseNegatives)
{
    TorvaneActor actor(NULL);
    actor.setXYWH(-5.5f, 7.25f, -3.0f, -4.0f);
    EXPECT_EQ(actor.getX(), -5.5f);
    EXPECT_EQ(actor.getY(), 7.25f);
    EXPECT_EQ(actor.getWidth(), -3.0f) << "setXYWH is unchecked";
    EXPECT_EQ(actor.getHeight(), -4.0f);

    actor.setWidth(0.0f);
    actor.setHeight(12.5f);
    EXPECT_EQ(actor.getWidth(), 0.0f);
    EXPECT_EQ(actor.getHeight(), 12.5f);
    actor.setWidth(-0.5f);
    actor.setHeight(-1.0f);
    EXPECT_EQ(actor.getWidth(), 0.0f);
    EXPECT_EQ(actor.getHeight(), 12.5f);

    actor.setX(-1000.0f);
    actor.setY(1e9f);
    actor.move(0.5f, -2.0f);
    EXPECT_EQ(actor.getX(), -999.5f);
    EXPECT_EQ(actor.getY(), 1e9f - 2.0f);
}

TEST(TorvaneActor, DegreesToRadiansUsesTheEnginesPi)
{
    TorvaneActor actor(NULL);
    EXPECT_EQ(actor.DegToRad(180.0), static_cast<float>(3.141592654));
    EXPECT_EQ(actor.DegToRad(1.0), static_cast<float>(0.017453292522222223));
    EXPECT_EQ(actor.DegToRad(-90.0), static_cast<float>(-90.0 * 0.017453292522222223));
}

TEST(TorvaneActor, ForwardPointLiesRightAtZeroAndAboveAtNinety)
{
    TorvaneActor actor(NULL);
    actor.setXYWH(5.0f, 7.0f, 1.0f, 1.0f);
    EXPECT_NEAR(actor.getForwardX(10.0f), 15.0f, 1e-5);
    EXPECT_NEAR(actor.getForwardY(10.0f), 7.0f, 1e-5);
    actor.setRotation(90.0);
    EXPECT_NEAR(actor.getForwardX(10.0f), 5.0f, 1e-5);
    EXPECT_NEAR(actor.getForwardY(10.0f), -3.0f, 1e-5) << "smaller y is up on the screen";
    actor.setRotation(180.0);
    EXPECT_NEAR(actor.getForwardX(4.0f), 1.0f, 1e-5);
}

TEST(TorvaneActor, BoxesCollideIncludingTheirEdgesAndCorners)
{
    TorvaneActor left(NULL), right(NULL);
    left.setXYWH(0.0f, 0.0f, 64.0f, 64.0f);
    right.setXYWH(64.0f, 0.0f, 64.0f, 64.0f);
    EXPECT_TRUE(left.collision(&right)) << "touching edges collide";
    EXPECT_TRUE(right.collision(&left));
    right.setX(64.5f);
    EXPECT_FALSE(left.collision(&right));
    EXPECT_FALSE(right.collision(&left));

    right.setXYWH(64.0f, 64.0f, 64.0f, 64.0f);
    EXPECT_TRUE(left.collision(&right)) << "touching corners collide";
    right.setY(64.01f);
    EXPECT_FALSE(left.collision(&right));
    right.setXYWH(-64.01f, 10.0f, 64.0f, 64.0f);
    EXPECT_FALSE(left.collision(&right)) << "wholly left of it";
    right.setXYWH(10.0f, 10.0f, 5.0f, 5.0f);
    EXPECT_TRUE(left.collision(&right)) << "inside it";
    EXPECT_TRUE(right.collision(&left));
}

TEST(TorvaneActor, CollisionMeasuresEachBoxByItsOwnHeight)
{
    TorvaneActor flat(NULL), tall(NULL);
    flat.setXYWH(0.0f, 0.0f, 64.0f, 16.0f);
    tall.setXYWH(0.0f, 40.0f, 64.0f, 64.0f);
    EXPECT_FALSE(flat.collision(&tall)) << "the flat box reaches down to y 16 only";
    EXPECT_FALSE(tall.collision(&flat));
    tall.setY(16.0f);
    EXPECT_TRUE(flat.collision(&tall));
}

TEST(TorvaneActor, RotationIsSetAndAccumulatedUnreduced)
{
    TorvaneActor actor(NULL);
    actor.setRotation(350.0);
    actor.rotate(20.0);
    EXPECT_EQ(actor.getRotation(), 370.0);
    EXPECT_EQ(actor.rotationOutOf360(), 10.0);
    EXPECT_EQ(actor.getRotation(), 370.0) << "reading the reduced value leaves the rotation";
    actor.rotate(-400.0);
    EXPECT_EQ(actor.getRotation(), -30.0);
    EXPECT_EQ(actor.rotationOutOf360(), 330.0);
}

TEST(TorvaneActor, DrawWithoutAManagerSaysSoAndDrawsNothing)
{
    TorvaneActor actor(NULL);
    actor.setXYWH(10.0f, 10.0f, 64.0f, 64.0f);
    OutputCapture capture;
    actor.draw(320, 240);
    EXPECT_EQ(capture.err(), "Can't draw me without a valid SpriteManager\n");
    EXPECT_EQ(capture.out(), "");
}
