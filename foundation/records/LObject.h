#pragma once
#include "foundation/core/LStringRef.h"
#include "foundation/records/LClassDesc.h"
#include "foundation/records/LFieldSlot.h"

#include <cstdint>
#include <memory>

class CUndoStrm;
class LKeyValueNode;
class LHandler;
class LObjRoot;
class LObject;
struct CLRect;

struct LObjectDeleter {
    void operator()(LObject* record) const noexcept;
};
// Ownership of a record that is not (or no longer) held by a tree.
using LObjectPtr = std::unique_ptr<LObject, LObjectDeleter>;

// What a change notice reports.
enum class LObjOp : uint32_t {
    Changed = 0,     // a field's value changed
    Inserted = 1,    // an element or child was inserted
    Deleted = 2,     // an element or child was deleted
    Moved = 3,       // a child was moved
    Attached = 4,    // a record joined the tree (sent for it and each descendant)
    Detached = 5,    // a record is leaving the tree (each descendant, then it)
    WillInsert = 6,  // a child is about to be inserted (a receiver may change the index)
    WillRemove = 7,  // a child is about to be removed
};

// One element of an array field as undo data carries it.
struct LElementValue {
    uint32_t bits = 0;  // integer, float bits or byte
    LStringRef text;    // text elements
    const void* Pointer(LFieldType elemType) const noexcept;
};

// A record of the object model: a header and one 8-byte slot per field of its class.
// A record owns its texts, arrays and children (and through them its whole subtree).
// Edits go through the static recording operations, which write undo data when given a
// context inside a tree with a holder, and report each change to the class and observers.
class LObject {
public:
    enum class Merge : uint8_t { No = 0, Yes = 1 };

    // ---- creation and destruction ----
    // A new detached record with every field at its default; null when a child class is not
    // registered, an array element type is invalid, or the class callback refuses it.
    static LObjectPtr Create(const LClassDesc* desc);
    // Destroys a record and its subtree without notices.
    static void Delete(LObject* record) noexcept;
    // Stores the default of a field of type 0-4 without notice or undo.
    static void StoreDefault(LObject* record, uint8_t field);

    // ---- structure ----
    const LClassDesc* Class() const noexcept { return fClass; }
    bool Is(uint32_t creator, uint32_t cls) const noexcept { return fClass && fClass->Is(creator, cls); }
    uint32_t FieldCount() const noexcept { return fClass ? fClass->FieldCount() : 0; }
    // The field entry, or null for a field number out of range.
    const LFieldDesc* FieldDesc(uint8_t field) const noexcept;
    LObject* Parent() const noexcept { return fParent; }
    // For a child: the parent's field that holds it.
    uint8_t PlaceField() const noexcept { return fParent ? uint8_t(fPlace) : 0; }
    int32_t ListIndex() const noexcept { return fListIndex; }
    // 0 without parent or in a child slot; the list index in a list; -1 when not where it claims.
    int32_t IndexInParent() const noexcept;
    // The holder of the tree, or null for a detached tree.
    LObjRoot* GetRootHolder() const noexcept;

    // ---- reading (field numbers out of range or of another type give zero values) ----
    LFieldSlot& GetFieldSlot(uint8_t field) noexcept { return Slots()[field]; }
    const LFieldSlot& GetFieldSlot(uint8_t field) const noexcept { return Slots()[field]; }
    int32_t GetInt(uint8_t field) const noexcept;
    uint32_t GetUInt(uint8_t field) const noexcept;
    uint8_t GetByte(uint8_t field) const noexcept;
    float GetFloat(uint8_t field) const noexcept;
    LStringRef GetString(uint8_t field) const noexcept;
    uint32_t GetArrayCount(uint8_t field) const noexcept;
    // First element (for text arrays the first LStringRef); null when there is no array.
    const void* GetArrayData(uint8_t field) const noexcept;
    int32_t GetArrayInt(uint8_t field, uint32_t index) const noexcept;
    float GetArrayFloat(uint8_t field, uint32_t index) const noexcept;
    LStringRef GetArrayString(uint8_t field, uint32_t index) const noexcept;
    // The file location of the path or file URL held in a text field; empty when it
    // names no file.
    LStringRef GetFileSpec(uint8_t field) const;
    // Left, top, right, bottom from the first four elements of an integer array (else zero).
    CLRect GetRect(uint8_t field) const noexcept;
    // The child of a child field (index ignored) or element `index` of a list; null when
    // there is none or the index is out of range.
    LObject* GetChild(uint8_t field, uint32_t index = 0) const noexcept;

