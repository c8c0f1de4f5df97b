#ifndef GRUBNOSH_RANK_H
#define GRUBNOSH_RANK_H

#include <string>

// The title the game-over screen gives a final score.
std::string getRank(int score);

#endif
