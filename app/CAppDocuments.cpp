// The application's documents: opening, the open requests of the system, closing, the most
// recently used order, the quit protocol and the shut-down of the document windows.
#include "app/CApp.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/CSpecWindow.h"
#include "controls/panels/COpenFileDialog.h"
#include "foundation/records/LObject.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/TextTemplate.h"
#include "platform/app/Application.h"
#include "platform/files/FileSystem.h"
#include "platform/files/FileSpecText.h"
#include "platform/window/FilePanel.h"
#include "shell/CAsyncLoopThread.h"
#include "shell/app/CExtCmd.h"
#include "shell/files/FileUrls.h"
#include "ui/files/CFileTypeList.h"
#include "ui/LTimer.h"
#include "ui/frames/LPlacement.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kOpenTypesList = "SNXFFLT";
// The message box of failed opens names this many files, then counts the rest.
constexpr size_t kFailuresNamed = 5;
// Items of the application's message list.
constexpr uint32_t kFailedOpensTitle = 4;
constexpr uint32_t kFailedOpenLine = 5;
constexpr uint32_t kFailedOpensMore = 6;

void SetLastOpen(LObject* record, bool open)
{
    LObject::SetBool(record, nullptr, kWindLsop, open, LObject::Merge::No);
}

} // namespace

CSpecWindow* CApp::Document(size_t index) const
{
    return index < fDocuments.size() ? fDocuments[index].get() : nullptr;
}

CSpecWindow* CApp::FindDocumentWindow(const LFrame* frame) const
{
    for (const auto& document : fDocuments)
        if (frame && document.get() == frame)
            return document.get();
    return nullptr;
}

CSpecWindow* CApp::OpenDocument(const std::string& path, LObject* record)
{
    // Paths come as file locations (open requests, window records) or as POSIX paths.
    const std::string posixPath = path.empty() ? std::string() : plat::PosixPathFromSpec(path);
    if (!path.empty() && posixPath.empty()) {
        ReportFailedOpen(path, plat::FileResultText(plat::FileResult::BadPath));
        return nullptr;
    }
    for (const auto& document : fDocuments) {
        if (!posixPath.empty() && document->DocumentPath() == posixPath) {
            document->ShowWindow();
            return document.get();
        }
    }
    if (!record)
        record = fPrefs->FindDocument(posixPath);
    const bool madeRecord = !record;
    if (!record)
        record = fPrefs->AddDocument();
    if (!record)
        return nullptr;
    auto window = std::make_unique<CSpecWindow>(this, *fDispatch, record, fDmx.get(), WindowLinks());
    LPlacement placement;
    placement.InitCascade();
    placement.Apply(*window);
    if (std::string failure; !posixPath.empty() && !window->OpenFile(posixPath, &failure)) {
        window->ReleaseWindowRecord();
        window.reset(); // the window goes before its record
        ForgetFailedOpen(record, madeRecord);
        ReportFailedOpen(posixPath, failure);
        return nullptr;
    }
    (void)window->ApplyWindowRecord();
    SetLastOpen(record, true);
    fDocuments.push_back(std::move(window));
    CSpecWindow* opened = fDocuments.back().get();
    opened->Start();
    return opened;
}

void CApp::OpenRequested(const CExtCmd& command)
{
    LStringRef path;
    if (command.GetPath(0, path)) {
        // Files named at launch replace the documents of the last run.
        if (fDocuments.empty() && fPrefs->Root()) {
            const uint32_t count = fPrefs->Root()->GetArrayCount(kPrefDocs);
            for (uint32_t i = 0; i < count; ++i)
                SetLastOpen(fPrefs->Root()->GetChild(kPrefDocs, i), false);
        }
        for (uint32_t i = 0; command.GetPath(i, path); ++i)
            (void)OpenDocument(path.Text());
    } else {
        ReopenLastDocuments();
    }
    if (fPrefs->Root() && fPrefs->Root()->GetByte(kPrefMdou))
        ShowMidiStatus(false);
}

void CApp::ReopenLastDocuments()
{
    // Collected first: opening a document moves its record to the end of the list.
    std::vector<LObject*> lastOpen;
    const uint32_t count = fPrefs->Root() ? fPrefs->Root()->GetArrayCount(kPrefDocs) : 0;
    for (uint32_t i = 0; i < count; ++i) {
        LObject* record = fPrefs->Root()->GetChild(kPrefDocs, i);
        if (record && record->GetByte(kWindLsop))
            lastOpen.push_back(record);
    }
    for (LObject* record : lastOpen)
        (void)OpenDocument(record->GetString(kWindDcfl).Text(), record);
    if (fDocuments.empty())
        (void)OpenDocument(std::string());
}

