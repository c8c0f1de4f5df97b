#include "CGame.h"

int SDL_main(int argc, char** argv)
{
    (void)argc;
    (void)argv;
    CGame* game = new CGame();
    game->gameLoop();
    delete game;
    return 0;
}

// SDL's headers rename main to SDL_main only where its entry layer calls it;
// elsewhere the process starts here.
#if !defined(main)
int main(int argc, char** argv)
{
    return SDL_main(argc, argv);
}
#endif
