#ifndef TORVANE_TORVANEAPP_H
#define TORVANE_TORVANEAPP_H

/// @file
/// The application layer: a window, a frame loop and a few conveniences for a
/// new program, in a handful of calls. It sits beside the platform layer
/// (Platform.h) and only calls it; a program may mix both.

#include <functional>
#include <memory>
#include <string>

#include "Platform.h"

class SpriteManager;
class VeskBitmapFont;

/// A colour for TQ_fillRect and TQ_setClearColour: red, green, blue and
/// opacity, each from 0.0 to 1.0.
struct TorvaneColour
{
    float red;   ///< 0.0 (none) to 1.0 (full)
    float green; ///< 0.0 (none) to 1.0 (full)
    float blue;  ///< 0.0 (none) to 1.0 (full)
    float alpha; ///< 0.0 (transparent) to 1.0 (opaque)
};

/// The longest frame time, in seconds, that TQ_run hands a frame: a stall (the
/// start-up before the first frame, a dragged window) counts as this long.
const float TQ_LONGEST_FRAME = 0.1f;

/// The rest, in milliseconds, that TQ_run takes after each frame, so that a
/// program leaves the processor to others. None in the browser, where showing
/// the frame already hands the processor back until the display's next frame,
/// and a rest on top would miss frames on displays faster than 100 Hz.
#ifdef __EMSCRIPTEN__
const int TQ_FRAME_REST = 0;
#else
const int TQ_FRAME_REST = 10;
#endif

/// Opens a window of width × height pixels with its OpenGL context, sets the
/// engine's 2D state (TQ_initSDL, then TQ_initGL) and the caption.
/// Returns 0, or -1 after one line on standard error that says why (with
/// SDL_GetError). Call it once, before any sprite manager or font.
int TQ_openWindow(int width, int height, const char* caption);

/// A program's work for one frame: draws it and moves things by `seconds`, the
/// frame time. Returns true to go on, false to end the loop after this frame.
typedef std::function<bool(float seconds)> TQ_FrameFunction;

/// Sees one event: a key, a mouse button or motion, anything SDL reports but
/// a press of Escape and the closing of the window.
typedef std::function<void(const SDL_Event& event)> TQ_EventFunction;

/// Asked when Escape is pressed or the window is closed: true lets the loop
/// end there, false keeps it running (to ask about unsaved work, say).
typedef std::function<bool()> TQ_QuitFunction;

/// Runs frames until Escape, the closing of the window or the frame function
/// ends them. Each frame: measures the frame time (TQ_getNewDelta, at most
/// TQ_LONGEST_FRAME seconds), hands the waiting events to onEvent, clears the
/// screen (TQ_clearScreen), calls frame, shows the result (TQ_flip) and rests
/// TQ_FRAME_REST milliseconds (TQ_delay). onEvent and mayQuit may be left out.
/// Needs the window of TQ_openWindow.
void TQ_run(const TQ_FrameFunction& frame, const TQ_EventFunction& onEvent = TQ_EventFunction(),
            const TQ_QuitFunction& mayQuit = TQ_QuitFunction());

/// True while the key is held down (an SDLK_ value, e.g. SDLK_LEFT); false for
/// any other key and for values outside SDL's key table. Up to date within a
/// frame of TQ_run.
bool TQ_isKeyHeld(SDLKey key);

/// The colour TQ_clearScreen fills the window with; the engine starts with
/// black (TQ_initGL). The colour's alpha is written into the frame as it is.
void TQ_setClearColour(TorvaneColour colour);

/// Fills a box with a plain colour, blended by its alpha: top-left corner at
/// (x, y), width × height, all in screen pixels. Leaves texturing on and the
/// current colour opaque white, as the engine's other drawing expects.
void TQ_fillRect(int x, int y, int width, int height, TorvaneColour colour);

/// Loads the kit's font for text: "data/bitfont" (.tga and .fnt) from the
/// working folder when it is there (the build tree, the browser, a game of
/// your own with its data/ folder), otherwise the font an installed kit ships
/// (share/torvane/bitfont beside the kit's include folder).
/// Leave headerPath out: it is the path under which the compiler found this
/// header, which tells where the installed kit lies.
/// Returns the ready font, which the caller owns; null after a line on
/// standard error when neither font is there or the one found cannot be read.
/// Needs the window of TQ_openWindow.
std::unique_ptr<VeskBitmapFont> TQ_loadFont(const char* headerPath = __FILE__);

/// Loads the numbered pictures of a folder (folder/0.png, 1.png, ... as
/// SpriteManager does, with its messages) into a sprite manager that knows the
/// open window's size: drawSprite culls to the window, and TorvaneActor::draw
/// puts its camera at the window's centre. Returns the manager, which the
/// caller owns; null when the folder gave no picture (the manager has said
/// which file it missed). Needs the window of TQ_openWindow.
std::unique_ptr<SpriteManager> TQ_loadSprites(const char* folder);

/// How wide a text prints in a font, in pixels: how far VeskBitmapFont::print
/// moves the pen across the text's widest line (a backslash breaks lines).
/// Print it at x = (screen width - TQ_textWidth) / 2 to centre it. 0 for an
/// empty text and for a font that is not ready.
int TQ_textWidth(const VeskBitmapFont& font, const std::string& text);

/// Shows or silences the engine's progress lines on standard output: the
/// "INFO)" and "PASS)" lines of fonts, "Loaded %i sprites", "map loaded....",
/// "Pass) Playing track" and the like. They are shown until a program calls
/// TQ_setInfoLines(false). Failures and warnings print either way.
void TQ_setInfoLines(bool shown);

#endif