void CApp::CmdOpen()
{
    CFileTypeList types(kOpenTypesList);
    COpenFileDialog dialog;
    dialog.SetFileTypes(&types);
    dialog.SetStartPath(UrlFromPosixPath(MakeUntitledDocumentPath()));
    if (dialog.Run(0))
        (void)OpenDocument(dialog.GetFile().Text());
    if (fDocuments.empty())
        (void)OpenDocument(std::string());
}

bool CApp::CloseDocument(LFrame* frame)
{
    CSpecWindow* window = FindDocumentWindow(frame);
    if (!window)
        return false;
    if (!window->AskSaveChanges())
        return true; // the window stays
    SetLastOpen(window->WindowRecord(), false);
    const auto it = std::find_if(fDocuments.begin(), fDocuments.end(),
                                 [window](const auto& document) { return document.get() == window; });
    std::unique_ptr<CSpecWindow> closing = std::move(*it);
    fDocuments.erase(it);
    closing.reset();
    return true;
}

void CApp::TouchDocument(LFrame* frame)
{
    if (CSpecWindow* window = FindDocumentWindow(frame))
        fPrefs->TouchDocument(window->WindowRecord());
}

bool CApp::AskEveryDocument()
{
    fQuitAgreed = false;
    for (const auto& document : fDocuments)
        if (!document->AskSaveChanges())
            return false;
    fQuitAgreed = true;
    return true;
}

void CApp::DeleteDocuments()
{
    // Out of the list first, then deleted in order of opening; each keeps 'lsop' set so that
    // it reopens at the next launch.
    std::vector<std::unique_ptr<CSpecWindow>> closing;
    while (!fDocuments.empty()) {
        closing.insert(closing.begin(), std::move(fDocuments.back()));
        fDocuments.pop_back();
    }
    for (auto& document : closing)
        document.reset();
}

void CApp::ForgetFailedOpen(LObject* record, bool madeForThisOpen)
{
    LObject* root = fPrefs->Root();
    if (!madeForThisOpen || !root || record->Parent() != root || record->IndexInParent() < 0) {
        SetLastOpen(record, false);
        return;
    }
    LObject::DeleteChildAt(root, nullptr, kPrefDocs, uint32_t(record->IndexInParent()));
}

void CApp::ReportFailedOpen(const std::string& path, const std::string& reason)
{
    std::fprintf(stderr, "sonalyx: cannot open %s: %s\n", path.c_str(), reason.c_str());
    if (!plat::Application::Shared().CanAskQuestions())
        return;
    fFailedOpens.push_back({path, reason});
    // The files of one request arrive one by one without the loop turning in between: the
    // box shows once they all had their turn.
    if (!fFailedOpenTimer)
        fFailedOpenTimer = std::make_unique<LTimer>(this);
    if (!fFailedOpenTimer->IsArmed())
        fFailedOpenTimer->Start(0);
}

void CApp::ShowFailedOpens()
{
    if (fFailedOpens.empty())
        return;
    const std::vector<FailedOpen> failed = std::move(fFailedOpens);
    fFailedOpens.clear();
    LStrList texts({0, "APPMSG"}, nullptr, kStrListDialogTexts);
    std::string text = texts.GetItem(kFailedOpensTitle).Text();
    for (size_t i = 0; i < failed.size() && i < kFailuresNamed; ++i) {
        const std::string name = failed[i].path.substr(failed[i].path.rfind('/') + 1);
        const char* words[] = {name.c_str(), failed[i].reason.c_str()};
        text += std::string("\n") + FormatTemplate(texts.GetItem(kFailedOpenLine).Text(), words, 2).Text();
    }
    if (failed.size() > kFailuresNamed) {
        const std::string more = std::to_string(failed.size() - kFailuresNamed);
        const char* words[] = {more.c_str()};
        text += std::string("\n") + FormatTemplate(texts.GetItem(kFailedOpensMore).Text(), words, 1).Text();
    }
    ShowMessage(LStringRef(text));
}

// One line names the documents whose changes a quit without questions leaves unsaved; their
// files stay as they were.
void CApp::ReportUnsavedDocuments() const
{
    std::string names;
    for (const auto& document : fDocuments) {
        if (!document->IsModified())
            continue;
        const std::string path = document->DocumentPath();
        names += (names.empty() ? "" : ", ") + (path.empty() ? std::string("untitled") : path);
    }
    if (!names.empty())
        std::fprintf(stderr, "sonalyx: quit without saving the changes of %s\n", names.c_str());
}
