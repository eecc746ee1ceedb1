#pragma once
#include "ui/layout/LLayoutTarget.h"
#include "ui/layout/LScript.h"

#include <string>

class LStrListRef;

// The compiled-script layout engine of a frame: joins the script prelude and the frame's three
// layout texts into one source, compiles it and runs its top level once; the frame then runs
// "PREF" (preferred size) and "LAYO" (placement), and may call "PREFH" where a layout defines it.
class LLayoutScript : public LScript {
public:
    explicit LLayoutScript(const LLayoutPaneList* children);

    // Assembles, compiles and runs the top level. Items missing from the list read as empty.
    void Load(const LStrListRef& texts);
    // Stores the context and runs "PREF"; false when the call fails.
    bool RunPref(LPaneContext* context);
    // Stores the context and runs "LAYO".
    void RunLayout(LPaneContext* context);

    const CLRect& LayoutRect() const { return fTarget.LayoutRect(); }
    void SetLayoutRect(const CLRect& rect) { fTarget.SetLayoutRect(rect); }
    // The error report of the last compilation ("Error: <name>, Line <n>, Char <n>\n"), or empty.
    const std::string& ErrorReport() const { return fErrorReport; }

protected:
    void RegisterBuiltins() override;

private:
    int32_t Sys(const int32_t* args, uint32_t count);
    int32_t PlacePane(const int32_t* args, uint32_t count);
    int32_t Shown(const int32_t* args, uint32_t count);
    int32_t PrefWidth(const int32_t* args, uint32_t count);
    int32_t PrefHeight(const int32_t* args, uint32_t count);
    int32_t Width(const int32_t* args, uint32_t count);
    int32_t Height(const int32_t* args, uint32_t count);
    int32_t Left(const int32_t* args, uint32_t count);
    int32_t Top(const int32_t* args, uint32_t count);
    int32_t Right(const int32_t* args, uint32_t count);
    int32_t Bottom(const int32_t* args, uint32_t count);
    int32_t Sqrt(const int32_t* args, uint32_t count);

    LLayoutTarget fTarget;
    std::string fErrorReport;
};
