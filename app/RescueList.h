// RescueList.h - the rescue items the Restore page lists: the core library's
// list of the last read of the rescue index, row i of the page being node i.
//
//   TRescueList   kept by the window; read by its parts and its tests
//
// The lists the core library hands out are kept for the life of the process:
// its one release call frees every list it has handed out at once, the one
// the rows designate included, and a read that finds nothing keeps the rows
// and so their list. Each is one small node per rescue item.
#pragma once

#include <tresk.h>

class TRescueList {
public:
    RescueNode* First() const { return FFirst; }
    // The list of a new read takes the place of the one before.
    void Replace(RescueNode* first) { FFirst = first; }

    // Node index, or nullptr past the end.
    RescueNode* At(int index) const;
    // The index of node, or -1 when it is not in the list.
    int IndexOf(const RescueNode* node) const;
    // Takes node index out of the list, so that the nodes after it move up
    // with their rows; nothing past the end.
    void RemoveAt(int index);

private:
    RescueNode* FFirst = nullptr;
};
