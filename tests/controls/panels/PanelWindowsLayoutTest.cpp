#include "controls/panels/CColorPanelWindow.h"
#include "controls/panels/CFilePanelWindow.h"
#include "controls/panels/CFontPanelWindow.h"
#include "controls/std/LStdCtl.h"
#include "platform/controls/Control.h"
#include "platform/window/ColorPanel.h"
#include "platform/window/FilePanel.h"
#include "platform/window/FontPanel.h"
#include "tests/shell/app/AppBaseKit.h"
#include "tests/support/LayoutReads.h"

#include <functional>
#include <memory>

namespace {

class PanelWindowsLayout : public AppBaseTest {};

// The standard controls of the frame whose title has no font to be drawn in.
std::vector<uint32_t> ControlsWithoutFont(const LFrame& frame)
{
    std::vector<uint32_t> bare;
    for (uint32_t n = 1; n <= frame.Children().Count(); ++n) {
        const auto* control = dynamic_cast<const LStdCtl*>(frame.PaneAt(n));
        if (control && control->NativeControl() && !control->NativeControl()->GetFont())
            bare.push_back(n);
    }
    return bare;
}

} // namespace

TEST_F(PanelWindowsLayout, EveryPanelWindowHasItsPanesInsideAndItsTitlesInAFont)
{
    plat::Ref<plat::FilePanel> open = plat::FilePanel::Make(plat::FilePanel::Kind::Open);
    plat::Ref<plat::FilePanel> save = plat::FilePanel::Make(plat::FilePanel::Kind::Save);
    const struct {
        const char* name;
        std::function<std::unique_ptr<LFrame>()> make;
    } windows[] = {
        {"open", [&] { return std::make_unique<CFilePanelWindow>(app.get(), *open); }},
        {"save", [&] { return std::make_unique<CFilePanelWindow>(app.get(), *save); }},
        {"colour", [&] { return std::make_unique<CColorPanelWindow>(app.get(), plat::ColorPanel::Shared()); }},
        {"fonts", [&] {
             return std::make_unique<CFontPanelWindow>(app.get(), plat::FontPanel::Shared(), CFontPanelWindow::Mode::Modeless);
         }},
        {"modal fonts", [&] {
             return std::make_unique<CFontPanelWindow>(app.get(), plat::FontPanel::Shared(), CFontPanelWindow::Mode::Modal);
         }},
    };
    for (const auto& row : windows) {
        const std::unique_ptr<LFrame> window = row.make();
        ASSERT_NE(window->Window(), nullptr) << row.name;
        EXPECT_GE(window->Children().Count(), 5u) << row.name;
        EXPECT_EQ(PanesOutside(*window), std::vector<uint32_t>{}) << row.name;
        EXPECT_EQ(ControlsWithoutFont(*window), std::vector<uint32_t>{}) << row.name;
    }
}
