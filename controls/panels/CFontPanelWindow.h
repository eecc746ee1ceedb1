#pragma once
#include "controls/edit/LEditText.h"
#include "controls/panels/CFontPreviewPane.h"
#include "controls/panels/CNameListPane.h"
#include "controls/panels/FontStyles.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/panes/LCaptionPane.h"

#include <vector>

namespace plat {
class FontPanel;
}

// The font panel as the user sees it: the installed families, the styles of the chosen one,
// a size field and a sample drawn in the font. Every choice is picked on the panel at once
// (its owner hears of it). Shown modelessly it floats beside the window it serves; run
// modally it holds the program until the user closes it. The close box, Return and Escape
// close it.
class CFontPanelWindow : public LModalDialog {
public:
    static const char* const kResName;   // "CFONTPANEL"
    enum class Mode { Modeless, Modal };

    CFontPanelWindow(LHandler* parent, plat::FontPanel& panel, Mode mode);
    ~CFontPanelWindow() override;

    // Shows the panel's selected font, and the attributes its owner allows, in the controls.
    void ShowSelectedFont();
    // Shows the window and runs until the user closes it or the run is stopped.
    void RunUntilClosed();

    CNameListPane& Families() { return fFamilies; }
    CNameListPane& Styles() { return fStyleList; }
    LEditText& SizeField() { return fSize; }
    CFontPreviewPane& Preview() { return fPreview; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void SetTexts();
    void PlacePanes();
    // The styles of the chosen family, keeping the weight and slant chosen when it has them.
    void LoadStyles(bool bold, bool italic);
    void Pick();
    bool HandleControl(const LMessage& msg);
    void Close();

    plat::FontPanel& fPanel;
    Mode fMode;
    std::vector<FontStyle> fStyles;
    double fPointSize = 12.0;
    // Set while the window itself writes its controls, whose reports are then not the user's.
    bool fShowing = false;
    LCaptionPane fFamilyLabel;
    LCaptionPane fStyleLabel;
    LCaptionPane fSizeLabel;
    CNameListPane fFamilies;
    CNameListPane fStyleList;
    LEditText fSize;
    CFontPreviewPane fPreview;
};
