#ifndef TORVANE_SPRITEMANAGER_H
#define TORVANE_SPRITEMANAGER_H

#include <vector>

#include "SDL_opengl.h"

// Numbered images of one directory as OpenGL textures, drawn as quads.
class SpriteManager
{
public:
    explicit SpriteManager(const char* directory);
    ~SpriteManager();
    SpriteManager(const SpriteManager&) = delete;
    SpriteManager& operator=(const SpriteManager&) = delete;

    int addSprite(const char* path);
    GLuint* getSprite(int index);
    void freeSprites();
    void drawSprite(int index, int x, int y, int width, int height, float angle);
    void drawSprite(int index, int x, int y, int width, int height);
    int size();
    void setScreenSize(int width, int height);
    int getScreenWidth();
    int getScreenHeight();

private:
    int screenWidth;
    int screenHeight;
    std::vector<GLuint*> textureNames;
};

#endif
