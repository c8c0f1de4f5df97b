#ifndef GRUBNOSH_GAMESCREEN_H
#define GRUBNOSH_GAMESCREEN_H

// The game's window and where its landscape starts: shared with the map
// editor, which shows a map the way the game does.

// The game's window, in pixels.
const int kScreenWidth = 640;
const int kScreenHeight = 480;

// The map pixel at the screen's centre when the game starts.
const float kStartCentre = 350.0f;

#endif
