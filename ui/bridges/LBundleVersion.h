#pragma once
#include "foundation/core/LStringRef.h"

// The version text of a bundle (a folder with an information file), for the About box. Empty
// when the bundle, its information file or the version entry is missing.
class LBundleVersion {
public:
    // fileSpec: the bundle folder's file location (or a POSIX path).
    explicit LBundleVersion(const LStringRef& fileSpec);
    const LStringRef& GetText() const { return fText; }

private:
    LStringRef fText;
};
