#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string>

class LByteBuffer;
namespace plat {
class Pasteboard;
}

// One kind of clipboard content: a type name, or when the name is empty a four-character code.
struct LScrapFlavor {
    LStringRef name;
    uint32_t code = 0;
};

// Reads typed data from one pasteboard (the general one, or the drag one of the current drag).
// The pasteboard is not owned; without one every question answers false.
class CScrapAcs_Cca {
public:
    CScrapAcs_Cca() = default;
    virtual ~CScrapAcs_Cca() = default;

    void SetPasteboard(plat::Pasteboard* pasteboard) { fPasteboard = pasteboard; }
    plat::Pasteboard* Pasteboard() const { return fPasteboard; }

    // The pasteboard type of a flavour: its name, or its code as text ('FADR' gives "FADR").
    static std::string FlavorType(const LScrapFlavor& flavor);
    virtual bool HasFlavor(const LScrapFlavor& flavor) const;
    // Copies the flavour's data into out (resized to fit). False without pasteboard, when the
    // type is missing, or when out cannot be resized.
    virtual bool GetFlavor(const LScrapFlavor& flavor, LByteBuffer& out) const;

private:
    plat::Pasteboard* fPasteboard = nullptr;
};
