#include "outputs/defs/CValueCtlDef.h"

#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"
#include "outputs/defs/CDefNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kMaxDecimals = 15;

} // namespace

double DefDouble(const CDefList& block, const char* key, double fallback)
{
    const CDefNode* node = CDefNode::FindChild(block, key);
    if (!node || node->value.empty())
        return fallback;
    const double value = StrToDouble(node->value.c_str());
    return std::isfinite(value) ? value : fallback;
}

int32_t DefInt(const CDefList& block, const char* key, int32_t fallback)
{
    const CDefNode* node = CDefNode::FindChild(block, key);
    if (!node || node->value.empty())
        return fallback;
    return StrToLongAuto(node->value.c_str());
}

CValueCtlDef::CValueCtlDef(const CDefList& block)
    : CCtlDef(block),
      fIni(static_cast<float>(DefInt(block, "ini", 0))),
      fArg(DefInt(block, "arg", -1)),
      fIniText(CDefNode::ChildValue(block, "ini"))
{
}

int32_t CValueCtlDef::ScaleDecimals(double scale)
{
    int32_t decimals = 0;
    for (double power = 1.0; power < scale && decimals < kMaxDecimals; power *= 10.0)
        ++decimals;
    return decimals;
}

LStringRef CValueCtlDef::DefaultText(const CDefList& block)
{
    const CDefNode* ini = CDefNode::FindChild(block, "ini");
    if (!ini)
        return LStringRef("0");
    if (ini->value.empty())
        return LStringRef();
    int32_t decimals = std::clamp(DefInt(block, "prec", 0), 0, kMaxDecimals);
    LStringRef text(std::string_view(ini->value));
    const std::string base = CDefNode::ChildValue(block, "base");
    if (!base.empty()) {
        const double value = Finite(StrToDouble(text.Text())) - Finite(StrToDouble(base.c_str()));
        text = DoubleToStringTrim(decimals, Finite(value));
    }
    const std::string scaleText = CDefNode::ChildValue(block, "scale");
    const double scale = scaleText.empty() ? 0.0 : StrToDouble(scaleText.c_str());
    if (std::isfinite(scale) && scale > 1.0) {
        decimals = std::min(kMaxDecimals, decimals + ScaleDecimals(scale));
        text = DoubleToStringTrim(decimals, Finite(StrToDouble(text.Text()) / scale));
    }
    return text;
}
