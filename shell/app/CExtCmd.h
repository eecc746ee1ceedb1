#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"
#include "shell/app/CPathArray.h"

class LAEDesc;

// A request from outside the program: files to open ("CExtCmd_Open") or an event of the
// system with its reply ("CExtCmd_AE"). It is the subject of its message and lives for one
// send. It has no parent.
class CExtCmd : public LHandler {
public:
    static const char* msgOpen; // "CExtCmd_Open"
    static const char* msgAE;   // "CExtCmd_AE"

    explicit CExtCmd(const LStringRef& command);

    // "CExtCmd_AE" coming back to the command itself ends its send: the flag clears.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // The path at index and true, or false past the end.
    bool GetPath(uint32_t index, LStringRef& path) const;
    CPathArray& Paths() { return fPaths; }
    const LStringRef& Command() const { return fCommand; }

    LAEDesc* event = nullptr; // not owned
    LAEDesc* reply = nullptr; // not owned
    uint8_t flag = 0;         // set while "CExtCmd_AE" climbs

private:
    LStringRef fCommand;
    CPathArray fPaths;
};
