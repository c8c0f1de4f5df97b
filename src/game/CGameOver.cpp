#include "CGame.h"

#include "Platform.h"
#include "Rank.h"
#include "VeskBitmapFont.h"

namespace {

const int kFirstLineTop = 220;

} // namespace

// A still screen over the clear colour until a new key-down or a quit event.
void CGame::gameOver()
{
    bool done = false;
    while (!done) {
        TQ_clearScreen();
        font->sprint(0, kFirstLineTop, "You got a score of %i with %i misses!", score, missed);
        font->sprint(0, kFirstLineTop + font->getLineHeight(), "This puts you at the rank of %s!",
                     getRank(score).c_str());
        font->sprint(0, kFirstLineTop + 2 * font->getLineHeight(), "Thanks for playing...");
        TQ_flip();
        TQ_delay(0);
        while (SDL_PollEvent(&event))
            if (event.type == SDL_QUIT || event.type == SDL_KEYDOWN)
                done = true;
    }
}
