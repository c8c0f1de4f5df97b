// Example: audio
//
// Shows:  numbered WAV effects played by number through SoundEffectManager,
//         and the music player stepping through numbered Ogg Vorbis tracks
//         with wrap-around; the name it gives the current track comes from the
//         file's ID3v1 tag ("artist - title"), or says the file has none.
// Keys:   1 to 4 play an effect; Left/Right step to the previous/next track
//         (it plays looping); L plays the current track again from its start,
//         looping; Escape or closing the window quits.
// Uses:   SoundEffectManager (playSample), MusicManager (changeTrack,
//         getTrackName), the platform layer (TQ_initMixer), VeskBitmapFont;
//         the application layer (TQ_run and its event handler).
// Run:    build/example_audio, from the examples folder (see README.md).

#include <cstdio>

#include "ExampleWindow.h"
#include "MusicManager.h"
#include "SoundEffectManager.h"

namespace {

// The effects of data/examples/sounds, in file-number order.
const char* const kEffectNames[] = {"chime", "hop", "bump", "sparkle"};
const int kEffectCount = 4;
const float kFlashSeconds = 0.8f;

// An effect's line lights up when it plays and fades back.
void drawEffects(VeskBitmapFont& font, const float* flash, int top)
{
    font.print("SoundEffectManager, data/examples/sounds:", 40, top);
    for (int i = 0; i < kEffectCount; ++i) {
        const float light = flash[i] / kFlashSeconds;
        font.setFontColour(255, static_cast<unsigned char>(255 - 60 * light), static_cast<unsigned char>(255 - 190 * light));
        char line[40];
        snprintf(line, sizeof line, "key %d: playSample(%d), %s", i + 1, i, kEffectNames[i]);
        font.print(line, 64 + static_cast<int>(12 * light), top + (i + 1) * font.getLineHeight(), 0.45f + 0.55f * light);
    }
    font.setFontColour(255, 255, 255);
}

void drawMusic(VeskBitmapFont& font, MusicManager& music, int top)
{
    font.print("MusicManager, data/examples/music:", 40, top);
    font.print("getTrackName():", 64, top + font.getLineHeight());
    font.setFontColour(250, 204, 72);
    font.print(music.getTrackName(), 88, top + 2 * font.getLineHeight());
    font.setFontColour(255, 255, 255);
    font.print("Left/Right: changeTrack(-1/+1), wraps around and loops", 64, top + 4 * font.getLineHeight(), 0.8f);
    font.print("L: changeTrack(0), the current track again, looping", 64, top + 5 * font.getLineHeight(), 0.8f);
}

// Keys 1 to 4 play an effect and light its line; the arrows and L change the tune.
void answerKey(SDLKey key, SoundEffectManager& effects, MusicManager& music, float* flash)
{
    if (key >= SDLK_1 && key < SDLK_1 + kEffectCount) {
        effects.playSample(key - SDLK_1);
        flash[key - SDLK_1] = kFlashSeconds;
    } else if (key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_l) {
        music.changeTrack(key == SDLK_LEFT ? -1 : key == SDLK_RIGHT ? 1 : 0);
    }
}

} // namespace

int main(int, char**)
{
    std::unique_ptr<VeskBitmapFont> font = startExample("audio");
    if (!font)
        return 1;
    if (TQ_initMixer(44100, 2) != 0) {
        fprintf(stderr, "Couldn't open the audio device: %s\n", SDL_GetError());
        return 1;
    }
    SoundEffectManager effects("data/examples/sounds");
    std::unique_ptr<MusicManager> music = std::make_unique<MusicManager>("data/examples/music");

    float flash[kEffectCount] = {};
    TQ_run(
        [&](float delta) {
            for (float& light : flash)
                light = light > delta ? light - delta : 0.0f;
            font->setFontColour(250, 204, 72);
            font->print("Torvane Quillet: sound effects and music", 40, 32);
            font->setFontColour(255, 255, 255);
            drawEffects(*font, flash, 96);
            drawMusic(*font, *music, 240);
            font->print("Tracks with an ID3v1 tag show artist - title; track 1 has none.", 40, 392, 0.6f);
            font->print("Escape: quit", 40, 440, 0.6f);
            return true;
        },
        [&](const SDL_Event& event) {
            if (event.type == SDL_KEYDOWN)
                answerKey(event.key.keysym.sym, effects, *music, flash);
        });
    music.reset();  // stops the music and closes the audio device
    return 0;
}
