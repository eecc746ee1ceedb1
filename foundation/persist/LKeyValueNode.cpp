#include "foundation/persist/LKeyValueNode.h"
#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/LStringRef.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/NumberParse.h"
#include "foundation/text/TextTokens.h"

#include <charconv>
#include <limits>

namespace {

// Reads past the rest of a word (up to white space or the end).
void SkipRestOfWord(LCharSource& in)
{
    char c;
    while (in.ReadByte(c)) {
        if (IsSpaceChar(static_cast<unsigned char>(c))) {
            in.Unread();
            return;
        }
    }
}

// Whether a word starts like a number strtod would read.
bool LooksNumeric(const char* word)
{
    if (*word == '+' || *word == '-')
        word++;
    if (IsDigitChar(static_cast<unsigned char>(word[0])))
        return true;
    if (word[0] == '.' && IsDigitChar(static_cast<unsigned char>(word[1])))
        return true;
    auto lower = [](char c) { return char(c | 0x20); };
    return (lower(word[0]) == 'i' && lower(word[1]) == 'n' && lower(word[2]) == 'f') ||
           (lower(word[0]) == 'n' && lower(word[1]) == 'a' && lower(word[2]) == 'n');
}

} // namespace

LKeyValueNode::LKeyValueNode(LKeyValueNode& parent, const char* key) : fStore(&parent)
{
    if (parent.fStore && parent.fHandle == 0)
        return;
    fHandle = GetMode() == kWritable ? OpenOrCreateChild(parent.fHandle, key) : OpenChild(parent.fHandle, key);
}

LKeyValueNode::LKeyValueNode(LKeyValueNode& parent, const char* key, Existing) : fStore(&parent)
{
    if (parent.fStore && parent.fHandle == 0)
        return;
    fHandle = OpenChild(parent.fHandle, key);
}

LKeyValueNode::~LKeyValueNode()
{
    if (fStore && fHandle)
        fStore->CloseNode(fHandle);
}

uint32_t LKeyValueNode::GetMode()
{
    return fStore ? fStore->GetMode() : 0;
}

uint64_t LKeyValueNode::OpenOrCreateChild(uint64_t handle, const char* key)
{
    return fStore ? fStore->OpenOrCreateChild(handle, key) : 0;
}

uint64_t LKeyValueNode::OpenChild(uint64_t handle, const char* key)
{
    return fStore ? fStore->OpenChild(handle, key) : 0;
}

void LKeyValueNode::CloseNode(uint64_t handle)
{
    if (fStore)
        fStore->CloseNode(handle);
}

void LKeyValueNode::Remove(uint64_t handle, const char* key)
{
    if (fStore)
        fStore->Remove(handle, key);
}

bool LKeyValueNode::GetData(uint64_t handle, const char* key, void* buffer, uint32_t* size)
{
    if (fStore)
        return fStore->GetData(handle, key, buffer, size);
    *size = 0;
    return false;
}

bool LKeyValueNode::GetString(uint64_t handle, const char* key, LStringRef* out)
{
    return fStore ? fStore->GetString(handle, key, out) : false;
}

void LKeyValueNode::SetData(uint64_t handle, const char* key, const void* bytes, uint32_t size)
{
    if (fStore)
        fStore->SetData(handle, key, bytes, size);
}

void LKeyValueNode::SetString(uint64_t handle, const char* key, const char* text)
{
    if (fStore)
        fStore->SetString(handle, key, text);
}

void LKeyValueNode::RemoveKey(const char* key)
{
    if (fHandle)
        Remove(fHandle, key);
}

bool LKeyValueNode::GetData(const char* key, void* buffer, uint32_t* size)
{
    if (fHandle)
        return GetData(fHandle, key, buffer, size);
    *size = 0;
    return false;
}

bool LKeyValueNode::GetString(const char* key, LStringRef* out)
{
    return fHandle ? GetString(fHandle, key, out) : false;
}

void LKeyValueNode::SetData(const char* key, const void* bytes, uint32_t size)
{
    if (fHandle)
        SetData(fHandle, key, bytes, size);
}

void LKeyValueNode::SetString(const char* key, const char* text)
{
    if (fHandle)
        SetString(fHandle, key, text);
}

int32_t LKeyValueNode::GetInts(const char* key, int64_t* values, int32_t max)
{
    LStringRef text;
    if (!GetString(key, &text))
        return -1;
    if (max <= 0)
        return 0;
    if (!values)
        max = INT32_MAX;  // only counting
    LMemInStream in(text.Text(), text.Length());
    int32_t count = 0;
    while (count < max) {
        int32_t value = 0;
        if (!ReadLineInt(in, value))
            break;
        if (values)
            values[count] = value;
        count++;
        char next;
        if (in.ReadByte(next)) {
            if (next == '.')
                SkipRestOfWord(in);
            else
                in.Unread();
        }
    }
    return count;
}

int32_t LKeyValueNode::GetDoubles(const char* key, double* values, int32_t max)
{
    LStringRef text;
    if (!GetString(key, &text))
        return -1;
    LMemInStream in(text.Text(), text.Length());
    LStrStream word;
    int32_t count = 0;
    while (count < max) {
        word.Clear();
        if (!ReadLineWord(in, word) || !LooksNumeric(word.CStr()))
            break;
        if (values)
            values[count] = StrToDouble(word.CStr());
        count++;
    }
    return count;
}

void LKeyValueNode::SetInts(const char* key, const int64_t* values, int32_t n)
{
    LStrStream text;
    for (int32_t i = 0; i < n; ++i) {
        WriteLong(values[i], text);
        text.PutChar(' ');
    }
    SetString(key, text.CStr());
}

void LKeyValueNode::SetDoubles(const char* key, const double* values, int32_t n)
{
    LStrStream text;
    for (int32_t i = 0; i < n; ++i) {
        // Shortest "%g" form with six significant digits, always with '.' as the point.
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, values[i], std::chars_format::general, 6);
        text.Write(buffer, ec == std::errc() ? uint32_t(end - buffer) : 0);
        text.PutChar(' ');
    }
    SetString(key, text.CStr());
}

int64_t LKeyValueNode::GetInt(const char* key, int64_t defaultValue)
{
    int64_t value = defaultValue;
    GetInts(key, &value, 1);
    return value;
}

void LKeyValueNode::SetInt(const char* key, int64_t value)
{
    SetInts(key, &value, 1);
}

void MakeIndexedKey(LStrStream& out, const char* prefix, uint32_t n)
{
    out.Clear();
    out.Write(prefix ? prefix : "");
    WriteLong(n, out);
}
