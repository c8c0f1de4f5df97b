#include <gtest/gtest.h>

#include <memory>

#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "SpriteManager.h"
#include "TestFolder.h"
#include "TestImage.h"
#include "TorvaneActor.h"

using namespace testimage;

namespace {

// Five sprites: 0 the coloured quadrants, 1 to 4 solid red, green, blue, yellow.
class ActorDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        openTestWindow();
        writeQuadrants(folder.file("0.png"));
        const ScreenColour solids[] = {kRed, kGreen, kBlue, kYellow};
        for (int n = 1; n <= 4; ++n)
            writeSolid(folder.file(std::to_string(n) + ".png"), solids[n - 1]);
        OutputCapture quiet;
        manager.reset(new SpriteManager(folder.path().c_str()));
        manager->setScreenSize(640, 480);
        clearFrame();
    }

    TorvaneActor actorAt(float x, float y, float width = 64.0f, float height = 64.0f)
    {
        TorvaneActor actor(manager.get());
        actor.setXYWH(x, y, width, height);
        return actor;
    }

    TestFolder folder;
    std::unique_ptr<SpriteManager> manager;
};

// Reports a fixed rotation, to show that drawing asks for it virtually.
class UpsideDownActor : public TorvaneActor
{
public:
    explicit UpsideDownActor(SpriteManager* manager) : TorvaneActor(manager) {}
    double getRotation() override { return 180.0; }
};

} // namespace

TEST_F(ActorDrawing, GameCameraMakesWorldPositionsScreenPositions)
{
    actorAt(15.0f, 100.0f).draw(320, 240);
    EXPECT_EQ(quadrantsAt(15, 100, 64, 64), "RGYB");
    EXPECT_EQ(colourAt(15, 100), 'R');
    EXPECT_EQ(colourAt(14, 120), 'K');
    EXPECT_EQ(colourAt(78, 163), 'Y');
    EXPECT_EQ(colourAt(79, 120), 'K');
}

TEST_F(ActorDrawing, CameraOffsetIsTruncatedTowardsZero)
{
    // 320 - trunc(320 - 15.7) = 16 and 240 - trunc(240 - 100.2) = 101.
    actorAt(15.7f, 100.2f).draw(320, 240);
    EXPECT_EQ(colourAt(15, 120), 'K');
    EXPECT_EQ(colourAt(16, 120), 'R');
    EXPECT_EQ(colourAt(30, 100), 'K');
    EXPECT_EQ(colourAt(30, 101), 'R');
    clearFrame();
    // 320 - trunc(330.5) = -10: the box covers screen columns up to 53.
    actorAt(-10.5f, 300.0f).draw(320, 240);
    EXPECT_EQ(colourAt(53, 320), 'G');
    EXPECT_EQ(colourAt(54, 320), 'K');
}

TEST_F(ActorDrawing, CameraPointIsShownAtTheScreenCentre)
{
    actorAt(10.0f, 20.0f).draw(0, 0);
    EXPECT_EQ(quadrantsAt(330, 260, 64, 64), "RGYB");
    clearFrame();
    actorAt(1000.0f, 1000.0f).draw(1000, 1000);
    EXPECT_EQ(quadrantsAt(320, 240, 64, 64), "RGYB");
}

TEST_F(ActorDrawing, SizeIsTruncatedAndRotationTurnsTheSprite)
{
    TorvaneActor actor = actorAt(100.0f, 100.0f, 33.9f, 33.9f);
    actor.draw(320, 240);
    EXPECT_EQ(colourAt(131, 131), 'Y');
    EXPECT_EQ(colourAt(132, 110), 'K') << "33.9 becomes 33, which draws 32 pixels";

    TorvaneActor turned = actorAt(300.0f, 100.0f);
    turned.setRotation(90.0);
    turned.draw(320, 240);
    EXPECT_EQ(quadrantsAt(300, 100, 64, 64), "GYBR");

    UpsideDownActor overridden(manager.get());
    overridden.setXYWH(300.0f, 300.0f, 64.0f, 64.0f);
    overridden.draw(320, 240);
    EXPECT_EQ(quadrantsAt(300, 300, 64, 64), "YBRG");
}

TEST_F(ActorDrawing, DrawsItsCurrentFrame)
{
    TorvaneActor actor = actorAt(100.0f, 100.0f);
    actor.setAnimation(2, 2, 0.5f);
    actor.draw(320, 240);
    EXPECT_EQ(colourAt(132, 132), 'G');
    actor.updateAnimation(0.5f);
    actor.draw(320, 240);
    EXPECT_EQ(colourAt(132, 132), 'B');
    actor.temporaryFrame(1);
    actor.draw(320, 240);
    EXPECT_EQ(colourAt(132, 132), 'R');
}

TEST_F(ActorDrawing, FirstFrameMustBeALoadedSprite)
{
    TorvaneActor actor = actorAt(0.0f, 0.0f);
    actor.setAnimation(5, 1, 0.5f);
    EXPECT_EQ(actor.getFrame(), 0) << "five sprites: 5 is beyond them";
    actor.setAnimation(4, 3, 0.5f);
    EXPECT_EQ(actor.getFrame(), 4) << "accepted though 4 + 3 reaches past the last sprite";
    actor.updateAnimation(0.5f);
    OutputCapture capture;
    actor.draw(320, 240);
    EXPECT_EQ(capture.errLines(), (std::vector<std::string>{"Requested sprite 5 is out of bounds",
                                                            "FAIL) Requested dead sprite 5 to be drawn at (0,0)"}));
}

TEST_F(ActorDrawing, DrawsUpToTheScreenEdgesAndNoFurther)
{
    actorAt(639.0f, 10.0f).draw(320, 240);
    EXPECT_EQ(colourAt(639, 20), 'R');
    actorAt(10.0f, 479.0f).draw(320, 240);
    EXPECT_EQ(colourAt(20, 479), 'R');
    actorAt(-63.0f, 200.0f).draw(320, 240);
    EXPECT_EQ(colourAt(0, 250), 'Y');

    clearFrame();
    OutputCapture capture;
    for (float x : {640.0f, 641.0f, -65.0f}) {
        TorvaneActor beyond = actorAt(x, 10.0f);
        beyond.temporaryFrame(99); // would print a dead-sprite line if it reached drawing
        beyond.draw(320, 240);
    }
    TorvaneActor below = actorAt(10.0f, 481.0f);
    below.temporaryFrame(99);
    below.draw(320, 240);
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(colourAt(639, 20), 'K');
}
