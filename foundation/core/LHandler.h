#pragma once
#include "foundation/core/LMessage.h"

// Base of every object that receives messages. A message climbs from handler to parent
// until one consumes it or turns it into another message.
class LHandler {
public:
    // Type word of the message sent while a handler goes away.
    static const char* msgDestructing;

    explicit LHandler(LHandler* parent = nullptr) noexcept : fParent(parent) {}
    // Sends {"LHandler_Destructing", this, parent} so that handlers up the chain drop
    // their pointers to this one.
    virtual ~LHandler();
    LHandler(const LHandler&) = delete;
    LHandler& operator=(const LHandler&) = delete;

    // Returns in `result` the message to pass on. The default passes `msg` to the parent,
    // or to the message's subject when this handler has no parent.
    virtual void HandleMessage(LMessage& result, const LMessage& msg);

    LHandler* Parent() const noexcept { return fParent; }
    void SetParent(LHandler* parent) noexcept { fParent = parent; }

    // True when `target` is `top`, or when the walk up from `from` (itself first) meets
    // `target` before `top` or the end of the chain.
    static bool IsOnChain(const LHandler* top, const LHandler* from, const LHandler* target) noexcept;

private:
    LHandler* fParent;
};
