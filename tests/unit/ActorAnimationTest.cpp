#include <gtest/gtest.h>

#include "OutputCapture.h"
#include "SpriteManager.h"
#include "TorvaneActor.h"

namespace {

// A manager over a folder that does not exist holds no sprites and needs no window.
class ActorAnimation : public ::testing::Test
{
protected:
    ActorAnimation() : manager(quietManager()), actor(manager) {}
    ~ActorAnimation() override { delete manager; }

    static SpriteManager* quietManager()
    {
        OutputCapture capture;
        return new SpriteManager("/nonexistent-sprite-folder");
    }

    std::vector<int> framesAfterSteps(float step, int count)
    {
        std::vector<int> frames;
        for (int i = 0; i < count; ++i) {
            actor.updateAnimation(step);
            frames.push_back(actor.getFrame());
        }
        return frames;
    }

    SpriteManager* manager;
    TorvaneActor actor;
};

} // namespace

TEST_F(ActorAnimation, ChangesFrameOnceItsTimeHasBuiltUp)
{
    actor.setAnimation(0, 3, 0.25f);
    EXPECT_EQ(framesAfterSteps(0.125f, 6), (std::vector<int>{0, 1, 1, 2, 2, 0}));
}

TEST_F(ActorAnimation, ChangesAtMostOneFrameACallAndDropsLeftoverTime)
{
    actor.setAnimation(0, 3, 0.25f);
    actor.updateAnimation(1.0f);
    EXPECT_EQ(actor.getFrame(), 1);
    actor.updateAnimation(0.2f);
    EXPECT_EQ(actor.getFrame(), 1) << "the 0.75 s beyond the frame time were dropped";
    actor.updateAnimation(0.05f);
    EXPECT_EQ(actor.getFrame(), 2);
}

TEST_F(ActorAnimation, ZeroFrameTimeAdvancesEveryCallAndZeroFramesStayAtTheFirst)
{
    actor.setAnimation(0, 2, 0.0f);
    EXPECT_EQ(framesAfterSteps(0.0f, 3), (std::vector<int>{1, 0, 1}));
    actor.setAnimation(0, 0, 0.0f);
    EXPECT_EQ(framesAfterSteps(0.0f, 2), (std::vector<int>{0, 0}));
}

TEST_F(ActorAnimation, NegativeArgumentsAreEachIgnored)
{
    actor.setAnimation(0, 3, 0.25f);
    actor.setAnimation(-1, -1, -1.0f);
    EXPECT_EQ(framesAfterSteps(0.25f, 4), (std::vector<int>{1, 2, 0, 1}));
    actor.setAnimation(-1, 2, -1.0f);
    EXPECT_EQ(framesAfterSteps(0.25f, 2), (std::vector<int>{0, 1})) << "the count alone was taken";
}

TEST_F(ActorAnimation, FirstFrameIsCheckedAgainstTheManagersSprites)
{
    actor.setAnimation(0, 3, 0.25f);
    actor.setAnimation(2, 3, 0.25f);
    EXPECT_EQ(actor.getFrame(), 0) << "an empty manager accepts no first frame";
    EXPECT_EQ(framesAfterSteps(0.25f, 1), std::vector<int>{1});
}

TEST_F(ActorAnimation, WithoutAManagerTheFirstFrameStaysButTheRestApplies)
{
    TorvaneActor loose(NULL);
    loose.setAnimation(4, 2, 0.5f);
    EXPECT_EQ(loose.getFrame(), 0);
    loose.updateAnimation(0.4f);
    EXPECT_EQ(loose.getFrame(), 0);
    loose.updateAnimation(0.1f);
    EXPECT_EQ(loose.getFrame(), 1);
    loose.updateAnimation(0.5f);
    EXPECT_EQ(loose.getFrame(), 0);
}

TEST_F(ActorAnimation, TemporaryFrameShowsForOneFrameTimeThenTheAnimationResumes)
{
    actor.setAnimation(0, 3, 0.25f);
    actor.updateAnimation(0.25f);
    actor.updateAnimation(0.2f);
    actor.temporaryFrame(7);
    EXPECT_EQ(actor.getFrame(), 7);
    actor.updateAnimation(0.2f);
    EXPECT_EQ(actor.getFrame(), 7) << "the timer restarted when the temporary frame came";
    actor.updateAnimation(0.05f);
    EXPECT_EQ(actor.getFrame(), 1) << "back where it was, not advanced";
    actor.updateAnimation(0.25f);
    EXPECT_EQ(actor.getFrame(), 2);
}

TEST_F(ActorAnimation, TemporaryFrameIsNotCheckedAndResetEndsIt)
{
    actor.setAnimation(0, 3, 0.25f);
    actor.updateAnimation(0.25f);
    actor.temporaryFrame(-9);
    EXPECT_EQ(actor.getFrame(), -9);
    actor.resetAnimation();
    EXPECT_EQ(actor.getFrame(), 0) << "reset also rewinds to the first frame";
    actor.updateAnimation(0.2f);
    EXPECT_EQ(actor.getFrame(), 0);
    actor.updateAnimation(0.05f);
    EXPECT_EQ(actor.getFrame(), 1) << "the frame time and count survive a reset";
}
