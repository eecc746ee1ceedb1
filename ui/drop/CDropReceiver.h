#pragma once
#include <cstdint>

class LDrop;
class LPane;
struct LMessage;
namespace plat {
class Window;
}

// Sorts the drag messages for a pane that handles drops itself, and keeps the pane's window
// registered for drags while it lives.
class CDropReceiver {
public:
    enum Phase : uint32_t { kOther = 0, kSense = 1, kEnter = 2, kLeave = 3, kDrag = 4, kDrop = 5 };

    explicit CDropReceiver(LPane* pane);
    virtual ~CDropReceiver();
    CDropReceiver(const CDropReceiver&) = delete;
    CDropReceiver& operator=(const CDropReceiver&) = delete;

    // The phase of a message: sensing makes the pane the drag's target; entering remembers
    // the drag, leaving forgets it; a drag step or drop without a remembered drag is kOther.
    uint32_t Classify(const LMessage& msg);
    // Passes the accept kind to the current drag.
    void SetAccept(int32_t kind);
    LDrop* CurrentDrag() const { return fDrag; }
    LPane* Pane() const { return fPane; }

private:
    LPane* fPane;
    LDrop* fDrag = nullptr;
    plat::Window* fWindow;
};
