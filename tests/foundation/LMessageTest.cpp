#include "foundation/LHandler.h"
#include "foundation/LList.h"
#include "foundation/LMessage.h"
#include "foundation/StrEqual.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A handler that logs every message it is offered and answers as it was told to.
class Scripted : public LHandler {
public:
    enum class Answer { Default, Consume, Translate, RedirectTo, NullRecipient };

    Scripted(std::vector<std::string>& log, const char* name, LHandler* parent = nullptr)
        : LHandler(parent), fLog(log), fName(name)
    {
    }
    ~Scripted() override { SetParent(nullptr); }   // keep teardown out of the logs

    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        fLog.push_back(fName + ":" + (msg.type ? msg.type : "(null)"));
        if (!StrEqual(msg.type, fOnType)) {
            LHandler::HandleMessage(result, msg);
            return;
        }
        switch (fAnswer) {
        case Answer::Default: LHandler::HandleMessage(result, msg); break;
        case Answer::Consume: LMessage::Clear(result); break;
        case Answer::Translate: LMessage::Make(result, fNewType, this, Parent()); break;
        case Answer::RedirectTo: LMessage::Redirect(result, msg, fTarget); break;
        case Answer::NullRecipient: LMessage::Redirect(result, msg, nullptr); break;
        }
    }

    void Answer(const char* onType, enum Answer answer, const char* newType = nullptr, LHandler* target = nullptr)
    {
        fOnType = onType;
        fAnswer = answer;
        fNewType = newType;
        fTarget = target;
    }

private:
    std::vector<std::string>& fLog;
    std::string fName;
    const char* fOnType = nullptr;
    enum Answer fAnswer = Answer::Default;
    const char* fNewType = nullptr;
    LHandler* fTarget = nullptr;
};

using Log = std::vector<std::string>;

} // namespace

// A chain Top <- Mid <- Leaf and a parentless Side, all logging what they are offered.
class LMessageSend : public testing::Test {
protected:
    Log log;
    Scripted top{log, "Top"};
    Scripted mid{log, "Mid", &top};
    Scripted leaf{log, "Leaf", &mid};
    Scripted side{log, "Side"};
};

TEST_F(LMessageSend, NullSubjectCallsNoHandler)
{
    LMessage::Send(LMessage("X_Ping", nullptr, &mid));
    EXPECT_TRUE(log.empty());
}

TEST_F(LMessageSend, NullRecipientCallsNoHandler)
{
    LMessage::Send(LMessage("X_Ping", &leaf, nullptr));
    EXPECT_TRUE(log.empty());
}

TEST_F(LMessageSend, UnconsumedMessageGoesBackToSubjectOnce)
{
    leaf.SetParent(&top);
    LMessage::Send(LMessage("X_Ping", &leaf, &top));
    EXPECT_EQ(log, (Log{"Top:X_Ping", "Leaf:X_Ping"}));
}

TEST_F(LMessageSend, ClimbsWholeChainThenSubject)
{
    LMessage::Send(LMessage("X_Ping", &leaf, &mid));
    EXPECT_EQ(log, (Log{"Mid:X_Ping", "Top:X_Ping", "Leaf:X_Ping"}));
}

TEST_F(LMessageSend, SubjectDecliningItsOwnMessageEndsTheSend)
{
    // Offered to the subject itself, a message the subject passes on unchanged goes no further.
    LMessage::Send(LMessage("X_Ping", &leaf, &leaf));
    EXPECT_EQ(log, (Log{"Leaf:X_Ping"}));
}

TEST_F(LMessageSend, TopHandlerAsSubjectIsOfferedOnce)
{
    LMessage::Send(LMessage("X_Ping", &top, &top));
    EXPECT_EQ(log, (Log{"Top:X_Ping"}));
}

TEST_F(LMessageSend, ConsumedMessageStopsTheSend)
{
    mid.Answer("X_Ping", Scripted::Answer::Consume);
    LMessage::Send(LMessage("X_Ping", &leaf, &mid));
    EXPECT_EQ(log, (Log{"Mid:X_Ping"}));
}

TEST_F(LMessageSend, NullRecipientResultStopsTheSend)
{
    mid.Answer("X_Ping", Scripted::Answer::NullRecipient);
    LMessage::Send(LMessage("X_Ping", &leaf, &mid));
    EXPECT_EQ(log, (Log{"Mid:X_Ping"}));
}

