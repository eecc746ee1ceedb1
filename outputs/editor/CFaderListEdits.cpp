// Edits of the fader editor's rows and its menu commands.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "controls/edit/CEntryEditText.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LMergeKey.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderList.h"
#include "outputs/editor/DroppedSound.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr const char* kDeleteCommand = "LStdCmd_Delete";
// The drop pane shows the copy cursor for an accepted sound file.
constexpr uint32_t kAcceptCopy = 3;
constexpr uint8_t kMaxChannel = 3;

// The value a field committed, as a float the record can hold.
float FieldValue(CNumVol& field)
{
    const double value = field.GetValue();
    return std::isfinite(value) ? float(value) : 0.0f;
}

} // namespace

bool CFaderList::HandleCellMessage(LMessage& result, const LMessage& msg)
{
    const auto* subject = dynamic_cast<const LPane*>(msg.subject);
    CLPoint at;
    auto* cell = dynamic_cast<CFaderCell*>(subject ? FindCell(subject, &at) : nullptr);
    if (!cell || subject == cell)
        return false;
    LObject* fader = fDocument.Fader(at.y);
    if (!fader)
        return false;  // a row past the faders: nothing to edit
    LStringRef id;
    LStringRef text;
    if (cell->Panel().TranslateMessage(msg, id, text)) {
        // A text is stored once per edit, when the edit ends: each edit is an undo step of
        // its own, never folded into the edit of the same parameter before it.
        if (StrEqual(msg.type, CEntryEditText::msgEnter))
            LMergeKey::Forget();
        LObject* params = fader->GetChild(kFadrCprm);
        CParamSet::SetValue(params, this, std::string(id.View()).c_str(), text);
        LMessage::Clear(result);
        return true;
    }
    if (HandleSoundDrop(result, *cell, *fader, msg))
        return true;
    if (StrEqual(msg.type, LPane::msgReqFocus)) {
        LCellGrid::HandleMessage(result, msg);
        LMessage::Send(result);
        LMessage::Clear(result);
        UpdateSelectionInfo();
        return true;
    }
    if (!HandleFieldMessage(*cell, at.y, msg))
        return false;
    LMessage::Clear(result);
    return true;
}

bool CFaderList::HandleFieldMessage(CFaderCell& cell, int32_t row, const LMessage& msg)
{
    LObject* fader = fDocument.Fader(row);
    const auto merge = LObject::Merge::Yes;
    if (msg.subject == &cell.Name() && StrEqual(msg.type, LEditText::msgChange)) {
        LObject::SetString(fader, this, kFadrName, cell.Name().GetText(), merge);
        return true;
    }
    if (StrEqual(msg.type, LPopupList::msgChanged)) {
        if (msg.subject == &cell.SourceType())
            LObject::SetByte(fader, this, kFadrStyp, uint8_t(std::clamp(cell.SourceType().GetSelection(), 0, 4)), merge);
        else if (msg.subject == &cell.OutputKind())
            LObject::SetByte(fader, this, kFadrFtyp,
                             uint8_t(std::clamp(cell.OutputKind().GetSelection(), 0, int32_t(kOutputKinds) - 1)), merge);
        else
            return false;
        return true;
    }
    if (!StrEqual(msg.type, CNumVol::msgFix))
        return false;
    if (msg.subject == &cell.Channel()) {
        const float channel = std::clamp(FieldValue(cell.Channel()) - 1.0f, 0.0f, float(kMaxChannel));
        LObject::SetByte(fader, this, kFadrSchn, uint8_t(channel), merge);
    } else if (msg.subject == &cell.BandLow()) {
        fDocument.SetFaderLowFreq(this, row, FieldValue(cell.BandLow()) / Scale());
    } else if (msg.subject == &cell.BandHigh()) {
        fDocument.SetFaderHighFreq(this, row, FieldValue(cell.BandHigh()) / Scale());
    } else if (msg.subject == &cell.InputLow()) {
        fDocument.SetFaderLowAmp(this, row, FieldValue(cell.InputLow()) / 100.0f);
    } else if (msg.subject == &cell.InputHigh()) {
        fDocument.SetFaderHighAmp(this, row, FieldValue(cell.InputHigh()) / 100.0f);
    } else if (msg.subject == &cell.OutputLow()) {
        LObject::SetFloat(fader, this, kFadrFdrl, FieldValue(cell.OutputLow()) / 100.0f, merge);
    } else if (msg.subject == &cell.OutputHigh()) {
        LObject::SetFloat(fader, this, kFadrFdrh, FieldValue(cell.OutputHigh()) / 100.0f, merge);
    } else {
        return false;
    }
    return true;
}

// A sound file dropped on a sound fader becomes its sound: the file's URL relative to the
// documents folder and its name. Other faders and other drags are left to the drop pane.
bool CFaderList::HandleSoundDrop(LMessage& result, CFaderCell& cell, LObject& fader, const LMessage& msg)
{
    if (msg.subject != &cell.SoundDrop())
        return false;
    const bool enter = StrEqual(msg.type, LDropPane::msgEnter);
    const bool drop = StrEqual(msg.type, LDropPane::msgDrop);
    if (!enter && !drop)
        return false;
    DroppedSound sound;
    if (fader.GetByte(kFadrFtyp) != kSoundKind || !ReadDroppedSound(cell.SoundDrop().CurrentDrag(), sound))
        return false;
    if (drop) {
        EnterTypedText();
        auto step = CUndoStrm::BeginCompound(this, LStringRef());
        LObject* params = fader.GetChild(kFadrCprm);
        CParamSet::SetValue(params, this, "sndurl", sound.url);
        CParamSet::SetValue(params, this, "snd", sound.name);
    }
    cell.SoundDrop().SetDropCursor(kAcceptCopy);
    LMessage::Clear(result);
    return true;
}

void CFaderList::DeleteSelection()
{
    LObject* root = fDocument.Root();
    if (!root || Selection().IsEmpty())
        return;
    EnterTypedText();
    auto step = CUndoStrm::BeginCompound(this, LStringRef());
    const CLRect bounds = Selection().GetBounds();
    for (int32_t row = bounds.bottom - 1; row >= std::max(0, bounds.top); --row) {
        if (Selection().Intersects({0, row, 1, row + 1}) && row < fDocument.FaderCount())
            LObject::DeleteChildAt(root, this, kFdrsFdrs, uint32_t(row));
    }
}

CEntryEditText* CFaderList::TypedField() const
{
    const CellSlot& focus = FocusSlot();
    const auto* cell = focus.IsFree() ? nullptr : dynamic_cast<const CFaderCell*>(focus.pane.get());
    if (!cell)
        return nullptr;
    for (uint32_t i = 0; LPane* control = cell->Panel().Control(i); ++i)
        if (auto* field = dynamic_cast<CEntryEditText*>(control); field && field->IsEdited())
            return field;
    return nullptr;
}

bool CFaderList::HasTypedText() const
{
    return TypedField() != nullptr;
}

void CFaderList::EnterTypedText()
{
    if (CEntryEditText* field = TypedField())
        field->Enter();
}

bool CFaderList::HandleCommand(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LMenuBar::msgReady) && msg.subject) {
        if (!Selection().IsEmpty())
            static_cast<LMenuBar*>(msg.subject)->EnableCommand(kDeleteCommand);
        return false;
    }
    if (StrEqual(msg.type, LMenuItem::msgSelected) && msg.subject &&
        static_cast<LMenuItem*>(msg.subject)->HasCommand(kDeleteCommand)) {
        DeleteSelection();
        LMessage::Clear(result);
        return true;
    }
    return false;
}