    // ---- recording setters: (record, context, field, value, merge) ----
    // A null context records no undo; so does a tree without holder.
    static void SetValue(LObject* record, LHandler* context, uint8_t field, uint64_t value, Merge merge);
    static void SetInt(LObject* record, LHandler* context, uint8_t field, int32_t value, Merge merge);
    static void SetUInt(LObject* record, LHandler* context, uint8_t field, uint32_t value, Merge merge);
    static void SetByte(LObject* record, LHandler* context, uint8_t field, uint8_t value, Merge merge);
    static void SetBool(LObject* record, LHandler* context, uint8_t field, bool value, Merge merge);
    static void SetFloat(LObject* record, LHandler* context, uint8_t field, float value, Merge merge);
    static void SetString(LObject* record, LHandler* context, uint8_t field, const LStringRef& value,
                          Merge merge);
    // Replaces all elements (for text arrays `elements` points to LStringRefs).
    static void SetArray(LObject* record, LHandler* context, uint8_t field, const void* elements,
                         uint32_t count);
    static void SetArrayElement(LObject* record, LHandler* context, uint8_t field, uint32_t index,
                                const void* value, Merge merge);
    // Inserts at an index clamped to the count; false when the array cannot grow.
    static bool InsertArrayElement(LObject* record, LHandler* context, uint8_t field, uint32_t index,
                                   const void* value);
    static void DeleteArrayElement(LObject* record, LHandler* context, uint8_t field, uint32_t index);
    // Appends copies of `value` until the array holds n elements, as one undo step.
    static void ExtendArray(LObject* record, LHandler* context, uint8_t field, const void* value, uint32_t n);
    static void SetRect(LObject* record, LHandler* context, uint8_t field, const CLRect& rect);
    static void SetFilePath(LObject* record, LHandler* context, uint8_t field, const LStringRef& path);
    // Back to the default, without undo.
    static void ResetField(LObject* record, uint8_t field);
    // Every tagged field back to its default (untagged ones keep their values).
    static void ResetAll(LObject* record);
    // Replaces an array's contents without undo or notice (for readers).
    static void SetArrayRaw(LObject* record, uint8_t field, const void* elements, uint32_t count);

    // ---- child records and lists ----
    // Puts `child` in a child field; answers the previous child, detached.
    static LObjectPtr SetChild(LObject* record, LHandler* context, uint8_t field, LObjectPtr child);
    static void ReplaceChild(LObject* record, LHandler* context, uint8_t field, LObjectPtr child);
    // Inserts at an index clamped to the count; on failure the child is destroyed.
    static bool InsertChild(LObject* record, LHandler* context, uint8_t field, uint32_t index,
                            LObjectPtr child);
    // Takes element `index` out of a list; null when the index is out of range.
    static LObjectPtr RemoveChildAt(LObject* record, LHandler* context, uint8_t field, uint32_t index);
    static void DeleteChildAt(LObject* record, LHandler* context, uint8_t field, uint32_t index);
    // Moves element `from` so that it ends before the element that was at `to`.
    static void MoveChild(LObject* record, LHandler* context, uint8_t field, uint32_t from, uint32_t to);
    // Raw operations (no undo, no notices) for readers and replays.
    static LObject* PutChild(LObject* record, uint8_t field, LObject* child);
    static LObjectPtr ExchangeChild(LObject* record, uint8_t field, LObjectPtr child);
    // On success the list owns the child; on failure the caller keeps it.
    [[nodiscard]] static bool InsertChildRaw(LObject* record, uint8_t field, uint32_t index, LObject* child);
    static void ClearChildList(LObject* record, uint8_t field);
    static void RenumberChildren(LObject* record, uint8_t field, uint32_t a, uint32_t b);

