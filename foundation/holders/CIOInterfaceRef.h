#pragma once
#include "foundation/holders/CCFRef.h"

// Holder of one device plug-in interface. Device interfaces are shared platform objects, so
// the holder adds a reference on Assign and releases its own when reset or destroyed.
class CIOInterfaceRef : public CCFRef {
public:
    using CCFRef::CCFRef;
};
