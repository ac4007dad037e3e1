// NodeOffsets.h - where each row of a tree begins, for rows of any height.
//
//   TNodeOffsets  the running sum of the row heights as a binary indexed
//                 tree: the top of row i, the row at a pixel offset and the
//                 total height, each in O(log n); rows are appended and cut
//                 off at the end, and a row's height changes in O(log n)
//
// The tree paints, scrolls and hit-tests through it, so that none of these
// walks the rows above the ones it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TNodeOffsets {
public:
    size_t Count() const { return FSums.size(); }
    // A new row at the end.
    void Append(int height);
    // Keeps the first count rows.
    void Truncate(size_t count);
    // Row index grows (or shrinks, for a negative delta) by delta pixels.
    void Add(size_t index, int delta);
    // The height of the rows before index: the top of row index.
    int64_t Top(size_t index) const;
    int64_t Total() const { return Top(FSums.size()); }
    // The row that holds the pixel offset (0 at the top of the first row);
    // Count() for an offset at or past the end, 0 for a negative one.
    // Rows of no height are never found.
    size_t Find(int64_t offset) const;

private:
    // FSums[i - 1] holds the sum of the rows (i - lowbit(i), i], counted from 1.
    std::vector<int32_t> FSums;
};
