// Example: hello
//
// Shows:  the smallest program on the engine: a window, a pig moved by the
//         arrow keys at a steady speed whatever the frame rate, and a line of text.
// Keys:   arrow keys move the pig; Escape or closing the window quits.
// Uses:   the application layer (TQ_openWindow, TQ_loadFont, TQ_loadSprites,
//         TQ_run, TQ_isKeyHeld), SpriteManager, VeskBitmapFont.
// Run:    from the folder that holds data/sprites: the kit's examples folder
//         (build/example_hello), or a project that torvane-new made (build/NAME).

#include "SpriteManager.h"
#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

int main(int, char**)
{
    if (TQ_openWindow(640, 480, "Torvane Quillet example: hello") != 0)
        return 1;
    std::unique_ptr<VeskBitmapFont> font = TQ_loadFont();
    std::unique_ptr<SpriteManager> sprites = TQ_loadSprites("data/sprites");
    if (!font || !sprites)
        return 1;
    float x = 288, y = 208;  // the pig's top-left corner, in pixels
    const float speed = 200;  // pixels per second

    TQ_run([&](float seconds) {
        x += speed * seconds * (TQ_isKeyHeld(SDLK_RIGHT) - TQ_isKeyHeld(SDLK_LEFT));
        y += speed * seconds * (TQ_isKeyHeld(SDLK_DOWN) - TQ_isKeyHeld(SDLK_UP));
        sprites->drawSprite(0, static_cast<int>(x), static_cast<int>(y), 64, 64);
        font->print("Hello from Torvane Quillet! Arrows move the pig, Escape quits.", 16, 16);
        return true;
    });
    return 0;
}
