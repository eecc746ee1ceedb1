#include "shell/system/LSystemInfo.h"
#include "platform/system/SystemInfo.h"

#include <algorithm>

namespace {

constexpr uint32_t Sel(const char (&c)[5])
{
    return uint32_t(uint8_t(c[0])) << 24 | uint32_t(uint8_t(c[1])) << 16 | uint32_t(uint8_t(c[2])) << 8 | uint8_t(c[3]);
}

struct Question {
    uint32_t selector;
    int64_t LSystemInfo::*field;
};

// Asked in this order after the version; each answer goes into its field unchanged.
constexpr Question kBeforeDrawing[] = {
    {Sel("hdwr"), &LSystemInfo::hdwr}, {Sel("proc"), &LSystemInfo::proc}, {Sel("mach"), &LSystemInfo::mach},
    {Sel("os  "), &LSystemInfo::os},   {Sel("qdrw"), &LSystemInfo::qdrw}, {Sel("snd "), &LSystemInfo::snd},
    {Sel("tmgr"), &LSystemInfo::tmgr}, {Sel("addr"), &LSystemInfo::addr}, {Sel("vm  "), &LSystemInfo::vm},
};
constexpr Question kAfterDrawing[] = {
    {Sel("wind"), &LSystemInfo::wind}, {Sel("menu"), &LSystemInfo::menu}, {Sel("ditl"), &LSystemInfo::ditl},
    {Sel("fs  "), &LSystemInfo::fs},   {Sel("alis"), &LSystemInfo::alis}, {Sel("fold"), &LSystemInfo::fold},
    {Sel("stdf"), &LSystemInfo::stdf}, {Sel("cpnt"), &LSystemInfo::cpnt},
};
constexpr Question kAfterMedia[] = {
    {Sel("evnt"), &LSystemInfo::evnt}, {Sel("help"), &LSystemInfo::help},
};
constexpr Question kAfterText[] = {
    {Sel("drag"), &LSystemInfo::drag}, {Sel("ctbv"), &LSystemInfo::ctbv}, {Sel("conn"), &LSystemInfo::conn},
    {Sel("icon"), &LSystemInfo::icon}, {Sel("nmgr"), &LSystemInfo::nmgr}, {Sel("pop!"), &LSystemInfo::popup},
    {Sel("mixd"), &LSystemInfo::mixd}, {Sel("cfrg"), &LSystemInfo::cfrg}, {Sel("pccd"), &LSystemInfo::pccd},
    {Sel("otan"), &LSystemInfo::otan}, {Sel("otmo"), &LSystemInfo::otmo}, {Sel("powr"), &LSystemInfo::powr},
    {Sel("cpkr"), &LSystemInfo::cpkr},
};

// Stores the answer in the field; an unanswered question leaves the field as it was.
bool Ask(LSystemInfo::Answer answer, uint32_t selector, int64_t& field)
{
    int64_t value = 0;
    if (!answer(selector, value))
        return false;
    field = value;
    return true;
}

template <size_t N>
void AskAll(LSystemInfo& info, LSystemInfo::Answer answer, const Question (&questions)[N])
{
    for (const Question& q : questions)
        Ask(answer, q.selector, info.*(q.field));
}

void AskVersion(LSystemInfo& info, LSystemInfo::Answer answer)
{
    int64_t value = 0;
    if (answer(Sel("sys1"), value))
        info.osMajor = uint8_t(value);
    if (answer(Sel("sys2"), value))
        info.osMinor = uint8_t(value);
    if (answer(Sel("sys3"), value))
        info.osPatch = uint8_t(value);
    info.osVersion = LSystemInfo::PackOsVersion(info.osMajor, info.osMinor, info.osPatch);
}

void AskDrawingAndMedia(LSystemInfo& info, LSystemInfo::Answer answer)
{
    int64_t value = 0;
    if (answer(Sel("qd  "), value)) {
        info.qdVersion = uint32_t(value) & 0xFFFF;
        if (info.qdVersion >= 0x100)
            info.hasColorDrawing = 1;
    }
    AskAll(info, answer, kAfterDrawing);
    if (Ask(answer, Sel("qtim"), info.qtim))
        info.hasQuickTime = 1;
}

void AskTextServices(LSystemInfo& info, LSystemInfo::Answer answer)
{
    if (!Ask(answer, Sel("tsmv"), info.tsmv))
        return;
    int64_t textEdit = 0;
    if (answer(Sel("tmTE"), textEdit) && (textEdit & 1))
        Ask(answer, Sel("tmTV"), info.tmTV);
}

} // namespace

LSystemInfo& LSystemInfo::Global()
{
    static LSystemInfo info;
    return info;
}

void LSystemInfo::Query(LSystemInfo& info, Answer answer)
{
    if (!answer)
        answer = plat::QuerySystemValue;
    if (info.flags[2] == 0)
        return;
    Ask(answer, Sel("sysa"), info.sysa);
    AskVersion(info, answer);
    AskAll(info, answer, kBeforeDrawing);
    AskDrawingAndMedia(info, answer);
    AskAll(info, answer, kAfterMedia);
    AskTextServices(info, answer);
    AskAll(info, answer, kAfterText);
    int64_t value = 0;
    if (answer(Sel("atlk"), value))
        info.atalkVersion = uint32_t(value) & 0xFF;
}

uint32_t LSystemInfo::PackOsVersion(uint8_t major, uint8_t minor, uint8_t patch)
{
    return uint32_t(major / 10) << 12 | uint32_t(major % 10) << 8 | uint32_t(std::min<uint8_t>(minor, 9)) << 4 |
           std::min<uint8_t>(patch, 9);
}
