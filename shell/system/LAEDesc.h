#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// A descriptor of an event sent to the program from outside, or of its reply: a type code
// and its data. The holder either owns the data or only borrows a descriptor that another
// part of the program keeps, and disposes only what it owns.
struct AEDescriptor {
    uint32_t descriptorType = 0;
    std::vector<uint8_t>* dataHandle = nullptr;
};

class LAEDesc {
public:
    static constexpr uint32_t kTypeNull = 0x6E756C6C;   // 'null'
    static constexpr uint32_t kTypeRecord = 0x7265636F; // 'reco'

    LAEDesc() { InitNull(); }
    ~LAEDesc() { Dispose(); }
    LAEDesc(const LAEDesc&) = delete;
    LAEDesc& operator=(const LAEDesc&) = delete;

    // Type 'null', no data, not borrowed.
    void InitNull();
    // With null: owns a new empty record. With a descriptor: borrows its type and data.
    void InitList(const AEDescriptor* descriptor);
    // Frees the data it owns; a borrowed descriptor is only let go. Leaves the holder null.
    void Dispose();

    const AEDescriptor& Descriptor() const { return fDesc; }
    bool Borrowed() const { return fBorrowed != 0; }

private:
    AEDescriptor fDesc;
    uint8_t fBorrowed = 0;
    std::unique_ptr<std::vector<uint8_t>> fOwned;
};
