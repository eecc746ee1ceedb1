#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The properties of one item, read when asked and written in one commit; opened either on
// the item itself or as a shallow enumeration of a folder (entries in sorted name order).
// Values queued by the setters are seen by the getters at once and written by
// CommitAttributes. Links are items of their own: nothing here follows them.
class LFileInfo {
public:
    enum : uint32_t {
        kValid = 0,
        kFailed = 2,
        kNothing = 3,   // not found, end of enumeration, or not enumerating
    };

    LFileInfo() = default;
    virtual ~LFileInfo() = default;
    LFileInfo(const LFileInfo&) = delete;
    LFileInfo& operator=(const LFileInfo&) = delete;

    // Opens on the item at a file location or POSIX path, or on its first entry when
    // enumerating.
    void Begin(std::string_view url, bool enumerate);
    // Drops queued values and moves to the following entry.
    void Next();

    uint32_t Status() const { return fStatus; }
    // The POSIX path of the current item; empty when there is none.
    const std::string& CurrentPath() const { return fCurrent; }

    bool IsDirectory() const;
    bool IsHidden() const;
    LStringRef GetName() const;
    // Seconds since 1 January 2001.
    double GetCreationTime() const;
    double GetModificationTime() const;
    uint32_t GetCreatorCode() const;
    uint32_t GetTypeCode() const;

    void SetCreationTime(double seconds);
    void SetModificationTime(double seconds);
    void SetVisible(bool visible);
    void SetCreatorCode(uint32_t code);
    void SetTypeCode(uint32_t code);

    // Writes the queued values (only while the status is valid); status 0 when all were
    // written, 3 when the item is gone, else 2. The queue is kept.
    void CommitAttributes();

private:
    struct Pending {
        std::optional<double> creationTime;
        std::optional<double> modificationTime;
        std::optional<bool> hidden;
        std::optional<uint32_t> creator;
        std::optional<uint32_t> type;
    };

    void Clear();
    bool HasCurrent() const { return !fCurrent.empty(); }

    uint32_t fStatus = kNothing;
    bool fEnumerating = false;
    std::string fFolder;
    std::vector<std::string> fEntries;
    size_t fNextEntry = 0;
    std::string fCurrent;
    Pending fPending;
};
