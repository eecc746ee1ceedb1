#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace plat {

// A font as the font panel shows and reports it.
struct FontChoice {
    std::string name;     // face name ("DejaVuSans-Bold")
    std::string family;   // family name ("DejaVu Sans")
    double size = 12.0;
    bool bold = false;
    bool italic = false;
};

// The model of the one shared font panel: the selected font, whether it is on screen, the
// attribute modes its owner allows, and the owner's handlers for a chosen font and for the
// panel closing. It runs modelessly (shown until closed) or modally; a modal run asks the test
// driver's script for the user's actions. Without a script the runner the program installed
// shows the panel to the user (without either a modal run just closes it).
class FontPanel {
public:
    // Mode bits: 0 face, 1 size, 10 text colour; the collection and the other bits as given.
    using ModesHandler = std::function<uint32_t()>;
    using ChangeHandler = std::function<void(const FontChoice& picked)>;
    using Script = std::function<void(FontPanel& panel)>;
    // The program's user interface of the panel: shows and hides its window as the panel is
    // ordered front and out, and runs it modally until the user closes it.
    struct Runner {
        std::function<void(FontPanel& panel)> show;
        std::function<void(FontPanel& panel)> hide;
        std::function<void(FontPanel& panel)> runModal;
    };

    static FontPanel& Shared();

    void SetSelectedFont(const FontChoice& font) { fSelected = font; }
    const FontChoice& SelectedFont() const { return fSelected; }
    void SetModesHandler(ModesHandler handler) { fModes = std::move(handler); }
    uint32_t ValidModes() const { return fModes ? fModes() : 0xFFFFFFFFu; }
    void SetChangeHandler(ChangeHandler handler) { fChange = std::move(handler); }
    void SetWillCloseHandler(std::function<void()> handler) { fWillClose = std::move(handler); }

    void OrderFront();
    void OrderOut();
    bool IsVisible() const { return fVisible; }
    // Shows the panel and runs until StopModal (the close box stops it by the will-close handler).
    void RunModal();
    void StopModal() { fModal = false; }
    bool IsModal() const { return fModal; }

    // The user's actions: picking a font selects it and tells the change handler; closing
    // orders the panel out after telling the will-close handler.
    void UserPicks(const FontChoice& font);
    void UserCloses();

    // The test driver's hook; while one is set, no window of the runner is shown.
    static void SetScript(Script script);
    static void SetRunner(Runner runner);

private:
    FontChoice fSelected;
    ModesHandler fModes;
    ChangeHandler fChange;
    std::function<void()> fWillClose;
    bool fVisible = false;
    bool fModal = false;
};

} // namespace plat
