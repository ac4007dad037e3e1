// RescueList.cpp - the Restore page's rescue items by row.
#include <app/RescueList.h>

RescueNode* TRescueList::At(int index) const {
    RescueNode* node = FFirst;
    for (int i = 0; node && i < index; ++i) node = node->next;
    return index < 0 ? nullptr : node;
}

int TRescueList::IndexOf(const RescueNode* node) const {
    int index = 0;
    for (const RescueNode* at = FFirst; at; at = at->next, ++index)
        if (at == node) return index;
    return -1;
}

void TRescueList::RemoveAt(int index) {
    if (index < 0) return;
    RescueNode** link = &FFirst;
    for (int i = 0; *link && i < index; ++i) link = &(*link)->next;
    if (*link) *link = (*link)->next;
}
