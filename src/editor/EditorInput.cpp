#include "EditorInput.h"

namespace {

struct KeyBinding
{
    SDLKey key;
    bool needsControl;
    Command command;
    int step;
};

const KeyBinding kKeyBindings[] = {
    {SDLK_s, false, Command::Save, 0}, // with or without Ctrl
    {SDLK_z, true, Command::Undo, 0},
    {SDLK_RIGHTBRACKET, false, Command::StepTile, 1},
    {SDLK_LEFTBRACKET, false, Command::StepTile, -1},
    {SDLK_g, false, Command::ToggleGrid, 0},
    {SDLK_TAB, false, Command::ToggleOverlay, 0},
    {SDLK_LEFT, false, Command::ScrollColumns, -1},
    {SDLK_RIGHT, false, Command::ScrollColumns, 1},
    {SDLK_UP, false, Command::ScrollRows, -1},
    {SDLK_DOWN, false, Command::ScrollRows, 1},
};

Input inputForKey(const SDL_keysym& key)
{
    const bool control = (key.mod & KMOD_CTRL) != 0;
    for (const KeyBinding& binding : kKeyBindings)
        if (binding.key == key.sym && (control || !binding.needsControl))
            return Input{binding.command, 0, 0, binding.step};
    return Input{Command::None};
}

Input inputForPress(const SDL_MouseButtonEvent& press)
{
    switch (press.button) {
    case SDL_BUTTON_LEFT:
        return Input{Command::PaintBegin, press.x, press.y};
    case SDL_BUTTON_RIGHT:
        return Input{Command::Pick, press.x, press.y};
    case SDL_BUTTON_WHEELUP:
        return Input{Command::StepTile, press.x, press.y, -1};
    case SDL_BUTTON_WHEELDOWN:
        return Input{Command::StepTile, press.x, press.y, 1};
    default:
        return Input{Command::None};
    }
}

} // namespace

Input translateEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        return inputForKey(event.key.keysym);
    case SDL_MOUSEBUTTONDOWN:
        return inputForPress(event.button);
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT)
            return Input{Command::PaintEnd, event.button.x, event.button.y};
        return Input{Command::None};
    case SDL_MOUSEMOTION:
        return Input{Command::PointerMove, event.motion.x, event.motion.y};
    case SDL_ACTIVEEVENT:
        if ((event.active.state & SDL_APPMOUSEFOCUS) && !event.active.gain)
            return Input{Command::PointerLeave};
        return Input{Command::None};
    default:
        return Input{Command::None};
    }
}
