#pragma once
#include <cstdint>

class LStringRef;

// A cursor on a tree of key/value dictionaries. A node knows nothing of the storage: each
// operation goes to the node's store, and a child node names its parent as its store, so
// calls travel up the chain to the one object that owns the storage (a store has no store
// of its own). Numbers and number lists are kept as text values. Main thread only.
class LKeyValueNode {
public:
    // An empty node without store: every read answers false, 0 or -1.
    LKeyValueNode() = default;
    // The sub-node under `key` of `parent`: created when the chain may be written, else only
    // opened (and empty when missing).
    LKeyValueNode(LKeyValueNode& parent, const char* key);
    // The sub-node under `key` only when it exists, whatever the chain's mode (readers use
    // it so that loading never adds keys).
    enum class Existing { Only };
    LKeyValueNode(LKeyValueNode& parent, const char* key, Existing);
    virtual ~LKeyValueNode();
    LKeyValueNode(const LKeyValueNode&) = delete;
    LKeyValueNode& operator=(const LKeyValueNode&) = delete;

    enum : uint32_t { kReadOnly = 0, kWritable = 1 };

    // ---- the store's operations; the base passes each to its store ----
    // kWritable when the store may be written.
    virtual uint32_t GetMode();
    // The sub-node under the key, made when missing; 0 when it cannot be had.
    virtual uint64_t OpenOrCreateChild(uint64_t handle, const char* key);
    // The sub-node under the key, or 0.
    virtual uint64_t OpenChild(uint64_t handle, const char* key);
    // Gives back a handle from OpenOrCreateChild or OpenChild.
    virtual void CloseNode(uint64_t handle);
    virtual void Remove(uint64_t handle, const char* key);
    // A data value: with a buffer, copies at most *size bytes and sets *size to the count
    // copied; without one sets *size to the value's length. False (size 0) for another kind.
    virtual bool GetData(uint64_t handle, const char* key, void* buffer, uint32_t* size);
    // A text value into *out; false (out unchanged) for another kind.
    virtual bool GetString(uint64_t handle, const char* key, LStringRef* out);
    virtual void SetData(uint64_t handle, const char* key, const void* bytes, uint32_t size);
    virtual void SetString(uint64_t handle, const char* key, const char* text);

    // ---- operations on this node (nothing, false, 0 or -1 for an empty node) ----
    bool IsEmpty() const { return fHandle == 0; }
    uint64_t Handle() const { return fHandle; }
    void RemoveKey(const char* key);
    bool GetData(const char* key, void* buffer, uint32_t* size);
    bool GetString(const char* key, LStringRef* out);
    void SetData(const char* key, const void* bytes, uint32_t size);
    void SetString(const char* key, const char* text);
    // Up to max integers of a text value into values (without values, all are counted);
    // -1 when the key holds no text. A value written with a fraction reads as its integer part.
    int32_t GetInts(const char* key, int64_t* values, int32_t max);
    // Up to max reals of a text value; -1 when the key holds no text.
    int32_t GetDoubles(const char* key, double* values, int32_t max);
    // Stores the values as text, each followed by one blank ("3 -4 ").
    void SetInts(const char* key, const int64_t* values, int32_t n);
    void SetDoubles(const char* key, const double* values, int32_t n);
    int64_t GetInt(const char* key, int64_t defaultValue);
    void SetInt(const char* key, int64_t value);

protected:
    // For stores, which are their own storage.
    explicit LKeyValueNode(uint64_t handle) : fHandle(handle) {}

private:
    LKeyValueNode* fStore = nullptr;
    uint64_t fHandle = 0;
};

class LStrStream;
// The key made of a prefix and a decimal index ("a" and 3 give "a3").
void MakeIndexedKey(LStrStream& out, const char* prefix, uint32_t n);
