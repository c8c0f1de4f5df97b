#ifndef TORVANE_SPRITEMANAGER_H
#define TORVANE_SPRITEMANAGER_H

/// @file
/// SpriteManager: numbered images as OpenGL textures, drawn as quads.

#include <vector>

#include "SDL_opengl.h"

/// The numbered images of one folder as OpenGL textures, drawn as quads.
///
/// A sprite is addressed by its index, the number in its file name. The manager
/// keeps no image sizes: every draw says how large the sprite appears. Create it
/// after TQ_initSDL and TQ_initGL; made before the window, it says so once on
/// standard error and holds no sprites. The manager owns the cells that hold the
/// texture names and frees them; the OpenGL textures themselves are never deleted
/// and live as long as the window. Not copyable.
class SpriteManager
{
public:
    /// Loads directory/0.png, 1.png and so on up to the first number that fails,
    /// which "Sorry, sprite %s is missing" names on standard error; then prints
    /// "Loaded %i sprites" on standard output. The path must fit in 200 bytes.
    explicit SpriteManager(const char* directory);
    /// Frees the texture-name cells, as freeSprites does.
    ~SpriteManager();
    /// Not copyable: a copy would free the texture names a second time.
    SpriteManager(const SpriteManager&) = delete;
    /// Not assignable, for the same reason.
    SpriteManager& operator=(const SpriteManager&) = delete;

    /// Adds the image at path (any format SDL_image reads) as the next sprite.
    /// Returns its index, or -1 when the file cannot be loaded ("Sorry, sprite %s is
    /// missing" on standard error). Out of memory for the conversion, it ends the
    /// process with status 1 after a "FAIL %s, %i)" line naming this source file.
    int addSprite(const char* path);
    /// The texture name of a sprite, owned by the manager, or null when index is
    /// outside 0 to size() - 1 ("Requested sprite %i is out of bounds" on standard error).
    GLuint* getSprite(int index);
    /// Frees every texture-name cell and empties the list; the textures stay in
    /// OpenGL. addSprite starts again from index 0.
    void freeSprites();
    /// Draws a sprite in screen pixels with its box's top-left corner at (x, y),
    /// width × height pixels large (an odd size comes out a pixel smaller), turned by
    /// angle degrees about the box's centre, positive counter-clockwise. (-1337, -1337)
    /// puts the corner at the screen's centre. Boxes outside the screen size are
    /// skipped; a bad index draws nothing and says so on standard error. The texture
    /// is tinted by the current OpenGL colour.
    void drawSprite(int index, int x, int y, int width, int height, float angle);
    /// drawSprite unturned (angle 0).
    void drawSprite(int index, int x, int y, int width, int height);
    /// How many sprites are loaded.
    int size();
    /// Sets the screen size in pixels that drawSprite culls against, and whose centre
    /// TorvaneActor::draw puts its camera at. It changes neither the window nor the
    /// drawing scale. Until it is called both are 100000.
    void setScreenSize(int width, int height);
    /// The screen width set by setScreenSize, in pixels (100000 until then).
    int getScreenWidth();
    /// The screen height set by setScreenSize, in pixels (100000 until then).
    int getScreenHeight();

private:
    int screenWidth;
    int screenHeight;
    std::vector<GLuint*> textureNames;
};

#endif
