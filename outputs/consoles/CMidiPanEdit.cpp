#include "outputs/consoles/CMidiPanEdit.h"

#include "foundation/core/StrEqual.h"
#include "foundation/text/NumberFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace {

constexpr int32_t kCentre = 64;

} // namespace

CMidiPanEdit::CMidiPanEdit(LPane* parent, uint32_t style) : CNumVol(parent, 0, style)
{
    SetRange(0, 127, 1);
    SetValue(kCentre);
}

LStringRef CMidiPanEdit::FormatPan(double value)
{
    const double offset = std::isfinite(value) ? std::trunc(value - kCentre) : 0.0;
    const auto n = static_cast<int64_t>(std::clamp(offset, -1e9, 1e9));
    if (n == 0)
        return LStringRef(" C ");
    if (n < 0)
        return LStringRef(std::string_view("L" + std::to_string(-n)));
    return LStringRef(std::string_view(std::to_string(n) + "R"));
}

int32_t CMidiPanEdit::ParseText(std::string_view text)
{
    int64_t amount = 0;
    int32_t side = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        if (c == 'C') {
            amount = 0;
            side = 1;
        } else if (c == 'L') {
            side = -1;
        } else if (c == 'R') {
            side = 1;
        } else if (c >= '0' && c <= '9') {
            // A long run of digits saturates instead of wrapping.
            amount = 0;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
                amount = std::min<int64_t>(amount * 10 + (text[i] - '0'), 1000000);
            --i;
        }
    }
    return static_cast<int32_t>(std::clamp<int64_t>(side * amount, -kCentre, kCentre - 1) + kCentre);
}

void CMidiPanEdit::HandleMessage(LMessage& result, const LMessage& msg)
{
    // A pan text is not cut to a number: the change goes on as it is.
    if (msg.subject == this && StrEqual(msg.type, msgChange)) {
        LEditText::HandleMessage(result, msg);
        return;
    }
    CNumVol::HandleMessage(result, msg);
}

int32_t CMidiPanEdit::PrefWidth(LPaneContext* context, int32_t hint)
{
    if (hint != 0)
        return CNumVol::PrefWidth(context, hint);
    return 3 * MeasureTextWidth(context, "M") + 2 * CNumVol::PrefWidth(context, -11);
}

bool CMidiPanEdit::AcceptChar(uint8_t)
{
    return true;
}

double CMidiPanEdit::GetValue()
{
    return ParseText(GetText().View());
}

void CMidiPanEdit::SetRawValue(double value)
{
    SetText(FormatPan(value));
}
