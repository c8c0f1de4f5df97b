#include "SpriteManager.h"

#include <cstdio>
#include <cstdlib>

#include "ImageTexture.h"
#include "InfoLines.h"
#include "NumberedFiles.h"
#include "UsageChecks.h"

namespace {

const int kPathBufferSize = 200;
const int kCentreMarker = -1337;

void reportMissing(const char* path)
{
    fprintf(stderr, "Sorry, sprite %s is missing\n", path);
}

} // namespace

SpriteManager::SpriteManager(const char* directory)
{
    const NumberedFileSearch search =
        loadNumberedFiles(directory, "png", kPathBufferSize, [this](const char* path) { return addSprite(path) >= 0; });
    // A path that did not fit is reported by the part that fitted.
    if (!search.pathFitted)
        reportMissing(search.endedAt.c_str());
    printInfo("Loaded %i sprites\n", search.loaded);
    screenWidth = 100000;
    screenHeight = 100000;
}

SpriteManager::~SpriteManager()
{
    freeSprites();
}

int SpriteManager::addSprite(const char* path)
{
    GLuint texture = 0;
    switch (makeImageTexture(path, "SpriteManager", BlackPixels::Kept, texture)) {
    case ImageTexture::NoImage:
        reportMissing(path);
        return -1;
    case ImageTexture::NoWindow:
        return -1;
    case ImageTexture::NoMemory:
        fprintf(stderr, "FAIL %s, %i) New surface couldn't be created for %s. Likely cause: out of RAM\n", __FILE__, __LINE__, path);
        exit(1);
    case ImageTexture::Made:
        break;
    }
    textureNames.push_back(new GLuint(texture));
    return size() - 1;
}

GLuint* SpriteManager::getSprite(int index)
{
    if (index >= 0 && index < size())
        return textureNames[index];
    fprintf(stderr, "Requested sprite %i is out of bounds\n", index);
    return NULL;
}

void SpriteManager::freeSprites()
{
    for (GLuint* cell : textureNames)
        delete cell;
    textureNames.clear();
}

void SpriteManager::drawSprite(int index, int x, int y, int width, int height, float angle)
{
    if (x == kCentreMarker && y == kCentreMarker) {
        x = screenWidth / 2;
        y = screenHeight / 2;
    }
    if (x < -width || x >= screenWidth || y < -height || y >= screenHeight)
        return;

    const float hw = static_cast<float>(width / 2);
    const float hh = static_cast<float>(height / 2);

    glPushMatrix();
    glTranslatef(x + hw, y + hh, 0.0f);
    // The quad is laid out upside down, so 180 degrees brings it upright;
    // subtracting the angle turns positive angles counter-clockwise on screen.
    glRotatef(180.0f - angle, 0.0f, 0.0f, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    GLuint* texture = getSprite(index);
    if (texture == NULL) {
        fprintf(stderr, "FAIL) Requested dead sprite %i to be drawn at (%i,%i)\n", index, x, y);
        glPopMatrix();
        return;
    }
    warnUnlessTwoDStateSet();
    glBindTexture(GL_TEXTURE_2D, *texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(hw, hh);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(-hw, hh);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(-hw, -hh);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(hw, -hh);
    glEnd();
    glPopMatrix();
}

void SpriteManager::drawSprite(int index, int x, int y, int width, int height)
{
    drawSprite(index, x, y, width, height, 0.0f);
}

int SpriteManager::size()
{
    return static_cast<int>(textureNames.size());
}

void SpriteManager::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

int SpriteManager::getScreenWidth()
{
    return screenWidth;
}

int SpriteManager::getScreenHeight()
{
    return screenHeight;
}
