#pragma once
#include <cstdint>
#include <iterator>

class LList;

// Node of an intrusive singly linked list. A class that lives in a list derives from it
// (often as a second base). A node is in at most one list; next is null while it is in none.
class SSLink {
public:
    SSLink() noexcept = default;
    SSLink(const SSLink&) noexcept {}   // a copy is not in any list
    SSLink& operator=(const SSLink&) noexcept { return *this; }
    virtual ~SSLink() = default;

    // The following node, or the end marker after the last one; null when not linked.
    SSLink* Next() const noexcept { return fNext; }
    bool IsLinked() const noexcept { return fNext != nullptr; }
    // True for the one shared marker at which every list ends.
    bool IsEnd() const noexcept { return fNext == this; }
    static SSLink* EndMarker() noexcept;

private:
    friend class LList;
    struct EndTag {};
    explicit SSLink(EndTag) noexcept : fNext(this) {}

    SSLink* fNext = nullptr;
};

// Intrusive list of SSLink nodes. It never owns its nodes (see DeleteAll) and never allocates.
class LList {
public:
    LList() noexcept;
    // Unlinks every node without deleting it.
    virtual ~LList();
    LList(const LList&) = delete;
    LList& operator=(const LList&) = delete;

    SSLink* Head() const noexcept { return IsEmpty() ? nullptr : fAnchor.fNext; }
    SSLink* Tail() const noexcept { return IsEmpty() ? nullptr : fTail; }
    bool IsEmpty() const noexcept { return fAnchor.fNext->IsEnd(); }
    // The i-th node from the head, or null past the end.
    SSLink* Nth(uint32_t i) const noexcept;
    uint32_t Count() const noexcept;
    bool Contains(const SSLink* node) const noexcept;

    // Unlinks and returns the head, or null when empty.
    SSLink* PopFront() noexcept;
    // Unlinks `node`; false when it is null, unlinked or in another list.
    bool Remove(SSLink* node) noexcept;
    // These ignore a null node and a node that is already linked.
    void PushFront(SSLink* node) noexcept { InsertAfter(node, nullptr); }
    void PushBack(SSLink* node) noexcept;
    // Links `node` after `after` (at the head when `after` is null).
    void InsertAfter(SSLink* node, SSLink* after) noexcept;
    // Pops every node and deletes it.
    void DeleteAll() noexcept;

    // Forward iteration over the nodes. Removing the node at hand invalidates the iterator.
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = SSLink*;
        using difference_type = std::ptrdiff_t;
        using pointer = SSLink**;
        using reference = SSLink*;
        explicit Iterator(SSLink* node = nullptr) noexcept : fNode(node) {}
        SSLink* operator*() const noexcept { return fNode; }
        Iterator& operator++() noexcept { fNode = fNode->Next(); return *this; }
        Iterator operator++(int) noexcept { Iterator old = *this; ++*this; return old; }
        bool operator==(const Iterator& other) const noexcept { return fNode == other.fNode; }

    private:
        SSLink* fNode;
    };
    Iterator begin() const noexcept { return Iterator(fAnchor.fNext); }
    Iterator end() const noexcept { return Iterator(SSLink::EndMarker()); }

private:
    // The anchor plays the part of the head's predecessor; its next is the head.
    SSLink fAnchor;
    SSLink* fTail;
};
