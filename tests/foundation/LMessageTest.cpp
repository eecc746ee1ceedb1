#include "foundation/LHandler.h"
#include "foundation/LMessage.h"
#include "foundation/StrEqual.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gLog;

// Logs every message it is offered, then behaves as the default handler.
class Recorder : public LHandler {
public:
    Recorder(const char* name, LHandler* parent = nullptr) : LHandler(parent), fName(name) {}
    ~Recorder() override { SetParent(nullptr); }
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        gLog.push_back(fName + ":" + msg.type);
        LHandler::HandleMessage(result, msg);
    }

private:
    std::string fName;
};

} // namespace

TEST(LMessage, TopOfChainHandsBackToSubjectOnce)
{
    gLog.clear();
    Recorder p("P");
    Recorder s("S", &p);
    LMessage::Send(LMessage("X_Ping", &s, &p));
    EXPECT_EQ(gLog, (std::vector<std::string>{"P:X_Ping", "S:X_Ping"}));
}

TEST(LMessage, NullSubjectCallsNoHandler)
{
    gLog.clear();
    Recorder p("P");
    LMessage::Send(LMessage("X_Ping", nullptr, &p));
    EXPECT_TRUE(gLog.empty());
}