    // ---- change notices ----
    static void ReportChange(LObject* record, LHandler* context, LObjRoot* holder, LObjOp op,
                             uint8_t field, int32_t index, int32_t index2);
    static void NotifyFieldChanged(LObject* record, LHandler* context, LObjRoot* holder, uint8_t field,
                                   int32_t index);
    static void NotifyAttached(LObject* record, LHandler* context, LObjRoot* holder, int32_t place);
    static void NotifyDetached(LObject* record, LHandler* context, LObjRoot* holder, int32_t place);

    // ---- persistence in key/value nodes ----
    // Writes every tagged field under its tag's text (child records and lists as sub-nodes).
    static void SaveToNode(LKeyValueNode& node, const LObject* record);
    // Loads the keys present into the record as it is (missing keys leave fields unchanged),
    // through the recording setters without undo, so observers hear of every change.
    static void LoadFromNode(LKeyValueNode& node, LObject* record);
    // Every tagged field back to its default, then LoadFromNode.
    static void LoadFromNodeRef(LKeyValueNode& node, LObject* record);
    // The texts under "s0", "s1", ... of a fresh sub-node under `key`.
    static void WriteNodeStrings(LKeyValueNode& node, const char* key, const LStringRef* texts, uint32_t n);
    // The integers under `key` (an empty list gives count 0 and no buffer); false when missing.
    static bool ReadNodeInts(LKeyValueNode& node, const char* key, uint32_t& count,
                             std::unique_ptr<int64_t[]>& buffer);

    // ---- undo data ----
    static void WritePath(CUndoStrm& stream, const LObject* record, uint8_t field);
    static LObject* ReadPathForward(CUndoStrm& stream, LObject* root);
    static LObject* ReadPathBackward(CUndoStrm& stream, LObject* root, uint8_t& field);
    static void WriteSnapshot(CUndoStrm& stream, const LObject* record);
    // False when a class is unknown, the data is bad or nests too deep; a null record is a
    // success with a null result.
    static bool ReadSnapshotForward(CUndoStrm& stream, LObjectPtr& record);
    static bool ReadSnapshotBackward(CUndoStrm& stream, LObjectPtr& record);
    static void WriteArrayField(CUndoStrm& stream, const LObject* record, uint8_t field);
    // Apply the array read to the field (with a null record they only read past it).
    static void ReadArrayForward(CUndoStrm& stream, LObject* record, uint8_t field, LFieldType elemType);
    static void ReadArrayBackward(CUndoStrm& stream, LObject* record, uint8_t field, LFieldType elemType);
    static bool ReadElementForward(CUndoStrm& stream, LFieldType elemType, LElementValue& value);
    static bool ReadElementBackward(CUndoStrm& stream, LFieldType elemType, LElementValue& value);
    static void WriteElement(CUndoStrm& stream, LFieldType elemType, const void* value);

    // Replay functions, one per kind of edit (id = the tree holder).
    static void ReplaySetValue(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplaySetFloat(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplaySetString(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplaySetArray(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplaySetElement(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplayInsertElement(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplayDeleteElement(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplaySetChild(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplayInsertChild(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplayRemoveChild(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplayMoveChild(uint64_t id, CUndoStrm* reader, int direction);

private:
    friend class LObjRoot;
    friend struct LObjectDeleter;

    LObject(const LClassDesc* desc) noexcept : fClass(desc) {}
    ~LObject();

    LFieldSlot* Slots() noexcept { return reinterpret_cast<LFieldSlot*>(this + 1); }
    const LFieldSlot* Slots() const noexcept { return reinterpret_cast<const LFieldSlot*>(this + 1); }
    // The field entry when the field exists and has one of the given types, else null.
    const LFieldDesc* FieldOfType(uint8_t field, LFieldType type) const noexcept;
    bool MakeField(uint8_t field);
    void DestroyFields(uint32_t count) noexcept;
    void DestroyField(uint8_t field) noexcept;
    void Detach() noexcept { fParent = nullptr; fPlace = 0; }
    void AttachTo(LObject* parent, uint8_t field) noexcept { fParent = parent; fPlace = field; }
    void MakeRootOf(LObjRoot* holder) noexcept;

    const LClassDesc* fClass;
    LObject* fParent = nullptr;
    uintptr_t fPlace = 0;       // field number in the parent, or the holder of a root
    int32_t fListIndex = -1;
};

static_assert(sizeof(LObject) == 32, "a record header is 32 bytes");
