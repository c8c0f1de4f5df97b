#ifndef EDITOR_EDITHISTORY_H
#define EDITOR_EDITHISTORY_H

#include <vector>

// One cell's change: what it held before and what it holds now.
struct CellChange
{
    int column;
    int row;
    int before;
    int after;
};

// Strokes of cell changes, newest last, so that one Ctrl+Z takes back a whole
// drag. Only the last kDepth strokes are kept.
class EditHistory
{
public:
    static const int kDepth = 100;

    void beginStroke();
    void record(const CellChange& change);
    void endStroke();
    bool strokeOpen() const { return open; }
    bool empty() const { return strokes.empty(); }
    // Removes the newest stroke and hands it back, oldest change first.
    std::vector<CellChange> takeNewest();

private:
    std::vector<std::vector<CellChange>> strokes;
    bool open = false;
};

#endif
