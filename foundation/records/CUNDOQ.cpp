#include "foundation/records/CUNDOQ.h"

#include "foundation/core/LMessage.h"
#include "foundation/text/LStrList.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/TextTemplate.h"
#include "foundation/files/CScratchFile.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/streams/LStream.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

namespace {

const char* const kUndoCommand = "LStdCmd_Undo";
const char* const kRedoCommand = "LStdCmd_Redo";

// Items of the 'CST#' list "CUNDOQ".
enum CaptionItem : uint32_t {
    kPlainUndo = 0,
    kPlainRedo = 1,
    kUndoTemplate = 2,
    kRedoTemplate = 3,
};

} // namespace

LStrListRef CUNDOQ::LoadCaptions()
{
    LStrListRef list;
    LStrListRef::Create(list, LResRef{0, "CUNDOQ"}, nullptr, kStrListDialogTexts);
    return list;
}

CUNDOQ::CUNDOQ(uint64_t capacity, std::unique_ptr<LStream> stream)
    : fCaptions(LoadCaptions()), fStream(std::move(stream)), fRing(fStream.get(), capacity)
{
}

CUNDOQ::~CUNDOQ()
{
    fStream.reset();  // closed before the scratch file goes
    fFile.reset();
}

bool CUNDOQ::HandleMessage(const LMessage& msg)
{
    if (StrEqual(msg.type, "CUndoStrm_Find")) {
        if (!fReplaying && fRing.IsUsable() && msg.subject) {
            static_cast<CUndoStrm*>(msg.subject)->Attach(&fRing);
            fCaptionsValid = false;
        }
        return true;  // no other queue is asked, and during a replay nothing records
    }
    if (StrEqual(msg.type, "LMenuBar_Ready")) {
        EnableMenus(msg.subject);
        return false;  // others enable their commands too
    }
    if (StrEqual(msg.type, "LMenuItem_Selected") && msg.subject && !fRing.busy) {
        const auto* item = static_cast<const LMenuItem*>(msg.subject);
        if (CanUndo() && item->HasCommand(kUndoCommand)) {
            Replay(CUndoStrm::kUndo);
            return true;
        }
        if (CanRedo() && item->HasCommand(kRedoCommand)) {
            Replay(CUndoStrm::kRedo);
            return true;
        }
    }
    return false;
}

void CUNDOQ::EnableMenus(LHandler* menuBar)
{
    if (!fCaptionsValid) {
        if (CanUndo())
            fUndoCaption = CaptionOf(CUndoStrm::kUndo);
        if (CanRedo())
            fRedoCaption = CaptionOf(CUndoStrm::kRedo);
        fCaptionsValid = true;
    }
    auto* bar = static_cast<LMenuBar*>(menuBar);
    if (!bar)
        return;
    if (CanUndo())
        bar->EnableCommand(kUndoCommand, fUndoCaption);
    if (CanRedo())
        bar->EnableCommand(kRedoCommand, fRedoCaption);
}

LStringRef CUNDOQ::CaptionOf(int direction)
{
    const uint64_t saved = fRing.cur;
    const uint32_t epoch = fRing.Epoch();
    LStringRef caption;
    {
        CUndoStrm reader(&fRing, direction);
        if (reader.IsReading())
            caption = MakeCaption(direction, reader);
    }
    if (fRing.Epoch() == epoch)
        fRing.cur = saved;
    return caption;
}

LStringRef CUNDOQ::MakeCaption(int direction, const CUndoStrm& reader) const
{
    const uint32_t plain = direction == CUndoStrm::kRedo ? kPlainRedo : kPlainUndo;
    if (reader.Caption().IsEmpty())
        return LStrListRef::GetItem(fCaptions, plain);
    const LStringRef tmpl = LStrListRef::GetItem(fCaptions, plain + kUndoTemplate);
    const char* const argument = reader.Caption().Text();
    return FormatTemplate(tmpl.Text(), &argument, 1);
}

void CUNDOQ::Replay(int direction)
{
    if (!fRing.IsUsable() || fRing.busy)
        return;
    fReplaying = true;
    CUndoStrm reader(&fRing, direction);
    if (reader.IsReading() && reader.Replay())
        reader.Replay()(reader.Id(), &reader, direction);
    fCaptionsValid = false;
    fReplaying = false;
    fRing.sealed = 1;
}
