#pragma once
#include "tests/shell/app/AppBaseKit.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Runs dialogs under the application base and answers them as the user would: at the first
// modal step, once the dialog is on screen, the keys typed and then Return or Escape.
class DialogAnswerTest : public AppBaseTest {
protected:
    // A person at the keyboard while the dialog runs, one part per modal step: each key goes
    // down, 40 ms later up, and 80 ms pass before the next; a look runs between keys. After
    // the last part the steps only let time pass.
    struct Part {
        std::string characters;
        uint16_t keyCode = 0;
        uint32_t modifiers = 0;
        std::function<void()> look;
    };
    static Part Key(std::string characters, uint16_t keyCode, uint32_t modifiers = 0)
    {
        return Part{std::move(characters), keyCode, modifiers, {}};
    }
    static Part Look(std::function<void()> look) { return Part{{}, 0, 0, std::move(look)}; }
    // Runs modal steps of the dialog until one ends it; 0 when none did within the limit.
    static int32_t StepUntilDone(LModalDialog& dialog, int limit = 60)
    {
        for (int i = 0; i < limit; ++i)
            if (const int32_t code = dialog.ModalStep(100); code != 0)
                return code;
        return 0;
    }
    void PlayKeys(std::vector<Part> parts)
    {
        auto steps = std::make_shared<std::deque<std::function<void()>>>();
        for (Part& part : parts) {
            if (part.look) {
                steps->push_back([this, look = part.look] { look(); Nudge(1); });
                continue;
            }
            steps->push_back([this, part] {
                fDriver.PostKey(plat::EventType::KeyDown, part.characters, part.keyCode, part.modifiers);
                Nudge(40);
            });
            steps->push_back([this, part] {
                fDriver.PostKey(plat::EventType::KeyUp, part.characters, part.keyCode, part.modifiers);
                Nudge(80);
            });
        }
        app->modalSteps = 0;
        app->onModalStep = [this, steps](LModalDialog&) {
            if (steps->empty()) {
                Nudge(100);
                return;
            }
            auto step = std::move(steps->front());
            steps->pop_front();
            step();
        };
    }

    void Answer(const std::string& typed, bool ok)
    {
        app->modalSteps = 0;
        app->onModalStep = [this, typed, ok](LModalDialog&) {
            if (app->modalSteps != 1) {
                Nudge(100);
                return;
            }
            for (char c : typed)
                PostKey(std::string(1, c), 0);
            // An edited value field takes the first Return to fix its value; the next is the dialog's.
            if (ok && !typed.empty())
                PressReturn();
            ok ? PressReturn() : PressEscape();
        };
    }
};
