#pragma once

// One kind of clipboard content (plain text, faders, event texts): it tests for, reads and
// writes that content on the system's general pasteboard, and copies it from another scrap of
// the same type. Two scraps have the same type when their type names are equal.
class LScrap {
public:
    LScrap() = default;
    LScrap(const LScrap&) = delete;
    LScrap& operator=(const LScrap&) = delete;
    virtual ~LScrap() = default;

    // The general pasteboard holds content of this scrap's type.
    virtual bool IsAvailable() const = 0;
    // Reads this scrap's content from the general pasteboard; false when there is none.
    virtual bool Load() = 0;
    // Writes this scrap's content to the general pasteboard.
    virtual void Put() const = 0;
    // Takes the content of another scrap of the same type; false for another type.
    virtual bool CopyFrom(const LScrap& other) = 0;
    virtual const char* GetTypeName() const = 0;

    bool SameType(const LScrap& other) const;
};
