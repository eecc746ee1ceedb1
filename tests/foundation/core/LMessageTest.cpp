#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>
#include <vector>

namespace {

// A handler that logs every message it is offered and answers as it was told to.
class Scripted : public LHandler {
public:
    enum class Reply { Default, Consume, Translate, RedirectTo, NullRecipient };

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
        case Reply::Default: LHandler::HandleMessage(result, msg); break;
        case Reply::Consume: LMessage::Clear(result); break;
        case Reply::Translate: LMessage::Make(result, fNewType, this, Parent()); break;
        case Reply::RedirectTo: LMessage::Redirect(result, msg, fTarget); break;
        case Reply::NullRecipient: LMessage::Redirect(result, msg, nullptr); break;
        }
    }

    void Answer(const char* onType, Reply answer, const char* newType = nullptr, LHandler* target = nullptr)
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
    Reply fAnswer = Reply::Default;
    const char* fNewType = nullptr;
    LHandler* fTarget = nullptr;
};

using Log = std::vector<std::string>;

// A chain Top <- Mid <- Leaf and a parentless Side, all logging what they are offered.
struct Chain {
    Scripted* Named(char c)
    {
        switch (c) {
        case 'T': return &top;
        case 'M': return &mid;
        case 'L': return &leaf;
        case 'S': return &side;
        default: return nullptr;
        }
    }
    Log log;
    Scripted top{log, "Top"};
    Scripted mid{log, "Mid", &top};
    Scripted leaf{log, "Leaf", &mid};
    Scripted side{log, "Side"};
};

// Its own buffer: the same type text at another address.
const char kSameType[] = "X_Ping";

// A handler whose LHandler part is not at the start of the object.
class SecondBase : public SSLink, public Scripted {
public:
    SecondBase(Log& log, const char* name, LHandler* parent = nullptr) : Scripted(log, name, parent) {}
};

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

TEST(LMessageSend, RoutesByAnswerAndEndsAtTheSubject)
{
    using A = Scripted::Reply;
    struct Case {
        char subject, recipient, answerer;  // T, M, L, S or '-' for none
        A answer;
        const char* newType;
        char target;
        Log expected;
    };
    const Case cases[] = {
        {'-', 'M', '-', A::Default, nullptr, '-', {}},  // null subject calls no handler
        {'L', '-', '-', A::Default, nullptr, '-', {}},  // null recipient calls no handler
        // Unconsumed, it goes back to its subject once.
        {'M', 'T', '-', A::Default, nullptr, '-', {"Top:X_Ping", "Mid:X_Ping"}},
        {'L', 'M', '-', A::Default, nullptr, '-', {"Mid:X_Ping", "Top:X_Ping", "Leaf:X_Ping"}},
        // Offered to the subject itself, a message passed on unchanged goes no further.
        {'L', 'L', '-', A::Default, nullptr, '-', {"Leaf:X_Ping"}},
        {'T', 'T', '-', A::Default, nullptr, '-', {"Top:X_Ping"}},
        {'L', 'M', 'M', A::Consume, nullptr, '-', {"Mid:X_Ping"}},
        {'L', 'M', 'M', A::NullRecipient, nullptr, '-', {"Mid:X_Ping"}},
        // Mid's new message climbs to the top and comes back to Mid, its subject, once.
        {'L', 'M', 'M', A::Translate, "Mid_Pong", '-', {"Mid:X_Ping", "Top:Mid_Pong", "Mid:Mid_Pong"}},
        // The subject hands its own message on with an equal type text in another buffer.
        {'L', 'L', 'L', A::Translate, kSameType, '-', {"Leaf:X_Ping"}},
        // Same type and subject under a new recipient: the send goes on. Side has no parent and
        // hands the message to its subject, which declines it and so ends the send.
        {'L', 'M', 'M', A::RedirectTo, nullptr, 'S', {"Mid:X_Ping", "Side:X_Ping", "Leaf:X_Ping"}},
    };
    for (const Case& c : cases) {
        Chain chain;
        if (Scripted* answerer = chain.Named(c.answerer))
            answerer->Answer("X_Ping", c.answer, c.newType, chain.Named(c.target));
        LMessage::Send(LMessage("X_Ping", chain.Named(c.subject), chain.Named(c.recipient)));
        EXPECT_EQ(chain.log, c.expected) << c.subject << "->" << c.recipient << " answer " << int(c.answer);
    }
}

TEST(LMessageSend, SubjectWithHandlerAsSecondBaseIsReachedAtTheTop)
{
    Chain chain;
    SecondBase other(chain.log, "Other", &chain.top);
    const LMessage msg("X_Ping", &other, &chain.top);
    EXPECT_TRUE(msg.subject == &other);
    LMessage::Send(msg);
    EXPECT_EQ(chain.log, (Log{"Top:X_Ping", "Other:X_Ping"}));
}

TEST(LHandler, DestructorAnnouncesItselfTheDefaultPassesOnAndIsOnChainWalksTheChain)
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

    LHandler top;
    LHandler child(&top);
    LMessage result;
    child.HandleMessage(result, LMessage("X_Ping", &child, &child));
    EXPECT_EQ(result.recipient, &top);
    top.HandleMessage(result, LMessage("X_Ping", &child, &top));
    EXPECT_EQ(std::tuple(result.recipient, result.subject, std::string(result.type)),
              std::tuple(static_cast<LHandler*>(&child), static_cast<LHandler*>(&child), std::string("X_Ping")));

    LHandler root;
    LHandler upper(&root);
    LHandler mid(&upper);
    LHandler leaf(&mid);
    LHandler stranger;
    // From the start itself first; a target that is the top counts; stop at the top or the end.
    const std::tuple<LHandler*, LHandler*, LHandler*, bool> cases[] = {{&upper, &leaf, &mid, true},
        {&upper, &leaf, &leaf, true}, {&upper, &leaf, &upper, true}, {&stranger, &leaf, &stranger, true},
        {&upper, &leaf, &root, false}, {&upper, &leaf, nullptr, false}, {nullptr, &leaf, &stranger, false},
        {&upper, nullptr, &mid, false}, {nullptr, &leaf, &root, true}};
    for (const auto& c : cases)
        EXPECT_EQ(LHandler::IsOnChain(std::get<0>(c), std::get<1>(c), std::get<2>(c)), std::get<3>(c)) << "case " << &c - cases;
    leaf.SetParent(nullptr);
    mid.SetParent(nullptr);
    upper.SetParent(nullptr);
}
