#include "foundation/core/LList.h"

SSLink* SSLink::EndMarker() noexcept
{
    // Built once, thread-safely, on first use; never destroyed before the lists that use it
    // because nothing but its own address is read from it.
    static SSLink marker{EndTag{}};
    return &marker;
}

LList::LList() noexcept : fTail(&fAnchor)
{
    fAnchor.fNext = SSLink::EndMarker();
}

LList::~LList()
{
    while (PopFront()) {
    }
    fAnchor.fNext = nullptr;
}

SSLink* LList::Nth(uint32_t i) const noexcept
{
    for (SSLink* node = fAnchor.fNext; !node->IsEnd(); node = node->fNext) {
        if (i-- == 0)
            return node;
    }
    return nullptr;
}

uint32_t LList::Count() const noexcept
{
    uint32_t count = 0;
    for (SSLink* node = fAnchor.fNext; !node->IsEnd(); node = node->fNext)
        ++count;
    return count;
}

bool LList::Contains(const SSLink* node) const noexcept
{
    if (!node || !node->IsLinked())
        return false;
    for (SSLink* n = fAnchor.fNext; !n->IsEnd(); n = n->fNext) {
        if (n == node)
            return true;
    }
    return false;
}

SSLink* LList::PopFront() noexcept
{
    SSLink* head = fAnchor.fNext;
    if (head->IsEnd())
        return nullptr;
    fAnchor.fNext = head->fNext;
    if (fTail == head)
        fTail = &fAnchor;
    head->fNext = nullptr;
    return head;
}

bool LList::Remove(SSLink* node) noexcept
{
    if (!node || !node->IsLinked() || node->IsEnd())
        return false;
    SSLink* pred = &fAnchor;
    while (pred->fNext != node) {
        if (pred->fNext->IsEnd())
            return false;   // the node lies in another list
        pred = pred->fNext;
    }
    pred->fNext = node->fNext;
    if (fTail == node)
        fTail = pred;
    node->fNext = nullptr;
    return true;
}

void LList::PushBack(SSLink* node) noexcept
{
    InsertAfter(node, fTail == &fAnchor ? nullptr : fTail);
}

void LList::InsertAfter(SSLink* node, SSLink* after) noexcept
{
    if (!node || node->IsLinked() || (after && !after->IsLinked()))
        return;
    SSLink* pred = after ? after : &fAnchor;
    node->fNext = pred->fNext;
    pred->fNext = node;
    if (fTail == pred)
        fTail = node;
}

void LList::DeleteAll() noexcept
{
    while (SSLink* node = PopFront())
        delete node;
}
