#include "controls/panels/CPlacesPane.h"
#include "controls/CColor.h"
#include "controls/panels/PanelDrawing.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "platform/TextEncoding.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"
#include "platform/files/StandardFolders.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

#include <cstdlib>

const char* CPlacesPane::msgChosen = "CPlaces_Chosen";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr size_t kMaxVolumes = 32;
constexpr int32_t kTextInset = 6;

bool IsFolder(const std::string& path)
{
    plat::ItemInfo info;
    return !path.empty() && plat::ReadItemInfo(path, info) == plat::FileResult::Ok && info.isFolder;
}

// The music folder: $XDG_MUSIC_DIR when it is absolute, else ~/Music.
std::string MusicFolder(const std::string& home)
{
    const char* music = std::getenv("XDG_MUSIC_DIR");
    return music && music[0] == '/' ? std::string(music) : home + "/Music";
}

} // namespace

CPlacesPane::CPlacesPane(LHandler* parent, LPane* host) : LPane(parent, host)
{
    Reload();
}

void CPlacesPane::Reload()
{
    fPlaces.clear();
    fChosen = -1;
    const std::string home = plat::StandardFolderPath(plat::StandardFolder::Home);
    auto add = [this](const char* name, const std::string& path) {
        if (IsFolder(path))
            fPlaces.push_back({name, path});
    };
    add("Home", home);
    add("Desktop", plat::StandardFolderPath(plat::StandardFolder::Desktop));
    add("Documents", plat::StandardFolderPath(plat::StandardFolder::Documents));
    add("Music", MusicFolder(home));
    add("Computer", "/");
    size_t volumes = 0;
    for (const std::string& base : plat::MountBases()) {
        std::vector<std::string> names;
        if (plat::ListFolder(base, names) != plat::FileResult::Ok)
            continue;
        for (const std::string& name : names) {
            const std::string path = base + "/" + name;
            if (volumes < kMaxVolumes && name[0] != '.' && IsFolder(path)) {
                fPlaces.push_back({plat::Utf8WithReplacements(name), path});
                volumes++;
            }
        }
    }
}

CLRect CPlacesPane::RowRect(int32_t row) const
{
    const int32_t top = Rect().top + row * kRowHeight;
    return CLRect{Rect().left, top, Rect().right, top + kRowHeight};
}

void CPlacesPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kMouseClick)) {
        const CLPoint where = MouseInPane(*this);
        const int32_t row = (where.y - Rect().top) / kRowHeight;
        if (where.y >= Rect().top && row < int32_t(fPlaces.size())) {
            fChosen = row;
            Announce(msgChosen, Parent());
        }
        LMessage::Clear(result);
        return;
    }
    LPane::HandleMessage(result, msg);
}

void CPlacesPane::DrawSelf(LPortState& port) const
{
    LFillRegionOp(LRegion(Rect()), PanelGrey(0xF0)).Draw(port);
    for (size_t row = 0; row < fPlaces.size(); row++) {
        const CLRect rect = RowRect(int32_t(row));
        if (rect.top >= Rect().bottom)
            break;
        DrawPanelText(port, fPlaces[row].name, CLRect{rect.left + kTextInset, rect.top, rect.right, rect.bottom});
    }
}
