#pragma once
#include "platform/Shared.h"

// A shared platform object that counts its destruction, for tests of holders.
class SharedProbe final : public plat::Shared {
public:
    explicit SharedProbe(int* gone) : fGone(gone) {}

private:
    ~SharedProbe() override { ++*fGone; }

    int* fGone;
};
