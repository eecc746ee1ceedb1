#include "analysis/window/DocumentWriter.h"
#include "foundation/streams/LStream.h"
#include "platform/files/FileSystem.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A stream whose every write fails, as a full disk does.
class FailingStream : public LStream {
public:
    FailingStream() : LStream(kReadWrite) {}
    void SetPosition(uint64_t p) override { position = p; }
    void SetEOF() override {}
    void Write(const void*, uint64_t) override { SetError(kWriteError); }
    void Read(void*, uint64_t* count) override { *count = 0; }
    uint64_t GetSize() override { return 0; }
};

class DocumentSave : public SpecWindowTest {
protected:
    std::string Path(const char* name) const { return home.path() + "/home/" + name; }
    // Edits flags, parameters and the channel count through the window's commands.
    void Edit()
    {
        Command("CAppCmd_AmpDB");
        Command("CAppCmd_FFTSize", "2048");
        Command("CAppCmd_Chans", "3");
        Command("CAppCmd_WfHamming");
    }
};

} // namespace

TEST_F(DocumentSave, SavedDocumentsReopenAndRoundTripByteForByte)
{
    CSpecWindow& w = Make();
    Edit();
    ASSERT_TRUE(w.IsModified());
    Command("LStdCmd_Undo");
    EXPECT_EQ(Common()->GetByte(kComnWnfc), 1) << "undo takes the window function back";
    Command("LStdCmd_Redo");
    EXPECT_EQ(Common()->GetByte(kComnWnfc), 2);
    const std::string first = Path("first.snx");
    ASSERT_TRUE(w.Save(first));
    EXPECT_FALSE(w.IsModified());
    EXPECT_EQ(w.DocumentPath(), first);
    EXPECT_EQ(std::string(w.Window()->Native()->Title()), first + " -Sonalyx");
    EXPECT_EQ(plat::ReadTypeCode(first), FourCC("FDST"));

    window.reset();
    CSpecWindow& again = Make();
    ASSERT_TRUE(again.OpenFile(first));
    EXPECT_FALSE(again.IsModified());
    EXPECT_EQ(Common()->GetByte(kComnDb), 1);
    EXPECT_EQ(Common()->GetByte(kComnFtsx), 11);
    EXPECT_EQ(again.Document().Root()->GetArrayCount(kFdrsChns), 3u);
    EXPECT_EQ(View()->GetUInt(kWndsChns), 3u);
    const std::string second = Path("second.snx");
    ASSERT_TRUE(again.Save(second));
    EXPECT_EQ(ReadAll(second), ReadAll(first));

    window.reset();
    Make();  // untitled, while the common settings remember the last file saved
    window.reset();
    EXPECT_TRUE(record->GetString(kWindDcfl).IsEmpty()) << "an untitled window claims no file";
}

TEST_F(DocumentSave, AStoredFFTOrderOutsideTheMenuIsClamped)
{
    const std::string path = Path("huge.snx");
    CSpecWindow& w = Make();
    LObject::SetByte(Common(), nullptr, kComnFtsx, 250, LObject::Merge::No);
    ASSERT_TRUE(w.Save(path));
    window.reset();
    CSpecWindow& again = Make();
    ASSERT_TRUE(again.OpenFile(path));
    EXPECT_EQ(Common()->GetByte(kComnFtsx), 13);
    EXPECT_EQ(again.Plan().windowTable.size(), 8192u);
}

TEST_F(DocumentSave, FailuresLeaveTheOldFileAndTheModifiedFlag)
{
    FailingStream failing;
    CFaderSetRecord document;
    EXPECT_FALSE(WriteDocumentStream(failing, document.Root()));

    CSpecWindow& w = Make();
    const std::string path = Path("kept.snx");
    WriteAll(path, "old contents");
    Edit();
    // A folder on the way that is really a file.
    Answer("", true);  // the message box
    EXPECT_FALSE(w.Save(path + "/inside.snx"));
    EXPECT_TRUE(w.IsModified());
    EXPECT_TRUE(w.DocumentPath().empty());

    // A file-size limit: the child writes as the program would and is stopped short.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(WriteDocumentFile(path, w.Document().Root()) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadAll(path), "old contents");
    for (const auto& entry : std::filesystem::directory_iterator(home.path() + "/home"))
        EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << "no temporary file is left";
}

TEST_F(DocumentSave, SavingThroughALinkReplacesItsTarget)
{
    CSpecWindow& w = Make();
    const std::string target = Path("real.snx");
    const std::string link = Path("link.snx");
    WriteAll(target, "old");
    std::filesystem::create_symlink("real.snx", link);
    ASSERT_TRUE(w.Save(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadAll(target).find("<"), std::string::npos);
}

TEST_F(DocumentSave, ANewDocumentIsAsPrivateAsTheUmaskSaysAndAResavedOneKeepsItsMode)
{
    CSpecWindow& w = Make();
    const std::string path = Path("private.snx");
    ScopedUmask mask(077);
    ASSERT_TRUE(w.Save(path));
    EXPECT_EQ(ModeOf(path), 0600u) << std::oct << ModeOf(path);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    Edit();
    ASSERT_TRUE(w.Save(path));
    EXPECT_EQ(ModeOf(path), 0640u) << std::oct << ModeOf(path);
}

TEST_F(DocumentSave, ARecordingOpenedAsADocumentIsPlayed)
{
    const std::string path = Path("take.TKS");
    WriteAll(path, "dn test\nsr 100\n100\n200\n");
    CSpecWindow& w = Make();
    ASSERT_TRUE(w.OpenFile(path));
    EXPECT_TRUE(w.DocumentPath().empty()) << "the document stays untitled";
    EXPECT_EQ(w.SourceKindValue(), CSpecWindow::kPlaybackSource);
    EXPECT_FALSE(w.OpenFile(Path("missing.snx")));
}

// A saved document cut short is refused with the reason, wherever the cut falls; whole, it opens.
TEST_F(DocumentSave, ADocumentCutShortIsRefusedWithTheReason)
{
    const std::string whole = Path("whole.snx");
    ASSERT_TRUE(Make().Save(whole));
    const std::string saved = ReadAll(whole);
    for (const size_t size : {saved.size(), saved.size() / 2, saved.size() - 3}) {
        WriteAll(Path("cut.snx"), saved.substr(0, size));
        std::string failure;
        const bool opened = Make().OpenFile(Path("cut.snx"), &failure);
        EXPECT_EQ(opened, size == saved.size()) << size;
        EXPECT_EQ(failure, opened ? "" : "the document is cut short") << size;
    }
}
