#pragma once
#include "tests/support/ProgramResourceFile.h"
#include "ui/layout/LFormulaLayout.h"

#include <gtest/gtest.h>

#include <memory>

// The packed resource file installed as the global resource source, with the process-wide
// layout prelude filled from it; the source that was global before comes back at the end.
class InstalledResources {
public:
    InstalledResources()
    {
        LResourceSource::SetGlobal(&fFile.Source());
        LFormulaLayout first(nullptr, nullptr); // fills the process-wide prelude store
    }
    ~InstalledResources() { LResourceSource::SetGlobal(fPrevious); }
    int Ref() const { return fFile.Ref(); }

private:
    LResourceSource* fPrevious = LResourceSource::Global();
    ProgramResourceFile fFile;
};

// A suite whose tests run with the resources installed once for them all.
class InstalledResourcesSuite : public testing::Test {
protected:
    static void SetUpTestSuite() { sResources = std::make_unique<InstalledResources>(); }
    static void TearDownTestSuite() { sResources.reset(); }
    static inline std::unique_ptr<InstalledResources> sResources;
};
