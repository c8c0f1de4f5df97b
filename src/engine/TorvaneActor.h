#ifndef TORVANE_ACTOR_H
#define TORVANE_ACTOR_H

class SpriteManager;

// A moving, animated, rotatable box drawn through a SpriteManager it does not own.
class TorvaneActor
{
public:
    explicit TorvaneActor(SpriteManager* manager);
    virtual ~TorvaneActor();

    virtual void draw(int cameraX, int cameraY);
    virtual void move(float dx, float dy);
    virtual void temporaryFrame(int spriteIndex);
    virtual void resetAnimation();
    virtual void rotateTowards(double step, double targetAngle);
    virtual void rotateFacing(float targetX, float targetY);
    virtual double getRotation();
    virtual double angleTowards(float targetX, float targetY);
    virtual double angleDistance(double fromAngle, double toAngle);
    virtual double angleOutOf360(double angle);
    virtual void setRotation(double degrees);
    virtual void rotate(double degrees);

    void setXYWH(float x, float y, float width, float height);
    void setX(float x);
    void setY(float y);
    float getX();
    float getY();
    float getWidth();
    float getHeight();
    void setWidth(float width);
    void setHeight(float height);

    float DegToRad(double degrees);
    float getForwardX(float distance);
    float getForwardY(float distance);
    double rotationOutOf360();

    bool collision(TorvaneActor* other);

    void setAnimation(int firstFrame, int frameCount, float frameTime);
    void updateAnimation(float delta);
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
