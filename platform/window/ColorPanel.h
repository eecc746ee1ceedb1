#pragma once
#include <functional>

namespace plat {

// The model of the one shared colour panel: the colour shown (sRGB components 0..1), whether it
// offers an alpha value, the action run on every colour the user picks, and the question asked
// when the user closes it. Running it modally asks the test driver's script for the user's
// actions and answer; without a script the runner the program installed shows the panel to the
// user (without either the user cancels: answer 0).
class ColorPanel {
public:
    struct RGB {
        double red = 0, green = 0, blue = 0;
    };
    // Asked when the user clicks the close box: the code that ends the modal run (any value
    // below 0 keeps the panel open).
    using CloseHandler = std::function<int()>;
    using Script = std::function<int(ColorPanel& panel)>;

    static ColorPanel& Shared();

    void SetColor(const RGB& color) { fColor = color; }
    const RGB& Color() const { return fColor; }
    void SetShowsAlpha(bool flag) { fShowsAlpha = flag; }
    bool ShowsAlpha() const { return fShowsAlpha; }
    void SetAction(std::function<void()> action) { fAction = std::move(action); }
    void SetCloseHandler(CloseHandler handler) { fClose = std::move(handler); }

    // Answers 0 at once while the panel already runs.
    int RunModal();
    bool IsRunning() const { return fRunning; }

    // The user's actions while the panel runs: picking a colour runs the action; closing
    // answers the close handler's code (1 without a handler).
    void UserPicks(const RGB& color);
    int UserCloses();

    // The test driver's hook; null restores the runner.
    static void SetScript(Script script);
    // The program's user interface of the panel: shows it and answers when the user is done.
    static void SetRunner(Script runner);

private:
    RGB fColor;
    bool fShowsAlpha = true;
    bool fRunning = false;
    std::function<void()> fAction;
    CloseHandler fClose;
};

} // namespace plat
