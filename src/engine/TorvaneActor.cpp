#include "TorvaneActor.h"

#include <cmath>
#include <cstdio>

#include "SpriteManager.h"

namespace {

const double kDegToRad = 3.141592654 / 180.0;
const double kRadToDeg = 180.0 / 3.141592654;
const float kTwoPi = 6.2831855f;
// Beyond this many turns, repeated subtraction would take too long or stall.
const double kLoopReductionLimit = 360.0 * 1024.0;

} // namespace

TorvaneActor::TorvaneActor(SpriteManager* manager)
    : firstFrame(0), frameTimer(0.0f), frameTime(0.0f), currentFrame(0), frameCount(0),
      x(0.0f), y(0.0f), width(0.0f), height(0.0f), rotation(0.0),
      temporaryActive(false), temporaryFrameIndex(0), spriteManager(manager)
{
}

TorvaneActor::~TorvaneActor()
{
}

void TorvaneActor::draw(int cameraX, int cameraY)
{
    if (spriteManager == NULL) {
        fprintf(stderr, "Can't draw me without a valid SpriteManager\n");
        return;
    }
    const int screenWidth = spriteManager->getScreenWidth();
    const int screenHeight = spriteManager->getScreenHeight();
    const int screenX = screenWidth / 2 - static_cast<int>(cameraX - x);
    const int screenY = screenHeight / 2 - static_cast<int>(cameraY - y);
    if (screenX > screenWidth || screenX < -width || screenY > screenHeight || screenY < -height)
        return;
    spriteManager->drawSprite(getFrame(), screenX, screenY, static_cast<int>(width),
                              static_cast<int>(height), static_cast<float>(getRotation()));
}

void TorvaneActor::move(float dx, float dy)
{
    x += dx;
    y += dy;
}

void TorvaneActor::temporaryFrame(int spriteIndex)
{
    temporaryFrameIndex = spriteIndex;
    temporaryActive = true;
    frameTimer = 0.0f;
}

void TorvaneActor::resetAnimation()
{
    temporaryActive = false;
    temporaryFrameIndex = 0;
    frameTimer = 0.0f;
    currentFrame = 0;
}

void TorvaneActor::rotateTowards(double step, double targetAngle)
{
    double difference = targetAngle - rotationOutOf360();
    if (difference > -3.0 && difference < 3.0)
        return;
    if (difference > 180.0)
        difference -= 360.0;
    if (difference < -180.0)
        difference += 360.0;
    if (difference > 0.0)
        rotation += step;
    else
        rotation -= step;
}

void TorvaneActor::rotateFacing(float targetX, float targetY)
{
    rotation = angleTowards(targetX, targetY);
}

double TorvaneActor::getRotation()
{
    return rotation;
}

double TorvaneActor::angleTowards(float targetX, float targetY)
{
    const float dx = x - targetX;
    const float dy = y - targetY;
    float radians = atan2f(-dy, dx);
    if (radians < 2.0f)
        radians += kTwoPi;
    return radians * kRadToDeg;
}

double TorvaneActor::angleDistance(double fromAngle, double toAngle)
{
    double difference = angleOutOf360(toAngle) - angleOutOf360(fromAngle);
    if (difference > 180.0)
        difference -= 360.0;
    if (difference < -180.0)
        difference += 360.0;
    return difference;
}

double TorvaneActor::angleOutOf360(double angle)
{
    if (std::fabs(angle) >= kLoopReductionLimit)
        angle = std::fmod(angle, 360.0); // an infinite angle becomes NaN and skips the loops
    while (angle >= 360.0)
        angle -= 360.0;
    while (angle < 0.0)
        angle += 360.0;
    return angle;
}

void TorvaneActor::setRotation(double degrees)
{
    rotation = degrees;
}

void TorvaneActor::rotate(double degrees)
{
    rotation += degrees;
}

void TorvaneActor::setXYWH(float x, float y, float width, float height)
{
    this->x = x;
    this->y = y;
    this->width = width;
    this->height = height;
}

void TorvaneActor::setX(float x)
{
    this->x = x;
}

void TorvaneActor::setY(float y)
{
    this->y = y;
}

float TorvaneActor::getX()
{
    return x;
}

float TorvaneActor::getY()
{
    return y;
}

float TorvaneActor::getWidth()
{
    return width;
}

float TorvaneActor::getHeight()
{
    return height;
}

void TorvaneActor::setWidth(float width)
{
    if (width >= 0.0f)
        this->width = width;
}

void TorvaneActor::setHeight(float height)
{
    if (height >= 0.0f)
        this->height = height;
}

float TorvaneActor::DegToRad(double degrees)
{
    return static_cast<float>(degrees * kDegToRad);
}

float TorvaneActor::getForwardX(float distance)
{
    return x + sinf(DegToRad(rotation + 90.0)) * distance;
}

float TorvaneActor::getForwardY(float distance)
{
    return y + cosf(DegToRad(rotation + 90.0)) * distance;
}

double TorvaneActor::rotationOutOf360()
{
    return angleOutOf360(getRotation());
}

bool TorvaneActor::collision(TorvaneActor* other)
{
    if (other->y > y + height)
        return false;
    if (y > other->y + other->height)
        return false;
    if (other->x > x + width)
        return false;
    if (x > other->x + other->width)
        return false;
    return true;
}

void TorvaneActor::setAnimation(int firstFrame, int frameCount, float frameTime)
{
    if (frameTime >= 0.0f)
        this->frameTime = frameTime;
    if (frameCount >= 0)
        this->frameCount = frameCount;
    // Without a manager there is no range to check the first frame against.
    if (firstFrame >= 0 && spriteManager != NULL && firstFrame < spriteManager->size())
        this->firstFrame = firstFrame;
}

void TorvaneActor::updateAnimation(float delta)
{
    frameTimer += delta;
    if (frameTimer < frameTime)
        return;
    frameTimer = 0.0f;
    if (temporaryActive) {
        temporaryActive = false;
        temporaryFrameIndex = 0;
        return;
    }
    currentFrame++;
    if (currentFrame >= frameCount)
        currentFrame = 0;
}

int TorvaneActor::getFrame()
{
    if (temporaryActive)
        return temporaryFrameIndex;
    return firstFrame + currentFrame;
}
