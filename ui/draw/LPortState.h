#pragma once
#include "controls/CColor.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/LRegion.h"

#include <cstdint>

namespace plat {
class Canvas;
}

class LPortState;

// What OffsetOrigin hands to an LOriginScope: the port and its origin before the change.
struct LOriginRecord {
    LPortState* port;
    CLPoint saved;
};

// What PushClip hands to an LClipScope: the port and its clip before the change.
struct LClipRecord {
    LPortState* port;
    LRegion saved;
};

// The drawing port every pane draws through: a canvas (not owned) with the framework's own
// clip region (in port coordinates), origin and colour. Changes only set flags; they reach the
// canvas when a drawing step applies them (ApplyPending, through LPortStateScope).
class LPortState {
public:
    enum : uint8_t { kOriginChanged = 0x1, kClipChanged = 0x2, kColorsChanged = 0x4 };

    LPortState() = default;
    virtual ~LPortState() = default;
    LPortState(const LPortState&) = delete;
    LPortState& operator=(const LPortState&) = delete;

    plat::Canvas* Context() const { return fContext; }
    void SetContext(plat::Canvas* context) { fContext = context; }

    // Moves the clip by the pending offset, clears the offset and returns the clip.
    LRegion& Clip();
    // Replaces the clip outright (a context sets its first clip this way) and marks it changed.
    void SetClip(const LRegion& clip);
    // Moves the origin by (dx, dy) and the pending clip offset the other way; the record holds
    // the origin before. Nothing changes for (0, 0).
    [[nodiscard]] LOriginRecord OffsetOrigin(int32_t dx, int32_t dy);
    // Moves the origin to `point`, adjusting the pending clip offset to match.
    void SetOrigin(const CLPoint& point);
    CLPoint Origin() const { return fOrigin; }
    // Narrows the clip to its intersection with `region`; the record holds the clip before.
    [[nodiscard]] LClipRecord PushClip(const LRegion& region);

    class LColorScope;
    // Installs `color` as the port's colour until the returned scope ends.
    [[nodiscard]] LColorScope PushColors(const CColorRef& color);
    const CColorRef& Color() const { return fColor; }
    // Sets the context's fill and stroke colours from `color` at once.
    void ApplyColors(const CColor* color);

    // Brings the pending clip and colours to the context and clears their flags. Without a
    // context nothing happens and the flags stay.
    void ApplyPending();

    uint8_t ChangeFlags() const { return fFlags; }
    void SetChangeFlags(uint8_t flags) { fFlags = flags; }
    CLPoint PendingOffset() const { return {fPendingDx, fPendingDy}; }
    uint8_t Updating() const { return fUpdating; }
    void SetUpdatingFlag(uint8_t updating) { fUpdating = updating; }
    // The two state bytes: a window port keeps 0 and 1; a bitmap port 1 and its bits per pixel.
    uint8_t StateByte(int which) const { return fState[which & 1]; }
    void SetStateBytes(uint8_t first, uint8_t second)
    {
        fState[0] = first;
        fState[1] = second;
    }

private:
    plat::Canvas* fContext = nullptr;
    LRegion fClip;
    CColorRef fColor;
    int32_t fPendingDx = 0;
    int32_t fPendingDy = 0;
    CLPoint fOrigin;
    uint8_t fState[2] = {0, 1};
    uint8_t fUpdating = 0;
    uint8_t fFlags = 0;
};

// Puts the port's colour back when it ends.
class LPortState::LColorScope {
public:
    LColorScope(LPortState& port, const CColorRef& saved) : fPort(&port), fSaved(saved) {}
    LColorScope(LColorScope&& other) noexcept : fPort(other.fPort), fSaved(other.fSaved) { other.fPort = nullptr; }
    LColorScope& operator=(LColorScope&&) = delete;
    ~LColorScope();

private:
    LPortState* fPort;
    CColorRef fSaved;
};

// Translates the context by the origin change of an OffsetOrigin; when it ends it translates
// back and restores the saved origin.
class LOriginScope {
public:
    explicit LOriginScope(const LOriginRecord& record);
    ~LOriginScope();
    LOriginScope(const LOriginScope&) = delete;
    LOriginScope& operator=(const LOriginScope&) = delete;

private:
    LOriginRecord fRecord;
    CLPoint fMoved;  // the translation applied to the context
};

// Puts the saved clip back when it ends.
class LClipScope {
public:
    explicit LClipScope(LClipRecord record) : fRecord(std::move(record)) {}
    ~LClipScope();
    LClipScope(const LClipScope&) = delete;
    LClipScope& operator=(const LClipScope&) = delete;

private:
    LClipRecord fRecord;
};
