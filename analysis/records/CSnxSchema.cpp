#include "analysis/records/CSnxSchema.h"
#include "foundation/records/CParamSchema.h"

#include <iterator>

namespace {

constexpr uint32_t S = CSnxSchema::kCreator;
constexpr uint32_t U = CParamSchema::kCreator;
constexpr uint8_t kSilent = kFieldSilent;
constexpr float kThird = 0.33333334f;

using F = LFieldDesc;

const LFieldDesc kCommonFields[] = {
    F::FloatField(FourCC("srat"), 120.0f, 2),
    F::FloatField(FourCC("fcrt"), kThird, 4),
    F::ByteField(FourCC("db  "), 0),
    F::ByteField(FourCC("ctdc"), 0),
    F::ByteField(FourCC("ftsx"), 8),
    F::ByteField(FourCC("wnfc"), 1),
    F::ByteField(FourCC("fqlg"), 0),
};

const LFieldDesc kFaderFields[] = {
    F::Text(FourCC("name"), ""),
    F::FloatField(FourCC("frql"), 10.0f, 2),
    F::FloatField(FourCC("frqh"), 20.0f, 2),
    F::FloatField(FourCC("ampl"), 0.0f, 3),
    F::FloatField(FourCC("amph"), 1.0f, 3),
    F::FloatField(FourCC("fdrl"), 0.0f, 3),
    F::FloatField(FourCC("fdrh"), 1.0f, 3),
    F::ByteField(FourCC("schn"), 0),
    F::ByteField(FourCC("styp"), 0),
    F::ByteField(FourCC("ftyp"), 0),
    F::ChildOf(FourCC("cprm"), U, CParamSchema::kSetClass),
    F::FloatField(0, 0.0f, 0),
    F::FloatField(0, 0.0f, 0),
    F::ByteField(0, 0),
};

const LFieldDesc kChannelFields[] = {
    F::FloatField(FourCC("crrv"), 0.5f, 3),
    F::FloatField(FourCC("crrh"), 0.5f, 3),
    F::FloatField(FourCC("crsv"), 0.5f, 3),
    F::FloatField(FourCC("crsh"), 0.5f, 3),
    F::FloatField(0, 0.5f, 3),
    F::FloatField(0, 0.5f, 3),
    F::FloatField(0, 0.5f, 3),
    F::FloatField(0, 0.5f, 3),
    F::Int(0, 0, kSilent),
    F::Int(0, 0, kSilent),
    F::Int(0, 0, kSilent),
};

const LFieldDesc kDocFields[] = {
    F::ArrayOf(FourCC("dmst"), LFieldType::Byte),
    F::ChildOf(FourCC("mdcs"), U, CParamSchema::kTableClass),
    F::ChildOf(FourCC("comn"), S, CSnxSchema::kCommonClass),
    F::ListOf(FourCC("fdrs"), S, CSnxSchema::kFaderClass),
    F::ListOf(FourCC("chns"), S, CSnxSchema::kChannelClass),
    F::ChildOf(FourCC("evts"), S, CSnxSchema::kEventListClass),
    F::FloatField(0, 1.0f, 0),
    F::FloatField(0, 1.0f, 0),
    F::UInt(0, 0),
    F::Text(0, ""),
};

const LFieldDesc kViewPrefsFields[] = {
    F::ByteField(FourCC("tral"), 0, kSilent),
    F::ByteField(FourCC("grid"), 0, kSilent),
    F::ByteField(FourCC("db  "), 1, kSilent),
    F::ByteField(FourCC("zmrw"), 1, kSilent),
    F::ByteField(FourCC("zoom"), 1, kSilent),
    F::ByteField(FourCC("chns"), 1, kSilent),
    F::ByteField(FourCC("lsrc"), 0, kSilent),
    F::FloatField(FourCC("srat"), 120.0f, 2, kSilent),
    F::FloatField(FourCC("fcrt"), kThird, 4, kSilent),
    F::FloatField(FourCC("fqbw"), 10.0f, 2, kSilent),
    F::Text(FourCC("port"), "", kSilent),
    F::Text(FourCC("fdfl"), "", kSilent),
    F::Text(FourCC("lgfl"), "", kSilent),
    F::Text(FourCC("fbfl"), "", kSilent),
    F::Text(FourCC("spfl"), "", kSilent),
    F::ByteField(FourCC("fqlg"), 0, kSilent),
    F::ByteField(FourCC("thtr"), 0, kSilent),
    F::FloatField(FourCC("sptl"), 1.0f, 2, kSilent),
    F::FloatField(FourCC("spti"), 1.0f, 2, kSilent),
    F::UInt(FourCC("sptd"), 0, kSilent),
    F::ByteField(FourCC("spts"), 0, kSilent),
    F::ByteField(FourCC("spet"), 0, kSilent),
    F::ByteField(FourCC("trud"), 1, kSilent),
    F::UInt(FourCC("trus"), 5, kSilent),
    F::UInt(FourCC("truf"), 4, kSilent),
    F::ArrayOf(FourCC("dcwp"), LFieldType::Int32, 0, kSilent),
    F::ArrayOf(FourCC("dxwp"), LFieldType::Int32, 0, kSilent),
    F::ArrayOf(FourCC("mcwp"), LFieldType::Int32, 0, kSilent),
};

const LFieldDesc kFreqViewFields[] = {
    F::FloatField(FourCC("fqzm"), 1.0f, 0),
    F::FloatField(FourCC("fqps"), 0.0f, 3),
    F::FloatField(0, 1.0f, 3),
};

const LFieldDesc kWindowFields[] = {
    F::Int(FourCC("chdv"), 0, kSilent),
    F::Int(FourCC("fddv"), 0, kSilent),
    F::ByteField(FourCC("tral"), 0),
    F::ByteField(FourCC("grid"), 0),
    F::ByteField(FourCC("zoom"), 1, kSilent),
    F::ByteField(FourCC("lsrc"), 0, kSilent),
    F::ByteField(FourCC("fqmd"), 0, kSilent),
    F::FloatField(FourCC("fqbw"), 10.0f, 2, kSilent),
    F::Text(FourCC("dcfl"), "", kSilent),
    F::Text(FourCC("lgfl"), "", kSilent),
    F::Text(FourCC("fbfl"), "", kSilent),
    F::Text(FourCC("port"), "", kSilent),
    F::ByteField(FourCC("lsop"), 0, kSilent),
    F::Int(FourCC("svpt"), 51000, kSilent),
    F::ByteField(FourCC("svus"), 0, kSilent),
    F::Text(FourCC("tcpa"), "127.0.0.1:51000", kSilent),
    F::ByteField(FourCC("pkdt"), 0),
    F::FloatField(FourCC("pkht"), 2.0f, 1),
    F::FloatField(FourCC("pkfl"), 10.0f, 1),
    F::FloatField(FourCC("pkfh"), 100.0f, 1),
    F::ByteField(FourCC("zmrw"), 0),
    F::ByteField(FourCC("thtr"), 0),
    F::ByteField(FourCC("evtr"), 0),
    F::ByteField(FourCC("trud"), 1, kSilent),
    F::UInt(FourCC("trus"), 5, kSilent),
    F::UInt(FourCC("truf"), 4, kSilent),
    F::ByteField(FourCC("evwo"), 0, kSilent),
    F::Text(FourCC("tlpt"), "", kSilent),
    F::ArrayOf(FourCC("dcwp"), LFieldType::Int32, 0, kSilent),
    F::ArrayOf(FourCC("evwp"), LFieldType::Int32, 0, kSilent),
    F::ChildOf(FourCC("chvw"), S, CSnxSchema::kFreqViewClass),
    F::FloatField(0, 0.0f, 0),
    F::Text(0, ""),
    F::ByteField(0, 0),
};

const LFieldDesc kPrefsFields[] = {
    F::ByteField(FourCC("mdou"), 0, kSilent),
    F::ByteField(FourCC("clwo"), 0, kSilent),
    F::ChildOf(FourCC("mdot"), U, CParamSchema::kSetClass, kSilent),
    F::ChildOf(FourCC("clrs"), S, CSnxSchema::kColorsClass),
    F::ChildOf(FourCC("mnky"), U, CParamSchema::kTableClass, kSilent),
    F::ChildOf(FourCC("comn"), S, CSnxSchema::kViewPrefsClass, kSilent),
    F::ListOf(FourCC("docs"), S, CSnxSchema::kWindowClass, kSilent),
    F::ArrayOf(FourCC("wpcd"), LFieldType::Int32, 0, kSilent),
};

const LFieldDesc kColorsFields[] = {
    F::ByteField(FourCC("crop"), 192),
    F::FloatField(FourCC("trdh"), 0.1f, 2),
    F::FloatField(FourCC("trdv"), 0.2f, 2),
    F::UInt(FourCC("trdp"), 100),
    F::FloatField(FourCC("clsc"), 1.0f, 2),
    F::FloatField(FourCC("prsp"), 1.0f, 2),
    F::ByteField(FourCC("evop"), 192),
    F::ArrayOf(FourCC("cbkg"), LFieldType::Byte),
    F::ArrayOf(FourCC("cgrd"), LFieldType::Byte),
    F::ArrayOf(FourCC("csmp"), LFieldType::Byte),
    F::ArrayOf(FourCC("cspc"), LFieldType::Byte),
    F::ArrayOf(FourCC("ccrs"), LFieldType::Byte),
};

const LFieldDesc kEventListFields[] = {
    F::ListOf(FourCC("evts"), S, CSnxSchema::kEventClass),
};

const LFieldDesc kEventFields[] = {
    F::FloatField(FourCC("time"), 0.0f, 2),
    F::Text(FourCC("text"), ""),
};

const LClassDesc gCommon(S, CSnxSchema::kCommonClass, std::size(kCommonFields), kCommonFields);
const LClassDesc gFader(S, CSnxSchema::kFaderClass, std::size(kFaderFields), kFaderFields);
const LClassDesc gChannel(S, CSnxSchema::kChannelClass, std::size(kChannelFields), kChannelFields);
const LClassDesc gDoc(S, CSnxSchema::kDocClass, std::size(kDocFields), kDocFields);
const LClassDesc gViewPrefs(S, CSnxSchema::kViewPrefsClass, std::size(kViewPrefsFields), kViewPrefsFields);
const LClassDesc gFreqView(S, CSnxSchema::kFreqViewClass, std::size(kFreqViewFields), kFreqViewFields);
const LClassDesc gWindow(S, CSnxSchema::kWindowClass, std::size(kWindowFields), kWindowFields);
const LClassDesc gPrefs(S, CSnxSchema::kPrefsClass, std::size(kPrefsFields), kPrefsFields);
const LClassDesc gColors(S, CSnxSchema::kColorsClass, std::size(kColorsFields), kColorsFields);
const LClassDesc gEventList(S, CSnxSchema::kEventListClass, std::size(kEventListFields), kEventListFields);
const LClassDesc gEvent(S, CSnxSchema::kEventClass, std::size(kEventFields), kEventFields);

static_assert(std::size(kCommonFields) == 7 && std::size(kFaderFields) == 14 && std::size(kChannelFields) == 11);
static_assert(std::size(kDocFields) == 10 && std::size(kViewPrefsFields) == 28 && std::size(kFreqViewFields) == 3);
static_assert(std::size(kWindowFields) == 34 && std::size(kPrefsFields) == 8 && std::size(kColorsFields) == 12);

} // namespace

const LClassDesc* CSnxSchema::DocClass() { return &gDoc; }
const LClassDesc* CSnxSchema::CommonClass() { return &gCommon; }
const LClassDesc* CSnxSchema::FaderClass() { return &gFader; }
const LClassDesc* CSnxSchema::ChannelClass() { return &gChannel; }
const LClassDesc* CSnxSchema::PrefsClass() { return &gPrefs; }
const LClassDesc* CSnxSchema::ViewPrefsClass() { return &gViewPrefs; }
const LClassDesc* CSnxSchema::WindowClass() { return &gWindow; }
const LClassDesc* CSnxSchema::FreqViewClass() { return &gFreqView; }
const LClassDesc* CSnxSchema::ColorsClass() { return &gColors; }
const LClassDesc* CSnxSchema::EventListClass() { return &gEventList; }
const LClassDesc* CSnxSchema::EventClass() { return &gEvent; }
