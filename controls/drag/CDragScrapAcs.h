#pragma once
#include "shell/windows/CScrapAcs_Cca.h"

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

class LDrop;
namespace plat {
class Pasteboard;
}

// Reads the typed data of one drop from its drag pasteboard, keeping what it read so that a
// drop target may ask for the same type again while the pointer moves.
class CDragScrapAcs {
public:
    explicit CDragScrapAcs(const LDrop* drop) : fDrop(drop) {}

    // The pasteboard type that matches: by name, or for a type given by its code, the type
    // named by the code's four characters or the type whose four-character tag is the code.
    static std::optional<std::string> ConvertPasteboardType(const plat::Pasteboard* pasteboard,
                                                           const LScrapFlavor& type);
    bool HasType(const LScrapFlavor& type) const;
    // The bytes of element `index` of the type (several items holding the type form a list;
    // a type held once is element 0 only); false when there is none.
    bool GetData(const LScrapFlavor& type, uint32_t index, const uint8_t*& data, uint32_t& size);
    static bool DropHasType(const LDrop* drop, const LScrapFlavor& type);

private:
    struct Entry {
        std::string name;
        uint32_t code;
        uint32_t index;
        std::vector<uint8_t> bytes;
    };
    plat::Pasteboard* Board() const;

    const LDrop* fDrop;
    std::list<Entry> fCache;
};
