#include "tests/outputs/FaderEngineFixture.h"

// Out of line, away from the suite that replaces the global operator new.
CFaderEngine& FaderEngineFixture::Engine()
{
    if (!engine) {
        CFaderEngineLinks links;
        links.midiOut = midi.Port();
        links.soundMaker = [](void* context) -> std::unique_ptr<CFaderSoundLink> {
            auto sound = std::make_unique<FaderTestSound>();
            static_cast<FaderEngineFixture*>(context)->sounds.push_back(sound.get());
            return sound;
        };
        links.soundContext = this;
        engine = std::make_unique<CFaderEngine>(queue, &dmx, document, std::move(links));
    }
    return *engine;
}
