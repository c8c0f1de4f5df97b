#include "Rank.h"

namespace {

struct RankBand
{
    int highestScore;
    const char* title;
};

// Each band runs from the score after the previous band's up to its own, inclusive.
const RankBand kBands[] = {
    {9, "Baby"},
    {19, "Weak Sow"},
    {29, "Amateur Ham"},
    {39, "The little piggie that stayed home"},
    {49, "Pig in training"},
    {59, "Average apple obtainer"},
    {99, "Very good apple obtainer"},
    {199, "Expert"},
    {299, "Superpig"},
    {449, "Lord Thy (Pig) God"},
};

} // namespace

std::string getRank(int score)
{
    for (const RankBand& band : kBands)
        if (score <= band.highestScore)
            return band.title;
    return "Seek help";
}
