#pragma once
#include "foundation/core/LList.h"
#include "foundation/records/LFieldDesc.h"

#include <cstdint>

// What a class callback is asked.
enum class LClassOp : int {
    Created = 0,  // argument: the record, right after its defaults were set (and after a reset)
    Change = 1,   // argument: the change notice (LObjChange), before observers see it
};

// Class callback: a non-zero answer refuses a creation or stops a notice.
using LClassCallback = int (*)(LClassOp op, void* argument);

// Descriptor of one record class: its codes, its field table and its callback. One static
// instance per class, registered at construction in a process-wide registry.
class LClassDesc : public SSLink {
public:
    // Fills the descriptor and registers it. A class with more than 255 fields is refused:
    // it stays unregistered and records of it cannot be made.
    LClassDesc(uint32_t creator, uint32_t cls, uint32_t fieldCount, const LFieldDesc* fields,
               LClassCallback callback = nullptr);
    ~LClassDesc() override;
    LClassDesc(const LClassDesc&) = delete;
    LClassDesc& operator=(const LClassDesc&) = delete;

    // Links the descriptor at the front of the registry unless it is linked already.
    void Register();
    // The descriptor registered last with these codes, or null.
    static const LClassDesc* Find(uint32_t creator, uint32_t cls);
    // Whether `desc` is a registered descriptor (checks identities read back from data).
    static bool IsRegistered(const void* desc);

    uint32_t Creator() const noexcept { return fCreator; }
    uint32_t Class() const noexcept { return fClass; }
    // Number of fields (0 to 255); a refused descriptor reports its count but is never used.
    uint32_t FieldCount() const noexcept { return fFieldCount; }
    bool IsValid() const noexcept { return fFieldCount <= kMaxFieldCount; }
    const LFieldDesc& Field(uint8_t field) const noexcept { return fFields[field]; }
    const LFieldDesc* Fields() const noexcept { return fFields; }
    bool Is(uint32_t creator, uint32_t cls) const noexcept { return fCreator == creator && fClass == cls; }
    int Call(LClassOp op, void* argument) const { return fCallback(op, argument); }

private:
    static int DefaultCallback(LClassOp op, void* argument);

    uint32_t fCreator;
    uint32_t fClass;
    uint32_t fFieldCount;
    const LFieldDesc* fFields;
    LClassCallback fCallback;
};
