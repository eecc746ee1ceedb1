#include "controls/CViewPrefs.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSet.h"
#include "shell/draw/LFontData.h"
#include "shell/windows/CDesktop.h"
#include "ui/windows/LWindow.h"

#include <string>

const char* CViewPrefs::msgChanged = "CViewPrefs_Changed";

namespace {

// Sizes are kept with one decimal at most: 12.0 is "12", 10.5 "10.5".
constexpr int32_t kSizeDecimals = 1;

} // namespace

CViewPrefs::CViewPrefs()
{
    // Windows made before any change still hear from this object when they first appear.
    CDesktop::SetViewPrefs(this);
}

CViewPrefs& CViewPrefs::Shared()
{
    static CViewPrefs prefs;
    return prefs;
}

bool CViewPrefs::GetFont(uint32_t fontId, FontSpec& choice) const
{
    if (!fParams)
        return false;
    const LObject* fonts = CParamSet::GetSubSet(fParams, "fonts");
    const LObject* entry = fonts ? CParamSet::GetSubSet(fonts, std::to_string(fontId).c_str()) : nullptr;
    if (!entry)
        return false;
    LStringRef family;
    CParamSet::Find(entry, "fam", &family);
    float size = 12.0f;
    if (CParamSet::GetFloat(entry, "pts", size) < 0)
        size = 12.0f;
    choice.family = family;
    choice.size = size;
    return !family.IsEmpty();
}

void CViewPrefs::SetFont(uint32_t fontId, const FontSpec& choice)
{
    if (!fParams)
        return;
    LObject* fonts = CParamSet::MakeSubSet(fParams, this, "fonts");
    LObject* entry = fonts ? CParamSet::MakeSubSet(fonts, this, std::to_string(fontId).c_str()) : nullptr;
    if (!entry)
        return;
    FontSpec current;
    GetFont(fontId, current);
    if (StrEqual(current.family.Text(), choice.family.Text()) && current.size == choice.size)
        return;
    CParamSet::SetValue(entry, this, "fam", choice.family);
    CParamSet::SetFloat(entry, this, "pts", kSizeDecimals, choice.size);
    Broadcast();
}

void CViewPrefs::Broadcast()
{
    LFontData::ResetAllNSFonts();
    for (LWindow* window = LWindow::Next(nullptr); window; window = LWindow::Next(window))
        if (LHandler* owner = window->GetOwner())
            LMessage::Send(LMessage(msgChanged, this, owner));
}
