#pragma once
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"

// The control of type T that a message of the given type is about; null when the message has
// another type or is about something else.
template <class T>
T* ControlOf(const LMessage& msg, const char* type)
{
    if (!StrEqual(msg.type, type))
        return nullptr;
    return dynamic_cast<T*>(msg.subject);
}
