#include "controls/panels/MMachFontPanel.h"
#include "platform/draw/Font.h"
#include "platform/draw/FontLibrary.h"
#include "platform/window/FontPanel.h"

#include <memory>

namespace {

constexpr const char* kUserFamily = "DejaVu Sans";

// The one responder that follows the panel while a runner owns it.
struct MMachFontPanel {
    plat::FontChoice mFont;
    uint8_t mAttrSize = 0;
    uint8_t mAttrStyle = 0;
    uint8_t mAttrColor = 0;
    FontPanelCallback mCB = nullptr;
    void* mRef = nullptr;
    uint8_t mModal = 0;
};

std::unique_ptr<MMachFontPanel>& Responder()
{
    static std::unique_ptr<MMachFontPanel> responder;
    return responder;
}

// The record's font as the drawing layer knows it: by name, else by family, else the user font.
plat::FontChoice Resolve(const CFontRecord& record)
{
    bool bold = false;
    std::string family = plat::FontLibrary::CanonicalFamily(record.name.Text(), &bold);
    if (family.empty() && record.name.IsEmpty())
        family = plat::FontLibrary::CanonicalFamily(record.family.Text(), &bold);
    if (family.empty())
        family = kUserFamily;
    plat::FontChoice font;
    font.family = family;
    font.bold = bold || record.bold;
    font.italic = record.italic != 0;
    font.size = record.size > 0 ? record.size : 12.0;
    font.name = FontFaceName(family, font.bold, font.italic);
    return font;
}

void Fill(CFontRecord& record, const plat::FontChoice& font)
{
    record.name = font.name.c_str();
    record.family = font.family.c_str();
    record.size = float(font.size);
    record.bold = font.bold ? 1 : 0;
    record.italic = font.italic ? 1 : 0;
}

void FontChanged(const plat::FontChoice& picked)
{
    MMachFontPanel* responder = Responder().get();
    if (!responder)
        return;
    responder->mFont = picked;
    if (responder->mCB) {
        CFontRecord record;
        Fill(record, picked);
        responder->mCB(responder->mRef, record, 2);
    }
}

} // namespace

std::string FontFaceName(const std::string& family, bool bold, bool italic)
{
    std::string name = plat::FontLibrary::FileName(family, bold);
    if (name.empty())
        return family + (bold ? " Bold" : "") + (italic ? " Italic" : "");
    name = name.substr(0, name.find('.'));
    return italic ? name + (bold ? "Oblique" : "-Oblique") : name;
}

uint32_t FontPanelValidModes()
{
    const MMachFontPanel* responder = Responder().get();
    uint32_t modes = 0xFFF000FCu;  // bits 2..7 and 20..31
    if (responder && responder->mAttrSize)
        modes |= 1u << 1;
    if (responder && responder->mAttrStyle)
        modes |= 1u << 0;
    if (responder && responder->mAttrColor)
        modes |= 1u << 10;
    return modes;
}

int32_t RunFontPanel(bool modal, CFontRecord& font, void* argument, FontPanelCallback callback, void*,
                     uint32_t attributes)
{
    plat::FontPanel& panel = plat::FontPanel::Shared();
    if (!Responder())
        Responder() = std::make_unique<MMachFontPanel>();
    MMachFontPanel& responder = *Responder();
    responder.mRef = argument;
    responder.mCB = callback;
    responder.mFont = Resolve(font);
    responder.mAttrSize = (attributes & kFontAttrSize) != 0;
    responder.mAttrStyle = (attributes & kFontAttrStyle) != 0;
    responder.mAttrColor = (attributes & kFontAttrColor) != 0;
    panel.SetSelectedFont(responder.mFont);
    panel.SetChangeHandler(&FontChanged);
    panel.SetModesHandler(&FontPanelValidModes);
    if (!modal) {
        responder.mModal = 0;
        panel.OrderFront();
        return 2;
    }
    responder.mModal = 1;
    panel.SetWillCloseHandler([] {
        if (Responder() && Responder()->mModal)
            plat::FontPanel::Shared().StopModal();
    });
    panel.RunModal();
    panel.SetWillCloseHandler(nullptr);
    Fill(font, Responder() ? Responder()->mFont : panel.SelectedFont());
    CloseFontPanel(argument, callback);
    return 0;
}

void CloseFontPanel(void* argument, FontPanelCallback callback)
{
    if (!FontPanelLinked(argument, callback))
        return;
    plat::FontPanel& panel = plat::FontPanel::Shared();
    panel.SetChangeHandler(nullptr);
    panel.SetModesHandler(nullptr);
    panel.OrderOut();
    Responder().reset();
}

bool FontPanelLinked(void* argument, FontPanelCallback callback)
{
    const MMachFontPanel* responder = Responder().get();
    return responder && responder->mRef == argument && responder->mCB == callback;
}
