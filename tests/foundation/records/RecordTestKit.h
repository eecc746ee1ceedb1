#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LMessage.h"
#include "foundation/records/LClassDesc.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A small schema used by the record tests (creator 'TEST').
//
// 'ROOT': 0 'ival' i32 (7), 1 'uval' u32, 2 'byte' byte, 3 'flt ' float (1.5, 2 decimals),
//         4 'name' text ("abc"), 5 'ints' i32 array, 6 'txts' text array, 7 'kids' list of ITEM,
//         8 'one ' child ITEM, 9 untagged u32, 10 'quie' silent i32, 11 'bytz' byte array,
//         12 'flts' float array, 13 'opt ' child ITEM on demand, 14 'mute' silent list of ITEM,
//         15 untagged child ITEM
// 'ITEM': 0 'val ' i32, 1 'txt ' text, 2 'subs' list of ITEM, 3 'arr ' u32 array
struct RootF {
    enum : uint8_t { ival, uval, byte, flt, name, ints, txts, kids, one, memo, quiet, bytz, flts, opt, mute, hidden };
};
struct ItemF {
    enum : uint8_t { val, txt, subs, arr };
};

const LClassDesc* RootClass();
const LClassDesc* ItemClass();

LObjectPtr MakeItem(int32_t value, const char* text = "");

// A 'ROOT' record with every kind of field away from its default: numbers, texts (one with
// line ends), every array type, a list of two items (one with a nested list), a child, an
// on-demand child and an untagged value.
LObjectPtr MakeRichRoot();

// Every field of a record tree as text, so two trees compare by their dumps.
std::string Dump(const LObject* record);

// One notice as an observer saw it.
struct SeenNotice {
    LObjOp op;
    uint8_t field;
    int32_t index;
    int32_t index2;
    const LObject* record;
    const LHandler* context;
};

// Calls a function with every notice of a tree while it lives.
class ScopedObserver {
public:
    ScopedObserver(LObjRoot& holder, std::function<void(LObjChange&)> onNotice);
    ~ScopedObserver();
    ScopedObserver(const ScopedObserver&) = delete;
    ScopedObserver& operator=(const ScopedObserver&) = delete;

private:
    static void Observe(void* context, LObjChange& notice);
    LObjRoot& fHolder;
    std::function<void(LObjChange&)> fOnNotice;
};

// Observer that keeps every notice of a tree.
class NoticeLog {
public:
    explicit NoticeLog(LObjRoot& holder);
    std::vector<SeenNotice> notices;
    std::vector<LObjOp> Ops() const;
    void Clear() { notices.clear(); }

private:
    ScopedObserver fObserver;
};

// A handler that consumes nothing: the context of edits in tests.
class PlainHandler : public LHandler {
public:
    using LHandler::LHandler;
};
