#pragma once
#include <bit>
#include <cstdint>

// Types of a record field (the type byte of a field entry). A type byte outside these makes
// the field an inert 8-byte slot: always zero, never saved, compared or reported.
enum class LFieldType : uint8_t {
    Int32 = 0,   // signed 32-bit integer
    UInt32 = 1,  // unsigned 32-bit integer
    Byte = 2,    // byte, also used for flags
    Float = 3,   // 32-bit float
    String = 4,  // text (a string handle, never null)
    Array = 5,   // array of elements of the entry's element type (Int32 to String)
    Child = 6,   // one child record of the class named in the default
    List = 7,    // list of child records of the class named in the default
};

// Flag bits of a field entry.
inline constexpr uint8_t kFieldSilent = 0x01;       // changes send no notices (still mark modified)
inline constexpr uint8_t kFieldClassByName = 0x02;  // readers take a child's class from the data
inline constexpr uint8_t kFieldOnDemand = 0x04;     // a child slot starts (and resets to) null

// Largest number of fields a class may have; field number 255 stands for "no field".
inline constexpr uint32_t kMaxFieldCount = 255;
inline constexpr uint8_t kNoField = 255;

// Makes a four-character code from its text ('abcd' without multi-character literals).
constexpr uint32_t FourCC(const char (&code)[5])
{
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}

// One field of a record class: 16 bytes, laid out exactly so because class tables are static data.
struct LFieldDesc {
    uint32_t tag;         // four-character code naming the field in files; 0 = memory only
    LFieldType type;
    uint8_t flags;
    uint8_t precision;    // decimals used when a float (or float element) is written as text
    LFieldType elemType;  // element type of an array field
    union Default {
        struct Words {
            uint32_t lo;  // integer, byte or float bits; creator code of a child class
            uint32_t hi;  // class code of a child class; largest stored value of an unsigned field (0: any)
        } w;
        const char* text;  // default text of a string field (null means empty)
    } def;

    bool IsTagged() const noexcept { return tag != 0; }
    bool IsSilent() const noexcept { return (flags & kFieldSilent) != 0; }
    bool IsOnDemand() const noexcept { return (flags & kFieldOnDemand) != 0; }
    uint32_t ChildCreator() const noexcept { return def.w.lo; }
    uint32_t ChildClass() const noexcept { return def.w.hi; }
    float DefaultFloat() const noexcept { return std::bit_cast<float>(def.w.lo); }
    // An unsigned value read from stored data, held to the field's cap: readers apply it so that
    // a damaged or hostile file cannot ask for more than the program can apply.
    uint32_t StoredUInt(uint32_t value) const noexcept
    {
        return type == LFieldType::UInt32 && def.w.hi != 0 && value > def.w.hi ? def.w.hi : value;
    }

    // Builders for static class tables.
    static constexpr LFieldDesc Int(uint32_t tag, int32_t value = 0, uint8_t flags = 0)
    {
        return Words(tag, LFieldType::Int32, flags, 0, uint32_t(value), 0);
    }
    static constexpr LFieldDesc UInt(uint32_t tag, uint32_t value = 0, uint8_t flags = 0, uint32_t storedMax = 0)
    {
        return Words(tag, LFieldType::UInt32, flags, 0, value, storedMax);
    }
    static constexpr LFieldDesc ByteField(uint32_t tag, uint8_t value = 0, uint8_t flags = 0)
    {
        return Words(tag, LFieldType::Byte, flags, 0, value, 0);
    }
    static constexpr LFieldDesc FloatField(uint32_t tag, float value, uint8_t precision, uint8_t flags = 0)
    {
        return Words(tag, LFieldType::Float, flags, precision, std::bit_cast<uint32_t>(value), 0);
    }
    static constexpr LFieldDesc Text(uint32_t tag, const char* value = "", uint8_t flags = 0)
    {
        LFieldDesc d{tag, LFieldType::String, flags, 0, LFieldType::Int32, {}};
        d.def.text = value;
        return d;
    }
    static constexpr LFieldDesc ArrayOf(uint32_t tag, LFieldType elemType, uint8_t precision = 0,
                                        uint8_t flags = 0)
    {
        LFieldDesc d = Words(tag, LFieldType::Array, flags, precision, 0, 0);
        d.elemType = elemType;
        return d;
    }
    static constexpr LFieldDesc ChildOf(uint32_t tag, uint32_t creator, uint32_t cls, uint8_t flags = 0)
    {
        return Words(tag, LFieldType::Child, flags, 0, creator, cls);
    }
    static constexpr LFieldDesc ListOf(uint32_t tag, uint32_t creator, uint32_t cls, uint8_t flags = 0)
    {
        return Words(tag, LFieldType::List, flags, 0, creator, cls);
    }

private:
    static constexpr LFieldDesc Words(uint32_t tag, LFieldType type, uint8_t flags, uint8_t precision,
                                      uint32_t lo, uint32_t hi)
    {
        LFieldDesc d{tag, type, flags, precision, LFieldType::Int32, {}};
        d.def.w = {lo, hi};
        return d;
    }
};

static_assert(sizeof(LFieldDesc) == 16, "field entries are 16 bytes");
