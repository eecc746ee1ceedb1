#pragma once
#include <cstdint>

// Runs the shared colour panel modally. Every colour the user picks is reported at once
// through the callback (bytes 0..255); closing the panel with its close box counts as accepted.
// A run while the panel is already open for another owner is cancelled at once.
class CColorDialog_Cca {
public:
    using Callback = void (*)(void* argument, uint8_t red, uint8_t green, uint8_t blue);

    CColorDialog_Cca() = default;
    virtual ~CColorDialog_Cca() = default;
    CColorDialog_Cca(const CColorDialog_Cca&) = delete;
    CColorDialog_Cca& operator=(const CColorDialog_Cca&) = delete;

    // The colour the panel shows when it opens.
    void SetColor(uint8_t red, uint8_t green, uint8_t blue);
    void Run(void* argument, Callback callback);
    bool IsAccepted() const { return fAccepted; }

private:
    void Report() const;

    bool fAccepted = false;
    void* fArgument = nullptr;
    Callback fCallback = nullptr;
};
