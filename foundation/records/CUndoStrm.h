#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <memory>

class CUndoRing;

// A stream into the undo history, or out of it. A writer finds the undo queue of its document
// by sending "CUndoStrm_Find" up the handler chain from its context, writes one record (or,
// while another record is open, a record nested inside it) and finishes it when destroyed.
// A reader opens the record before cur (undo) or at cur (redo) for its replay function.
// Every write and read is a no-op while the stream is not attached to a queue.
class CUndoStrm : public LHandler {
public:
    enum class Kind : uint8_t {
        NewRecord = 0,        // a record of its own
        SkipIfUnchanged = 1,  // the edit changed nothing: recorded only inside another record
        Container = 2,        // a container holding the first and the latest group of a run
    };
    enum class Mode : uint8_t {
        Structural = 0,  // seals the ring: nothing merges into the records around it
        New = 1,         // a new record
        Merge = 2,       // fold into the previous record of the same id and replay function
    };
    static constexpr int kUndo = 0;
    static constexpr int kRedo = 1;
    // Replays a record: direction kRedo reads forwards from the data start, kUndo backwards
    // from the data end.
    using ReplayFn = void (*)(uint64_t id, CUndoStrm* reader, int direction);

    static const char* kFindMessage;  // "CUndoStrm_Find"

    // A writer. A null context records nothing.
    CUndoStrm(LHandler* context, uint64_t id, ReplayFn replay, const LStringRef& caption, Kind kind,
              Mode mode);
    // A reader of the record before cur (kUndo) or at cur (kRedo).
    CUndoStrm(CUndoRing* ring, int direction);
    ~CUndoStrm() override;
    CUndoStrm(const CUndoStrm&) = delete;
    CUndoStrm& operator=(const CUndoStrm&) = delete;

    // A group: everything recorded while it is open is undone and redone as one step.
    [[nodiscard]] static std::unique_ptr<CUndoStrm> BeginCompound(LHandler* context, const LStringRef& caption);
    // Empties the history of the context's queue, unless a record is open.
    static void Clear(LHandler* context);
    // The queue's answer to "CUndoStrm_Find".
    void Attach(CUndoRing* ring);

    bool IsRecording() const noexcept { return fRing != nullptr && fWriter; }
    bool IsReading() const noexcept { return fRing != nullptr && !fWriter; }
    // A merged record passes over the stored old value and path: the editing code calls this
    // before it writes the new value.
    void EndSkip() noexcept { fSkip = false; }
    bool IsSkipping() const noexcept { return fSkip; }

    // ---- writing ----
    void Write(const void* data, uint64_t n);
    void WriteU8(uint8_t value) { Write(&value, 1); }
    void WriteU32(uint32_t value) { Write(&value, 4); }
    void WriteI32(int32_t value) { Write(&value, 4); }
    void WriteU64(uint64_t value) { Write(&value, 8); }
    // NUL, the text, NUL. While skipping it reads the stored text past instead.
    void WriteString(const LStringRef& text);

    // ---- reading forwards ----
    // False (buffer zeroed) when the bytes lie outside the record's data.
    bool ReadBytes(void* buffer, uint64_t n);
    uint8_t ReadU8Fwd() { return ReadFwd<uint8_t>(); }
    uint32_t ReadU32Fwd() { return ReadFwd<uint32_t>(); }
    uint64_t ReadU64Fwd() { return ReadFwd<uint64_t>(); }
    LStringRef ReadString();
    // ---- reading backwards ----
    bool ReadBack(void* buffer, uint64_t n);
    uint8_t ReadBackU8() { return ReadBackValue<uint8_t>(); }
    uint32_t ReadBackU32() { return ReadBackValue<uint32_t>(); }
    uint64_t ReadBackU64() { return ReadBackValue<uint64_t>(); }
    LStringRef ReadBackString();
    // A read went outside the record's data: what was read is not to be trusted.
    bool Failed() const noexcept { return fFailed; }

    uint64_t Id() const noexcept { return fId; }
    ReplayFn Replay() const noexcept { return fReplay; }
    const LStringRef& Caption() const noexcept { return fCaption; }
    bool Sealed() const noexcept { return fSealed; }
    CUndoRing* Ring() const noexcept { return fRing; }
    uint64_t Position() const noexcept { return fPos; }
    uint64_t DataStart() const noexcept { return fStart; }
    uint64_t RecordStart() const noexcept { return fRecordStart; }
    uint64_t RecordEnd() const noexcept { return fEnd + 4; }

    // Replay functions of groups: compounds, and containers of kind Container.
    static void ReplayNested(uint64_t id, CUndoStrm* reader, int direction);
    static void ReplayPair(uint64_t id, CUndoStrm* reader, int direction);

private:
    template <class T>
    T ReadFwd()
    {
        T value{};
        ReadBytes(&value, sizeof value);
        return value;
    }
    template <class T>
    T ReadBackValue()
    {
        T value{};
        ReadBack(&value, sizeof value);
        return value;
    }
    explicit CUndoStrm(LHandler* context);
    bool Find();
    void Begin(Kind kind, Mode mode);
    bool TryMerge();
    void BeginContainer(LHandler* context, Mode mode);
    void Finish();
    void Detach();
    void OpenForRedo();
    void OpenForUndo();
    bool ReadCaption(uint64_t start, uint64_t end);
    void Invalidate();

    uint64_t fId = 0;
    ReplayFn fReplay = nullptr;
    LStringRef fCaption;
    CUndoRing* fRing = nullptr;
    std::unique_ptr<CUndoStrm> fContainer;
    uint64_t fRecordStart = 0;
    uint64_t fStart = 0;  // reader: data start
    uint64_t fEnd = 0;    // reader: data end
    uint64_t fPos = 0;    // reader: position
    uint32_t fEpoch = 0;  // writer: the ring's epoch when the record began
    bool fSkip = false;
    bool fWriter = false;
    bool fNested = false;
    bool fSealed = false;
    bool fFailed = false;
};
