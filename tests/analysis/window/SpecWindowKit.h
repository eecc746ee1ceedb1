#pragma once
// A document window under test: a temporary home, the shipped resources and layout prelude,
// the headless window system with an application base that answers dialogs as the user
// would, a step queue playing the dispatch thread, and the application's preferences.
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/CSpecWindow.h"
#include "foundation/records/LObject.h"
#include "sources/CSampleSrc.h"
#include "tests/controls/DialogAnswerKit.h"
#include "tests/support/StepQueue.h"
#include "tests/support/TempHome.h"
#include "ui/layout/LFormulaLayout.h"
#include "tests/support/MenuCommand.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

// A source that hands out scripted frames and text events, one per Read.
class ScriptedSource : public CSampleSrc {
public:
    struct Step {
        std::vector<float> frame;  // empty: a text event
        std::string text;
    };
    explicit ScriptedSource(LHandler* parent) : CSampleSrc(parent) {}
    int32_t Read(float frame[], uint32_t max) override
    {
        if (steps.empty())
            return 0;
        Step step = steps.front();
        steps.pop_front();
        if (step.frame.empty()) {
            fText = step.text;
            return -1;
        }
        const uint32_t n = std::min<uint32_t>(max, uint32_t(step.frame.size()));
        std::copy(step.frame.begin(), step.frame.begin() + n, frame);
        return int32_t(n);
    }
    LStringRef TakeText() override
    {
        LStringRef text(fText);
        fText.clear();
        return text;
    }
    uint32_t SampleRate() const override { return rate; }
    float FcRatio() const override { return 0.5f; }
    LStringRef TypeName() const override { return LStringRef(typeName); }
    float PositionSeconds() const override { return 0.0f; }
    void RecordText(const char* text) override { recorded.emplace_back(text); }

    std::deque<Step> steps;
    uint32_t rate = 1000;
    std::string typeName = "EEG";
    std::vector<std::string> recorded;

private:
    std::string fText;
};

class SpecWindowTest : public DialogAnswerTest {
protected:
    SpecWindowTest()
    {
        LFormulaLayout first(nullptr, nullptr);  // fills the process-wide prelude store
        record = prefs.AddDocument();
    }
    ~SpecWindowTest() override { window.reset(); }

    CSpecWindow& Make()
    {
        window = std::make_unique<CSpecWindow>(app.get(), queue, record, nullptr);
        return *window;
    }
    // Makes `source` the window's current source, as the chooser does for a live one.
    ScriptedSource& UseScripted()
    {
        auto source = std::make_unique<ScriptedSource>(window.get());
        ScriptedSource& ref = *source;
        window->SetLiveSource(std::move(source));
        window->UseLiveSource();
        return ref;
    }
    // Chooses a menu command with its parameter as the menu bar sends it.
    void Command(const char* command, const char* param = "") { ChooseCommand(window.get(), command, param); }
    LObject* Common() const { return window->Document().Common(); }
    // The newest n samples of a channel's ring, oldest first.
    std::vector<float> Newest(uint32_t channel, uint32_t n) const
    {
        const CSpectrumChan& chan = *window->Analyser().Channel(channel);
        std::vector<float> out;
        for (uint32_t i = n; i > 0; --i)
            out.push_back(chan.ring[(chan.writeIndex - i) & chan.mask]);
        return out;
    }
    LObject* View() const { return prefs.Root()->GetChild(kPrefComn); }

    TempHome home;
    StepQueue queue;
    CAppPrefs prefs;
    LObject* record = nullptr;
    std::unique_ptr<CSpecWindow> window;
};
