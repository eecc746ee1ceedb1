#pragma once
#include "analysis/records/CSnxSchema.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LMessage.h"
#include "foundation/persist/CCFDictStore.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/persist/CXmlRecordWriter.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/streams/CMemStream.h"
#include "platform/values/Dict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

// The stored forms a record tree travels in: a document's XML file, record chunks (drag data,
// copies) and the preferences' key/value dictionary.
inline std::string ToXml(const LObject* root)
{
    LByteBuffer bytes;
    {
        CMemStream out(bytes);
        WriteRecordXml(out, root);
        EXPECT_EQ(out.Error(), 0u);
    }
    return std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Size());
}
inline bool FromXml(const std::string& text, LObject* root)
{
    CMemStream in(text.data(), static_cast<uint32_t>(text.size()));
    bool complete = false;
    return ReadRecordXml(in, root, &complete) && complete;
}
inline std::string ToChunk(const LObject* root)
{
    LByteBuffer bytes;
    {
        LObjFormWriter writer(CSnxSchema::kCreator, CSnxSchema::kDocClass, bytes); // ends the chunk when it goes
        writer.WriteObject(root);
        EXPECT_EQ(writer.Error(), 0u);
    }
    return std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Size());
}
inline LObjectPtr FromChunk(const std::string& chunk)
{
    LObjFormReader reader(chunk.data(), static_cast<uint32_t>(chunk.size()));
    return reader.ReadObject();
}
inline plat::Ref<plat::Dict> ToDict(LObject* root)
{
    plat::Ref<plat::Dict> dict = plat::Dict::Make();
    CCFDictStore store(dict.Get(), LKeyValueNode::kWritable);
    LObject::SaveToNode(store, root);
    return dict;
}
inline void FromDict(plat::Dict* dict, LObject* root)
{
    CCFDictStore store(dict, LKeyValueNode::kReadOnly);
    LObject::LoadFromNodeRef(store, root);
}

// A document window as far as undo goes: its queue sees every message first.
class UndoWindow : public LHandler {
public:
    UndoWindow() : queue(0x100000, std::make_unique<CMemStream>(bytes)) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (queue.HandleMessage(msg)) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    void Undo() { queue.Replay(CUndoStrm::kUndo); }
    void Redo() { queue.Replay(CUndoStrm::kRedo); }
    // Steps that can still be undone.
    int UndoDepth()
    {
        int depth = 0;
        while (queue.CanUndo()) {
            Undo();
            ++depth;
        }
        for (int i = 0; i < depth; ++i)
            Redo();
        return depth;
    }

    LByteBuffer bytes;
    CUNDOQ queue;
};

// Counts the notices of a record tree.
class NoticeLog {
public:
    explicit NoticeLog(LObjRoot& root) : fRoot(root) { (void)fRoot.AddObserver(this, &NoticeLog::Note); }
    ~NoticeLog() { fRoot.RemoveObserver(this, &NoticeLog::Note); }
    struct Entry {
        LObject* record;
        LObjOp operation;
        uint8_t field;
    };
    std::vector<Entry> entries;

private:
    static void Note(void* context, LObjChange& notice)
    {
        static_cast<NoticeLog*>(context)->entries.push_back({notice.record, notice.operation, notice.field});
    }
    LObjRoot& fRoot;
};

// Every tagged field of a and b holds the same value, recursively.
inline void ExpectSameTree(const LObject* a, const LObject* b)
{
    ASSERT_EQ(a == nullptr, b == nullptr);
    if (!a)
        return;
    ASSERT_EQ(a->Class(), b->Class());
    for (uint32_t f = 0; f < a->FieldCount(); ++f) {
        const uint8_t field = static_cast<uint8_t>(f);
        const LFieldDesc& fd = *a->FieldDesc(field);
        if (!fd.IsTagged())
            continue;
        SCOPED_TRACE(testing::Message() << "field " << f);
        switch (fd.type) {
        case LFieldType::String:
            EXPECT_EQ(a->GetString(field).View(), b->GetString(field).View());
            break;
        case LFieldType::Array: {
            const uint32_t n = a->GetArrayCount(field);
            ASSERT_EQ(n, b->GetArrayCount(field));
            for (uint32_t i = 0; i < n; ++i) {
                if (fd.elemType == LFieldType::String)
                    EXPECT_EQ(a->GetArrayString(field, i).View(), b->GetArrayString(field, i).View());
                else if (fd.elemType == LFieldType::Byte)
                    EXPECT_EQ(static_cast<const uint8_t*>(a->GetArrayData(field))[i],
                              static_cast<const uint8_t*>(b->GetArrayData(field))[i]);
                else
                    EXPECT_EQ(a->GetArrayInt(field, i), b->GetArrayInt(field, i));
            }
            break;
        }
        case LFieldType::Child:
            ExpectSameTree(a->GetChild(field), b->GetChild(field));
            break;
        case LFieldType::List: {
            const uint32_t n = a->GetArrayCount(field);
            ASSERT_EQ(n, b->GetArrayCount(field));
            for (uint32_t i = 0; i < n; ++i)
                ExpectSameTree(a->GetChild(field, i), b->GetChild(field, i));
            break;
        }
        case LFieldType::Float:
            // Stored as text with the field's decimals.
            EXPECT_NEAR(a->GetFloat(field), b->GetFloat(field), 0.5 * std::pow(10.0, -fd.precision) + 1e-6);
            break;
        default:
            EXPECT_EQ(a->GetInt(field), b->GetInt(field));
            break;
        }
    }
}

