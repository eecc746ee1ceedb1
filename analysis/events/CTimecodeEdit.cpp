#include "analysis/events/CTimecodeEdit.h"
#include "controls/edit/CMacEditText.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int64_t kUnitsPerSecond = 1024;
constexpr uint32_t kNoDecimals = 0;
constexpr uint32_t kNoStyle = 0;
constexpr double kMinuteStep = 60.0;
constexpr double kSecondStep = 1.0;
// The hint under which a field answers its border width.
constexpr int32_t kBorderHint = -11;
constexpr uint32_t kControlFlag = 0x40000;
constexpr int32_t kNavUp = 3;
constexpr int32_t kNavDown = 4;

} // namespace

CTimecodeEdit::CTimecodeEdit(LPane* parent, uint32_t mode, bool isSigned)
    : CNumVol(parent, kNoDecimals, kNoStyle), fMode(mode), fSigned(isSigned)
{
    const float range = isSigned ? 86399.0f : 86400.0f;
    SetRange(-range, range, 1.0f);
    SetValue(int64_t(0), kUnitsPerSecond);
}

double CTimecodeEdit::Limit() const
{
    return fSigned ? 86399.0 : 86400.0;
}

void CTimecodeEdit::SetSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        seconds = 0.0;
    seconds = std::clamp(seconds, -Limit(), Limit());
    SetValue(int64_t(std::llround(seconds * double(kUnitsPerSecond))), kUnitsPerSecond);
}

void CTimecodeEdit::SetValue(int64_t n, int64_t units)
{
    units = std::max<int64_t>(units, 1);
    const bool negative = n < 0;
    if (negative)
        n = fSigned ? -n : ((n % (units * Timecode::kDaySeconds)) + units * Timecode::kDaySeconds);
    Timecode tc{fMode};
    Timecode::FromFrames(tc, n, units);
    std::string text;
    if (fSigned)
        text.push_back(negative && Timecode::ToFrames(tc, units) != 0 ? '-' : ' ');
    text += Timecode::Format(tc);
    SetText(LStringRef(text));
}

void CTimecodeEdit::SetUnits(int64_t n, int64_t units)
{
    if (HasFlags(kPaneFocused) && !HasSelection())
        return;
    SetValue(n, units);
    SelectText();
}

double CTimecodeEdit::GetSeconds() const
{
    Timecode tc{fMode};
    const int32_t sign = Timecode::Parse(GetText().View(), tc, Limit());
    return double(sign * Timecode::ToFrames(tc, kUnitsPerSecond)) / double(kUnitsPerSecond);
}

double CTimecodeEdit::GetValue()
{
    return GetSeconds();
}

void CTimecodeEdit::SetRawValue(double value)
{
    SetSeconds(value);
}

void CTimecodeEdit::SelectText()
{
    CMacEditText* editor = Editor();
    if (!editor)
        return;
    if (fField == kWhole) {
        editor->SelectAll();
        return;
    }
    const uint32_t start = fSigned ? 3 * fField - 2 : 3 * fField - 3;
    editor->SetSelection(start, 2);
}

int32_t CTimecodeEdit::ZoneAt(const CLPoint& point) const
{
    auto& self = const_cast<CTimecodeEdit&>(*this);
    const int64_t border = self.PrefWidth(nullptr, kBorderHint);
    const int64_t length = int64_t(GetText().View().size());
    const int64_t width = Rect().Width() - 2 * border;
    const int64_t x = int64_t(point.x) - Rect().left;
    int64_t h = width > 0 ? (x - border) * 2 * length / width : 0;
    h += fSigned ? -1 : 1;
    return int32_t(std::clamp<int64_t>(h / 3, 0, 7));
}

uint32_t CTimecodeEdit::FieldAt(int32_t x) const
{
    return uint32_t(ZoneAt({Rect().left + x, Rect().top}) / 2 + 1);
}

double CTimecodeEdit::FieldStep(uint32_t field) const
{
    switch (field) {
    case kHours: return 3600.0;
    case kMinutes: return 60.0;
    case kSeconds: return 1.0;
    case kFrames:
        switch (fMode) {
        case 24: return 1.0 / 24.0;
        case 25: return 1.0 / 25.0;
        case Timecode::kDropFrame: return 1.0 / 29.97;
        case 30: return 1.0 / 30.0;
        case Timecode::kHundredths: return 0.01;
        default: return 0.0;
        }
    default:
        return 1.0;
    }
}

double CTimecodeEdit::WheelStepAt(const CLPoint& point)
{
    const int32_t zone = ZoneAt(point);
    fDirection = zone % 2 == 0 ? -1 : 1;
    fStep = float(FieldStep(uint32_t(zone / 2 + 1)));
    return fStep;
}

// The base class steps by its range step in the direction of the half that was clicked: the
// field's step becomes the range step, and the half is chosen to match the zone.
int32_t CTimecodeEdit::ClickStepDirection(const CLPoint& point)
{
    WheelStepAt(point);
    SetRange(Minimum(), Maximum(), fStep);
    const CLRect& r = Rect();
    return CNumVol::ClickStepDirection({fDirection < 0 ? r.left : r.right, point.y});
}

int32_t CTimecodeEdit::KeyStep()
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (!keyboard || !(keyboard->modifiers & kControlFlag))
        return CNumVol::KeyStep();
    const int32_t nav = keyboard->GetNavKey();
    if (nav != kNavUp && nav != kNavDown)
        return CNumVol::KeyStep();
    const double step = keyboard->IsShift() ? kSecondStep : kMinuteStep;
    const double before = GetSeconds();
    SetSeconds(before + (nav == kNavUp ? step : -step));
    SelectText();
    return GetSeconds() != before ? 1 : 2;
}

bool CTimecodeEdit::AcceptChar(uint8_t character)
{
    if (character == ':' || character == ' ') {
        // A separator typed in the middle replaces what follows the selection.
        if (CMacEditText* editor = Editor()) {
            const auto [start, length] = editor->GetSelection();
            const std::string text(GetText().View());
            const size_t end = std::min<size_t>(text.size(), size_t(start) + length);
            if (end < text.size()) {
                SetText(LStringRef(text.substr(0, end)));
                editor->SetSelection(start, length);
            }
        }
    }
    return true;
}

void CTimecodeEdit::StateChanged(int32_t event)
{
    if (event == kEventFocus)
        fField = kWhole;
    CNumVol::StateChanged(event);
}

void CTimecodeEdit::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgChange)) {
        LPane::HandleMessage(result, msg);  // passed on untouched
        return;
    }
    if (msg.subject && msg.subject == LMouse::Current() && StrEqual(msg.type, "LMouse_Click") &&
        HasFlags(kPaneFocused)) {
        fField = uint32_t(ZoneAt(MouseInPane(*this)) / 2 + 1);
    }
    CNumVol::HandleMessage(result, msg);
}
