#pragma once
#include "foundation/core/LRef.h"
#include "shell/windows/CScrapAcs_Cca.h"
#include "ui/clipboard/LScrap.h"

#include <memory>

// The application's one clipboard. It holds the scrap of the last copy made inside the
// application, so that a paste inside the application takes the copied content itself, and
// falls back to the system pasteboard only for a scrap of another type.
class LClipboard {
public:
    // Nothing held; the accessor reads the general pasteboard.
    LClipboard();
    LClipboard(const LClipboard&) = delete;
    LClipboard& operator=(const LClipboard&) = delete;

    // True when the held scrap has the type of `scrap`, else whether the pasteboard has it.
    bool CanPaste(const LScrap& scrap) const;
    // Fills `scrap` from the held scrap of its type, else from the pasteboard.
    bool Fetch(LScrap& scrap) const;
    // Holds `scrap` (owned from now on), lets go of the held reference and writes the content
    // to the system pasteboard as well.
    void Put(std::unique_ptr<LScrap> scrap);
    void Clear();

    const LScrap* Held() const { return fHeld.get(); }
    // A shared object kept with the held scrap (the copied records themselves).
    const LRef& HeldReference() const { return fHeldRef; }
    void SetHeldReference(const LRef& ref) { fHeldRef = ref; }
    // Typed reads of the general pasteboard for scraps of record flavours.
    const CScrapAcs_Cca& Accessor() const { return fAccessor; }

private:
    std::unique_ptr<LScrap> fHeld;
    LRef fHeldRef;
    CScrapAcs_Cca fAccessor;
};
