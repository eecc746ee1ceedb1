// The program's dialogs under a person's hand: the source chooser and the TCP address dialog
// take the program to a text stream served by the test, the peak dialog's OK keeps what was
// typed while its Cancel drops it, and a file clicked in a save panel is the file written.
// Effects are read from what the program sends, shows and writes.
#include "tests/display/ProgramReport.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A listening TCP socket on the loopback address with a port of its own: the device a TCP text
// source connects to.
class TextStreamServer {
public:
    TextStreamServer() { fListener = porttest::ListenLoopback(fPort); }
    ~TextStreamServer()
    {
        for (int fd : {fListener, fPeer})
            if (fd >= 0)
                close(fd);
    }
    uint16_t Port() const { return fPort; }
    // Takes a waiting connection as the peer (the previous one is closed); false when none waits.
    bool Accept()
    {
        pollfd p{fListener, POLLIN, 0};
        if (poll(&p, 1, 0) <= 0)
            return false;
        const int fd = accept(fListener, nullptr, nullptr);
        if (fd < 0)
            return false;
        if (fPeer >= 0)
            close(fPeer);
        fPeer = fd;
        return true;
    }
    int Peer() const { return fPeer; }
    // The peer's connection, handed to the caller: the next Accept leaves it open.
    int KeepPeer()
    {
        const int kept = fPeer;
        fPeer = -1;
        return kept;
    }
    void Send(const std::string& text) const
    {
        if (fPeer >= 0)
            (void)send(fPeer, text.data(), text.size(), MSG_NOSIGNAL);
    }

private:
    int fListener = -1;
    int fPeer = -1;
    uint16_t fPort = 0;
};

// `count` sample lines of two values, as a device sends them.
std::string SampleLines(const std::string& line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line + "\n";
    return text;
}

class Dialogs : public ProgramReport {
protected:
    // The source chooser opened by a normal click on "Source…" and its list set to the item by
    // mouse: the list opened by a click, the item clicked.
    void ChooseSourceItem(const std::string& item)
    {
        ASSERT_NO_FATAL_FAILURE(ClickButton("Source…"));
        std::optional<Shown> list;
        ASSERT_TRUE(RunUntil([&] {
            const std::optional<ShownWindow> front = FrontWindow();
            if (!front || !front->modal)
                return false;
            list = LastControl(*front, "popup");
            return list.has_value();
        })) << "Source… did not open the chooser";
        if (list->title == item)
            return;
        fX.Click(list->Middle());
        const std::optional<Shown> row = Await(ShownPart::Row, item, 3000);
        ASSERT_TRUE(row) << "the chooser's list shows no " << item;
        fX.Click(row->Middle());
        ASSERT_TRUE(Await(ShownPart::Control, item)) << item << " was not chosen";
    }
    // The front window's editable text fields; a dialog's number fields show one while they
    // have the keyboard.
    std::vector<Shown> EditableFields()
    {
        std::vector<Shown> editable;
        if (const std::optional<ShownWindow> front = FrontWindow())
            for (const Shown& field : front->fields)
                if (field.enabled)
                    editable.push_back(field);
        return editable;
    }
    // A normal click in the field, everything in it selected, the text typed.
    void TypeInto(const Shown& field, const std::string& text)
    {
        fX.Click(field.Middle());
        fX.Tap("a", {"Control_L"});
        fX.Type(text);
    }
    // Waits until the data server's client has been sent the text after `from`; what it was sent.
    std::string AwaitServed(int client, std::string& got, size_t from, const std::string& text)
    {
        RunUntil([&] {
            got += Receive(client, 1 << 16, 100);
            return got.find(text, from) != std::string::npos;
        }, 6000);
        return got.substr(std::min(from, got.size()));
    }
};

} // namespace

