#include "EditorInput.h"

namespace {

struct KeyBinding
{
    SDLKey key;
    bool needsControl;
    Command command;
};

const KeyBinding kKeyBindings[] = {
    {SDLK_ESCAPE, false, Command::Quit},
    {SDLK_s, false, Command::Save}, // with or without Ctrl
    {SDLK_z, true, Command::Undo},
    {SDLK_RIGHTBRACKET, false, Command::NextTile},
    {SDLK_LEFTBRACKET, false, Command::PreviousTile},
    {SDLK_g, false, Command::ToggleGrid},
    {SDLK_TAB, false, Command::ToggleOverlay},
    {SDLK_LEFT, false, Command::ScrollLeft},
    {SDLK_RIGHT, false, Command::ScrollRight},
    {SDLK_UP, false, Command::ScrollUp},
    {SDLK_DOWN, false, Command::ScrollDown},
};

Command commandForKey(const SDL_keysym& key)
{
    const bool control = (key.mod & KMOD_CTRL) != 0;
    for (const KeyBinding& binding : kKeyBindings)
        if (binding.key == key.sym && (control || !binding.needsControl))
            return binding.command;
    return Command::None;
}

Command commandForPress(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return Command::PaintBegin;
    case SDL_BUTTON_RIGHT:
        return Command::Pick;
    case SDL_BUTTON_WHEELUP:
        return Command::PreviousTile;
    case SDL_BUTTON_WHEELDOWN:
        return Command::NextTile;
    default:
        return Command::None;
    }
}

} // namespace

Input translateEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        return Input{Command::Quit, 0, 0};
    case SDL_KEYDOWN:
        return Input{commandForKey(event.key.keysym), 0, 0};
    case SDL_MOUSEBUTTONDOWN:
        return Input{commandForPress(event.button.button), event.button.x, event.button.y};
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT)
            return Input{Command::PaintEnd, event.button.x, event.button.y};
        return Input{Command::None, 0, 0};
    case SDL_MOUSEMOTION:
        return Input{Command::PointerMove, event.motion.x, event.motion.y};
    case SDL_ACTIVEEVENT:
        if ((event.active.state & SDL_APPMOUSEFOCUS) && !event.active.gain)
            return Input{Command::PointerLeave, 0, 0};
        return Input{Command::None, 0, 0};
    default:
        return Input{Command::None, 0, 0};
    }
}
