#pragma once
#include "foundation/core/LStringRef.h"
#include "ui/clipboard/LScrap.h"

// Plain text on the general pasteboard.
class LTextScrap : public LScrap {
public:
    static const char* kTypeName;   // "LTextScrap"
    // Texts longer than this are not read from the pasteboard.
    static constexpr size_t kMaxLoadBytes = 64u << 20;

    // Starts with the pasteboard's text, or empty when it holds none.
    LTextScrap();
    explicit LTextScrap(const LStringRef& text) : fText(text) {}

    const LStringRef& Text() const { return fText; }
    void SetText(const LStringRef& text) { fText = text; }

    bool IsAvailable() const override;
    bool Load() override;
    // Replaces the pasteboard's contents with the text; an empty text leaves it untouched.
    void Put() const override;
    bool CopyFrom(const LScrap& other) override;
    const char* GetTypeName() const override { return kTypeName; }

private:
    LStringRef fText;
};