TEST_F(Dialogs, TheChooserAndTheAddressDialogConnectToATextStreamWhoseLinesTheProgramServes)
{
    TextStreamServer device;
    ASSERT_NE(device.Port(), 0);
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(1));
    const uint16_t served = StartDataServer();
    ASSERT_NE(served, 0);
    const int client = porttest::ConnectLoopback(served);
    ASSERT_GE(client, 0);

    ASSERT_NO_FATAL_FAILURE(ChooseSourceItem("TCP Text Stream"));
    ASSERT_NO_FATAL_FAILURE(ClickButton("OK"));
    std::vector<Shown> fields;
    ASSERT_TRUE(RunUntil([&] { return (fields = EditableFields()).size() == 1; })) << "no address dialog";
    const std::string address = "127.0.0.1:" + std::to_string(device.Port());
    TypeInto(fields.front(), address);
    ASSERT_TRUE(RunUntil([&] { return Find(ShownPart::Field, address).has_value(); })) << "the address was not typed";
    ASSERT_NO_FATAL_FAILURE(ClickButton("OK"));

    ASSERT_TRUE(RunUntil([&] { return device.Accept(); })) << "the program did not connect";
    // The program asks the device for its type, rate, Fc ratio and baseline.
    const std::string asked = Receive(device.Peer(), 1 << 12, 1500);
    EXPECT_EQ(asked.rfind("DN\n", 0), 0u) << asked;
    EXPECT_NE(asked.find("SR "), std::string::npos) << asked;
    // The device's lines come back from the data server as the window's samples.
    device.Send("dn generic_sound\nsr 250\n" + SampleLines("1234 4321", 200));
    std::string got;
    const std::string first = AwaitServed(client, got, 0, "1234\t4321\r");
    EXPECT_NE(first.find("dn generic_sound\r"), std::string::npos) << first.substr(0, 200);
    const size_t rate = first.find("sr 250\r");
    ASSERT_NE(rate, std::string::npos) << first.substr(0, 200);
    EXPECT_NE(first.find("1234\t4321\r", rate), std::string::npos);

    // The chooser's OK with its current choice opens the source again: the address is kept, the
    // old connection closes and a new one brings the device's new lines.
    const size_t before = got.size();
    ASSERT_NO_FATAL_FAILURE(ChooseSourceItem("TCP Text Stream"));
    ASSERT_NO_FATAL_FAILURE(ClickButton("OK"));
    ASSERT_TRUE(Await(ShownPart::Field, address)) << "the address dialog did not show the address typed before";
    ASSERT_NO_FATAL_FAILURE(ClickButton("OK"));
    const int old = device.KeepPeer();
    ASSERT_TRUE(RunUntil([&] { return device.Accept(); })) << "the program did not connect again";
    // The program closed the old connection: what it sent there last is read, then the end.
    char bytes[256];
    bool ended = false;
    for (pollfd closed{old, POLLIN, 0}; !ended && poll(&closed, 1, 3000) > 0;)
        ended = read(old, bytes, sizeof bytes) <= 0;
    EXPECT_TRUE(ended) << "the old connection stayed open";
    close(old);
    (void)Receive(device.Peer(), 1 << 12, 500);
    device.Send("dn generic_sound\nsr 300\n" + SampleLines("abcd 1234", 200));
    const std::string second = AwaitServed(client, got, before, "abcd\t1234\r");
    ASSERT_NE(second.find("sr 300\r"), std::string::npos) << second.substr(0, 200);
    EXPECT_NE(second.find("abcd\t1234\r", second.find("sr 300\r")), std::string::npos);
    close(client);
}

