// Saving and loading a document-sized record tree: XML files, IFF chunk trees in memory, and
// key/value nodes written out as a property list (the preferences path).
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/CCFDictStore.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CMemStream.h"
#include "platform/values/Dict.h"
#include "platform/values/PropertyList.h"

#include <benchmark/benchmark.h>

#include <iterator>
#include <string>

namespace {

const LFieldDesc kFaderFields[] = {
    LFieldDesc::Int(FourCC("chan")),
    LFieldDesc::Text(FourCC("name"), ""),
    LFieldDesc::FloatField(FourCC("gain"), 1.0f, 3),
    LFieldDesc::ArrayOf(FourCC("band"), LFieldType::Float, 2),
};
const LClassDesc gFader(FourCC("BNCP"), FourCC("FADR"), std::size(kFaderFields), kFaderFields);

const LFieldDesc kDocFields[] = {
    LFieldDesc::Text(FourCC("note"), ""),
    LFieldDesc::ListOf(FourCC("fdrs"), FourCC("BNCP"), FourCC("FADR")),
};
const LClassDesc gDoc(FourCC("BNCP"), FourCC("DOCU"), std::size(kDocFields), kDocFields);

LObjectPtr MakeDocument(int faders)
{
    LObjectPtr doc = LObject::Create(&gDoc);
    LObject::SetString(doc.get(), nullptr, 0, "a note of the document\nwith a second line & more", LObject::Merge::No);
    for (int i = 0; i < faders; ++i) {
        LObjectPtr fader = LObject::Create(&gFader);
        LObject::SetInt(fader.get(), nullptr, 0, i % 4, LObject::Merge::No);
        LObject::SetString(fader.get(), nullptr, 1, LStringRef(std::string("Fader ") + std::to_string(i)),
                           LObject::Merge::No);
        LObject::SetFloat(fader.get(), nullptr, 2, 0.5f + float(i) / 100, LObject::Merge::No);
        const float band[] = {float(i) * 10.5f, float(i) * 10.5f + 200};
        LObject::SetArray(fader.get(), nullptr, 3, band, 2);
        (void)LObject::InsertChild(doc.get(), nullptr, 1, uint32_t(i), std::move(fader));
    }
    return doc;
}

std::string XmlOf(const LObject* doc)
{
    LByteBuffer buffer;
    {
        CMemStream stream(buffer);
        WriteRecordXml(stream, doc);
    }
    return std::string(reinterpret_cast<const char*>(buffer.Data()), buffer.Size());
}

void BM_XmlWrite(benchmark::State& state)
{
    LObjectPtr doc = MakeDocument(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(XmlOf(doc.get()));
}
BENCHMARK(BM_XmlWrite)->Arg(64)->Arg(1024);

void BM_XmlRead(benchmark::State& state)
{
    const std::string text = XmlOf(MakeDocument(int(state.range(0))).get());
    LObjectPtr doc = LObject::Create(&gDoc);
    for (auto _ : state) {
        CMemStream stream(text.data(), uint32_t(text.size()));
        benchmark::DoNotOptimize(ReadRecordXml(stream, doc.get()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_XmlRead)->Arg(64)->Arg(1024);

void BM_FormRoundTrip(benchmark::State& state)
{
    LObjectPtr doc = MakeDocument(int(state.range(0)));
    for (auto _ : state) {
        LByteBuffer buffer;
        {
            LObjFormWriter writer(1, 1, buffer);
            writer.WriteObject(doc.get());
        }
        LObjFormReader reader(buffer.Data(), buffer.Size());
        benchmark::DoNotOptimize(reader.ReadObject());
    }
}
BENCHMARK(BM_FormRoundTrip)->Arg(64)->Arg(1024);

void BM_NodesToPropertyList(benchmark::State& state)
{
    LObjectPtr doc = MakeDocument(int(state.range(0)));
    for (auto _ : state) {
        plat::Ref<plat::Dict> dict = plat::Dict::Make();
        {
            CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
            LObject::SaveToNode(store, doc.get());
        }
        const std::string text = plat::PropertyList::Write(*dict);
        benchmark::DoNotOptimize(plat::PropertyList::Read(text));
    }
}
BENCHMARK(BM_NodesToPropertyList)->Arg(64)->Arg(1024);

} // namespace
