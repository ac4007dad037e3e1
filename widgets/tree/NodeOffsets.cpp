// NodeOffsets.cpp - running sums of row heights in a binary indexed tree.
#include "NodeOffsets.h"

namespace {

size_t LowBit(size_t i) { return i & (~i + 1); }

}  // namespace

void TNodeOffsets::Append(int height) {
    // Entry i covers (i - lowbit(i), i]: the new row plus the rows before it
    // in that range, which are the difference of two running sums.
    const size_t i = FSums.size() + 1;
    const int64_t before = Top(i - 1) - Top(i - LowBit(i));
    FSums.push_back(static_cast<int32_t>(before + height));
}

void TNodeOffsets::Truncate(size_t count) {
    // An entry covers only rows at or before its own, so the first entries
    // stay right for the rows that are kept.
    if (count == 0)
        std::vector<int32_t>().swap(FSums);  // an emptied tree gives its memory back
    else if (count < FSums.size())
        FSums.resize(count);
}

void TNodeOffsets::Add(size_t index, int delta) {
    for (size_t i = index + 1; i <= FSums.size(); i += LowBit(i)) FSums[i - 1] += delta;
}

int64_t TNodeOffsets::Top(size_t index) const {
    int64_t sum = 0;
    for (size_t i = index < FSums.size() ? index : FSums.size(); i > 0; i -= LowBit(i))
        sum += FSums[i - 1];
    return sum;
}

size_t TNodeOffsets::Find(int64_t offset) const {
    if (offset < 0) return 0;
    // The largest count of rows whose heights add up to no more than offset:
    // the rows before the one that holds it.
    size_t step = 1;
    while (step * 2 <= FSums.size()) step *= 2;
    size_t position = 0;
    int64_t rest = offset;
    for (; step > 0; step /= 2) {
        const size_t next = position + step;
        if (next <= FSums.size() && FSums[next - 1] <= rest) {
            position = next;
            rest -= FSums[next - 1];
        }
    }
    return position;
}
