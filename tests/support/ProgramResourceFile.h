#pragma once
#include "platform/resources/ResourceFile.h"
#include "shell/resources/LResFileSource.h"

#include <memory>

// The resource file packed beside the test program, open for the lifetime of the object,
// with a resource source over it. The file that was current stays current.
class ProgramResourceFile {
public:
    ProgramResourceFile()
    {
        plat::ResourceStatus status;
        const int saved = plat::CurrentResourceFile();
        fRef = plat::OpenResourceFile(plat::ProgramResourcePath(), &status);
        plat::UseResourceFile(saved);
        fSource = std::make_unique<LResFileSource>(fRef);
    }
    ~ProgramResourceFile()
    {
        fSource.reset();
        plat::CloseResourceFile(fRef);
    }
    ProgramResourceFile(const ProgramResourceFile&) = delete;
    ProgramResourceFile& operator=(const ProgramResourceFile&) = delete;

    LResFileSource& Source() const { return *fSource; }
    int Ref() const { return fRef; }

private:
    int fRef = 0;
    std::unique_ptr<LResFileSource> fSource;
};
