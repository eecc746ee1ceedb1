#include "analysis/records/CSnxSchema.h"
#include "analysis/window/CSourceControls.h"
#include "analysis/window/CSpecWindow.h"
#include "analysis/window/RecordFileName.h"
#include "analysis/window/SpecWindowPrefs.h"
#include "analysis/window/WindowMessage.h"
#include "platform/files/FileSpecText.h"
#include "shell/files/LFileMaker.h"
#include "shell/files/LFileRemover.h"
#include "shell/files/LStdFolders.h"
#include "shell/system/AbsoluteTime.h"
#include "sources/CSampleSrc.h"

#include <string>

namespace {

constexpr const char* kRecordFolder = "Sonalyx Record";
constexpr uint32_t kOpenFailedItem = 7;
constexpr uint32_t kRecordFailedItem = 16;
constexpr float kNoTimeLimit = -1.0f;

void SetRecordingFlag(LObject* window, bool on)
{
    LObject::SetByte(window, nullptr, kWindRecording, on ? 1 : 0, LObject::Merge::No);
}

// Makes the documents folder and the record folder in it when they are missing, and a new
// file in it: the file location of the file, or empty (with the path that failed in `failed`).
LStringRef MakeRecordFile(const std::string& fileName, std::string& failed)
{
    const std::string documents = plat::PosixPathFromSpec(LStdFolders::Find(LStdFolders::kDocuments).View());
    const std::string folder = documents + "/" + kRecordFolder;
    LFileMaker maker;
    if (documents.empty() || maker.MakeFolder(documents, LFileMaker::kAcceptExisting) != 0 ||
        maker.MakeFolder(folder, LFileMaker::kAcceptExisting) != 0) {
        failed = folder;
        return {};
    }
    // A recording started in the same second as another gets a numbered name.
    if (maker.MakeFile(folder + "/" + fileName, LFileMaker::kChooseNewName) != 0) {
        failed = folder + "/" + fileName;
        return {};
    }
    return maker.url;
}

} // namespace

void CSpecWindow::ToggleRecord()
{
    if (!fLive || !fLive->IsRecording()) {
        StartRecord();
        UseLiveSource();
        return;
    }
    StopRecord();
}

void CSpecWindow::StartRecord()
{
    if (!fLive)
        return;
    const std::string fileName =
        RecordFileName(fSourceName.View(), fLive->RecordExtension(), LocalAbsoluteTime(GetAbsoluteTime()));
    std::string failed;
    const LStringRef location = MakeRecordFile(fileName, failed);
    if (location.IsEmpty()) {
        ShowWindowMessage(this, kRecordFailedItem, failed);
        return;
    }
    const std::string path = plat::PosixPathFromSpec(location.View());
    fRecordLocation.SetPath(location);
    (void)SetFileTypeAndCreator(location.View(), fLive->RecordFileType(), CSnxSchema::kCreator);
    if (fLive->StartRecording(path.c_str(), kNoTimeLimit) != 0) {
        ShowWindowMessage(this, kRecordFailedItem, path);
        return;
    }
    SetRecordingFlag(fWindowRecord, true);
    CSourceControls::SetButton(fControls->RecordButton(), true);
    (void)MakePlaybackSource();
}

void CSpecWindow::StopRecord()
{
    SetRecordingFlag(fWindowRecord, false);
    if (fLive)
        fLive->StopRecording();
    CSourceControls::SetButton(fControls->RecordButton(), false);
    NameShownSource();
}

void CSpecWindow::CheckRecording()
{
    if (!fLive || !fWindowRecord || !fWindowRecord->GetByte(kWindRecording) || !fLive->RecordFailed())
        return;
    // What reached the file before the failure stays a readable recording; the source runs on.
    StopRecord();
    ShowWindowMessage(this, kRecordFailedItem, plat::PosixPathFromSpec(fRecordLocation.GetPath().View()));
}

void CSpecWindow::OpenRecord()
{
    const LStringRef location = AskFileToOpen("LOGFFLT", fRecordLocation.GetPath());
    if (location.IsEmpty())
        return;
    // A file that cannot be played leaves the recording in use and the one remembered as they were.
    const LStringRef before = fRecordLocation.GetPath();
    fRecordLocation.SetPath(location);
    if (MakePlaybackSource() != 0) {
        fRecordLocation.SetPath(before);
        ShowWindowMessage(this, kOpenFailedItem, plat::PosixPathFromSpec(location.View()));
        return;
    }
    LObject::SetFilePath(ViewPrefs(), nullptr, kWndsLgfl, location);
    UsePlaybackSource();
    StartPlayback();
}