TEST_F(LMessageSend, TranslatedMessageContinuesAtNewRecipient)
{
    mid.Answer("X_Ping", Scripted::Answer::Translate, "Mid_Pong");
    LMessage::Send(LMessage("X_Ping", &leaf, &mid));
    // Mid's new message climbs to the top and comes back to Mid, its subject, once.
    EXPECT_EQ(log, (Log{"Mid:X_Ping", "Top:Mid_Pong", "Mid:Mid_Pong"}));
}

TEST_F(LMessageSend, SameTypeAndSubjectTranslatedBySubjectEnds)
{
    // The subject hands its own message on with an equal type text in another buffer.
    const std::string sameText = "X_Ping";
    leaf.Answer("X_Ping", Scripted::Answer::Translate, sameText.c_str());
    LMessage::Send(LMessage("X_Ping", &leaf, &leaf));
    EXPECT_EQ(log, (Log{"Leaf:X_Ping"}));
}

TEST_F(LMessageSend, RedirectBySomeoneElseKeepsGoing)
{
    mid.Answer("X_Ping", Scripted::Answer::RedirectTo, nullptr, &side);
    LMessage::Send(LMessage("X_Ping", &leaf, &mid));
    // Same type and subject under a new recipient: the send goes on. Side has no parent and
    // hands the message to its subject, which declines it and so ends the send.
    EXPECT_EQ(log, (Log{"Mid:X_Ping", "Side:X_Ping", "Leaf:X_Ping"}));
}

namespace {

// A handler whose LHandler part is not at the start of the object.
class SecondBase : public SSLink, public Scripted {
public:
    SecondBase(Log& log, const char* name, LHandler* parent = nullptr) : Scripted(log, name, parent) {}
};

} // namespace

TEST_F(LMessageSend, SubjectWithHandlerAsSecondBaseIsReachedAtTheTop)
{
    SecondBase other(log, "Other", &top);
    const LMessage msg("X_Ping", &other, &top);
    EXPECT_TRUE(msg.subject == &other);
    LMessage::Send(msg);
    EXPECT_EQ(log, (Log{"Top:X_Ping", "Other:X_Ping"}));
}

namespace {

// Drops its pointer to a child when the child announces that it goes.
class Parent : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (msg.subject == child && StrEqual(msg.type, "LHandler_Destructing")) {
            child = nullptr;
            ++seen;
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    LHandler* child = nullptr;
    int seen = 0;
};

} // namespace

TEST(LHandler, DestructorAnnouncesItselfToParent)
{
    Parent parent;
    {
        auto* child = new LHandler(&parent);
        parent.child = child;
        delete child;
    }
    EXPECT_EQ(parent.child, nullptr);
    EXPECT_EQ(parent.seen, 1);
    EXPECT_STREQ(LHandler::msgDestructing, "LHandler_Destructing");
}

TEST(LHandler, DefaultPassesToParentOrSubject)
{
    LHandler top;
    LHandler child(&top);
    LMessage result;
    child.HandleMessage(result, LMessage("X_Ping", &child, &child));
    EXPECT_EQ(result.recipient, &top);
    top.HandleMessage(result, LMessage("X_Ping", &child, &top));
    EXPECT_EQ(result.recipient, &child);
    EXPECT_EQ(result.subject, &child);
    EXPECT_STREQ(result.type, "X_Ping");
}

TEST(LHandler, IsOnChain)
{
    LHandler root;
    LHandler top(&root);
    LHandler mid(&top);
    LHandler leaf(&mid);
    LHandler stranger;
    EXPECT_TRUE(LHandler::IsOnChain(&top, &leaf, &mid));
    EXPECT_TRUE(LHandler::IsOnChain(&top, &leaf, &leaf));       // from itself first
    EXPECT_TRUE(LHandler::IsOnChain(&top, &leaf, &top));
    EXPECT_TRUE(LHandler::IsOnChain(&stranger, &leaf, &stranger)); // target is top
    EXPECT_FALSE(LHandler::IsOnChain(&top, &leaf, &root));      // top came first
    EXPECT_FALSE(LHandler::IsOnChain(&top, &leaf, nullptr));
    EXPECT_FALSE(LHandler::IsOnChain(nullptr, &leaf, &stranger)); // end came first
    EXPECT_FALSE(LHandler::IsOnChain(&top, nullptr, &mid));
    EXPECT_TRUE(LHandler::IsOnChain(nullptr, &leaf, &root));
    leaf.SetParent(nullptr);
    mid.SetParent(nullptr);
    top.SetParent(nullptr);
}
