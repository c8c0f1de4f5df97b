#include "EditHistory.h"

#include <cstddef>

void EditHistory::beginStroke()
{
    endStroke();
    strokes.emplace_back();
    open = true;
}

void EditHistory::record(const CellChange& change)
{
    if (open)
        strokes.back().push_back(change);
}

void EditHistory::endStroke()
{
    if (!open)
        return;
    open = false;
    // A click that changed nothing is no step to undo.
    if (strokes.back().empty())
        strokes.pop_back();
    if (strokes.size() > static_cast<size_t>(kDepth))
        strokes.erase(strokes.begin());
}

std::vector<CellChange> EditHistory::takeNewest()
{
    endStroke();
    if (strokes.empty())
        return {};
    std::vector<CellChange> newest = std::move(strokes.back());
    strokes.pop_back();
    return newest;
}
