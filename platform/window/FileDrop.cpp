#include "platform/window/FileDrop.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDelegate.h"
#include "platform/files/FileSpecText.h"
#include "platform/window/DragSession.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/WindowDelegate.h"

namespace plat {

void FileDrop::DropAt(const Point& screen, const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    Pasteboard& board = Pasteboard::Drag();
    board.Clear();
    for (const std::string& path : paths) {
        const std::string url = FileUrlOfPath(path);
        board.AddItem({{Pasteboard::kTypeFileUrl, Pasteboard::Bytes(url.begin(), url.end())}});
    }
    DragSession session(board, kDragCopy | kDragLink | kDragGeneric);
    session.MoveTo(screen);
    if (session.Drop())
        return;
    if (ApplicationDelegate* delegate = Application::Shared().Delegate())
        for (const std::string& path : paths)
            delegate->OpenFile(path);
}

} // namespace plat