TEST_F(Dialogs, ThePeakDialogKeepsTypedValuesOnOkAndDropsThemOnCancel)
{
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(1));
    // The dialog opened from its menu; its fields visited with Tab from the first, which has
    // the keyboard as the dialog opens; the values they show (hold time, low and high
    // frequency), each typed over when a text is given.
    const auto visit = [&](const std::vector<std::string>& typed) {
        std::vector<double> read;
        Choose("View", "Peaks…");
        std::optional<Shown> field, before;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_TRUE(RunUntil([&] {
                const std::vector<Shown> fields = EditableFields();
                field = fields.size() == 1 && fields.front().focused ? std::optional<Shown>(fields.front()) : std::nullopt;
                return field && (!before || field->rect.y != before->rect.y || field->rect.x != before->rect.x);
            })) << "no field " << i << " of the peak dialog has the keyboard";
            if (!field)
                return read;
            if (i == 0) {
                std::string seen;
                EXPECT_TRUE(KeyWindowShownActive(&seen)) << "the peak dialog: " << seen;
            }
            read.push_back(std::strtod(field->title.c_str(), nullptr));
            if (i < typed.size()) {
                fX.Tap("a", {"Control_L"});
                fX.Type(typed[i]);
                EXPECT_TRUE(RunUntil([&] { return Find(ShownPart::Field, typed[i]).has_value(); })) << typed[i];
            }
            before = field;
            fX.Tap("Tab");
        }
        return read;
    };
    const auto closeWith = [&](const std::string& button) {
        ASSERT_NO_FATAL_FAILURE(ClickButton(button));
        ASSERT_TRUE(RunUntil([&] { return !Find(ShownPart::Control, "Cancel"); })) << button << " did not close the dialog";
    };

    EXPECT_EQ(visit({"7", "500", "100"}), (std::vector<double>{2, 10, 100})) << "the dialog starts from its defaults";
    ASSERT_NO_FATAL_FAILURE(closeWith("OK"));
    // Kept, the low and high frequency in order.
    EXPECT_EQ(visit({"9"}), (std::vector<double>{7, 100, 500}));
    ASSERT_NO_FATAL_FAILURE(closeWith("Cancel"));
    // Dropped.
    EXPECT_EQ(visit({}), (std::vector<double>{7, 100, 500}));
    ASSERT_NO_FATAL_FAILURE(closeWith("Cancel"));
}

// Export Spectra's save panel: one click on a listed file puts its name into the name field,
// Save asks whether to replace that file, and OK to that and to the export's options writes
// the spectra into it, nowhere else.
TEST_F(Dialogs, OneClickOnAFileInTheSavePanelTakesItsNameAndTheExportReplacesIt)
{
    const std::string folder = fHome.Folder() + "/Documents";
    std::ofstream(folder + "/a.csv") << "kept\n";
    std::ofstream(folder + "/existing.csv") << "old\n";
    ASSERT_NO_FATAL_FAILURE(StartOnRecording(60));
    Choose("File", "Export Spectra…");
    ASSERT_TRUE(Await(ShownPart::Field, "untitled.csv")) << "the save panel did not open with its name";
    const std::optional<plat::Point> row = FilePanelRow(1); // a.csv, existing.csv
    ASSERT_TRUE(row);
    fX.Click(*row);
    // The name field, no longer edited, is not in the report: what Save does tells its name.
    ClickButton("Save");
    ASSERT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> front = FrontWindow();
        return front && front->modal && front->title == "Sonalyx";
    })) << "Save did not ask whether to replace the file: the click left the name as it was";
    ClickButton("OK");
    ASSERT_TRUE(RunUntil([&] {
        const std::optional<ShownWindow> front = FrontWindow();
        return front && front->title == "Export Spectra";
    })) << "no export options after the answer";
    std::string seen;
    EXPECT_TRUE(KeyWindowShownActive(&seen)) << "the export options after the answer: " << seen;
    ClickButton("OK");
    EXPECT_TRUE(RunUntil([&] { return FileContents(folder + "/existing.csv").find("\n\n") != std::string::npos; }))
        << "the file clicked was not replaced: " << FileContents(folder + "/existing.csv");
    EXPECT_EQ(FileContents(folder + "/a.csv"), "kept\n");
    EXPECT_FALSE(std::filesystem::exists(folder + "/untitled.csv"));
}
