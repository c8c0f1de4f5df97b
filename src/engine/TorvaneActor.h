#ifndef TORVANE_ACTOR_H
#define TORVANE_ACTOR_H

/// @file
/// TorvaneActor: a moving, animated, rotatable box.

class SpriteManager;

/// A moving, animated, rotatable box in world pixels, drawn through a SpriteManager.
///
/// The box is x, y (its top-left corner), width and height, in world pixels with
/// y growing downwards. The rotation is in degrees, positive counter-clockwise on
/// screen, and is never brought into [0, 360) unless asked. The animation runs over
/// the sprite indices firstFrame to firstFrame + frameCount - 1, each shown for
/// frameTime seconds. The actor does not own its sprite manager, which must
/// outlive every draw and setAnimation. Subclass it to change how it turns or draws.
class TorvaneActor
{
public:
    /// An empty box at (0, 0), rotation 0, frame 0, drawn through manager (may be null).
    explicit TorvaneActor(SpriteManager* manager);
    /// Leaves the sprite manager alone.
    virtual ~TorvaneActor();

    /// Draws the current frame, rotated, with the world point (cameraX, cameraY)
    /// at the centre of the manager's screen size (see SpriteManager::setScreenSize).
    /// With the camera at (320, 240) on a 640 × 480 screen, world pixels are
    /// screen pixels. Nothing is drawn when the box lies off screen; without a
    /// manager, says "Can't draw me without a valid SpriteManager" on standard error.
    virtual void draw(int cameraX, int cameraY);
    /// Moves the box by dx, dy pixels.
    virtual void move(float dx, float dy);
    /// Shows spriteIndex instead of the animation for one frameTime, counted by
    /// updateAnimation; then the animation goes on where it was.
    virtual void temporaryFrame(int spriteIndex);
    /// Back to the animation's first frame, with no temporary frame.
    virtual void resetAnimation();
    /// Turns by step degrees towards targetAngle, the shorter way round for targets
    /// from -180 to 540 degrees (angleTowards gives such); call it once per update.
    /// Less than 3 degrees off (not wrapped round 360) it stays put. The step is
    /// taken whole, even past the target.
    virtual void rotateTowards(double step, double targetAngle);
    /// Sets the rotation to angleTowards(targetX, targetY): a sprite that faces
    /// left at rotation 0 then faces the target.
    virtual void rotateFacing(float targetX, float targetY);
    /// The rotation in degrees, positive counter-clockwise, not reduced to [0, 360).
    virtual double getRotation();
    /// The direction from the target point to the actor's top-left corner, in degrees
    /// counter-clockwise from the positive x axis, in [114.59, 474.59): right modulo 360.
    virtual double angleTowards(float targetX, float targetY);
    /// The signed shortest turn from fromAngle to toAngle, in degrees, in [-180, 180].
    virtual double angleDistance(double fromAngle, double toAngle);
    /// angle brought into [0, 360); not-a-number comes back unchanged. Leaves the actor alone.
    virtual double angleOutOf360(double angle);
    /// Sets the rotation, in degrees.
    virtual void setRotation(double degrees);
    /// Adds degrees to the rotation; positive turns counter-clockwise.
    virtual void rotate(double degrees);

    /// Places and sizes the box in one go, in pixels; nothing is checked.
    void setXYWH(float x, float y, float width, float height);
    /// Sets the left edge of the box, in world pixels.
    void setX(float x);
    /// Sets the top edge of the box, in world pixels.
    void setY(float y);
    /// The left edge of the box, in world pixels.
    float getX();
    /// The top edge of the box, in world pixels.
    float getY();
    /// The box's width in pixels.
    float getWidth();
    /// The box's height in pixels.
    float getHeight();
    /// Sets the width in pixels; a negative width is ignored.
    void setWidth(float width);
    /// Sets the height in pixels; a negative height is ignored.
    void setHeight(float height);

    /// degrees in radians.
    float DegToRad(double degrees);
    /// The x of the point distance pixels ahead of (x, y) in the direction of the
    /// rotation: to the right at 0, above at 90.
    float getForwardX(float distance);
    /// The y of the point distance pixels ahead of (x, y): smaller y at rotation 90.
    float getForwardY(float distance);
    /// The rotation brought into [0, 360); the rotation itself is left as it is.
    double rotationOutOf360();

    /// True when the two unrotated boxes overlap; boxes that only touch collide too.
    bool collision(TorvaneActor* other);

    /// Sets the animation: frameCount sprites from firstFrame, each frameTime
    /// seconds. Each value is taken only if it makes sense (a first frame within the
    /// manager's sprites, no negative count or time); the others stay as they were.
    void setAnimation(int firstFrame, int frameCount, float frameTime);
    /// Advances the animation by delta seconds, the frame time: at most one frame
    /// change per call, and time beyond frameTime is dropped.
    void updateAnimation(float delta);
    /// The sprite index to show now: the temporary frame, or the animation's frame.
    int getFrame();

private:
    int firstFrame;
    float frameTimer;
    float frameTime;
    int currentFrame;
    int frameCount;
    float x;
    float y;
    float width;
    float height;
    double rotation;
    bool temporaryActive;
    int temporaryFrameIndex;
    SpriteManager* spriteManager;
};

#endif
