#include "fuzz/RecordText.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/CCFDictStore.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CMemStream.h"
#include "platform/values/Dict.h"
#include "platform/values/PropertyList.h"

namespace {

std::string Text(const LByteBuffer& bytes)
{
    return std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Size());
}

} // namespace

std::string RecordXml(const LObject* root)
{
    LByteBuffer bytes;
    {
        CMemStream out(bytes);
        WriteRecordXml(out, root);
    }
    return Text(bytes);
}

std::string RecordChunks(uint32_t creator, uint32_t cls, const LObject* root)
{
    LByteBuffer bytes;
    {
        LObjFormWriter writer(creator, cls, bytes);
        writer.WriteObject(root);
    }
    return Text(bytes);
}

std::string RecordPropertyList(const LObject* root)
{
    plat::Ref<plat::Dict> dict = plat::Dict::Make();
    {
        CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
        LObject::SaveToNode(store, root);
    }
    return plat::PropertyList::Write(*dict);
}
