#include "foundation/core/LByteBuffer.h"

#include <utility>

LByteBuffer::LByteBuffer(uint32_t initialSize) noexcept
{
    Bind();
    if (initialSize)
        (void)fStore.Resize(initialSize, false);
}

LByteBuffer::LByteBuffer(LByteBuffer&& other) noexcept
{
    Bind();
    std::swap(fSize, other.fSize);
    std::swap(fData, other.fData);
}

LByteBuffer& LByteBuffer::operator=(LByteBuffer&& other) noexcept
{
    if (this != &other) {
        fStore.Free();
        std::swap(fSize, other.fSize);
        std::swap(fData, other.fData);
    }
    return *this;
}

LByteBuffer::~LByteBuffer()
{
    fStore.Free();
}

void LByteBuffer::Bind() noexcept
{
    (void)fStore.Init(&fData, &fSize, 1);
}
