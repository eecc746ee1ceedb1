#pragma once
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramProcess.h"
#include "tests/display/ShownControls.h"
#include "tests/support/PortTestSupport.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <sys/types.h>
#include <thread>
#include <vector>

// The built program under a person's hand, its controls found where the program itself says
// they are (the controls report it writes for tests).
class ProgramReport : public DesktopTest {
protected:
    // Starts the program on the files, with the settings (NAME=value) added to its home's
    // environment, and waits for its document window's menu bar.
    void Start(const std::vector<std::string>& files = {}, const std::vector<std::string>& environment = {});
    // Starts the program on a recording of the generic sound type `seconds` long and waits for
    // its document window's menu bar.
    void StartOnRecording(int seconds);
    std::optional<Shown> Find(ShownPart part, const std::string& title);
    // Waits until the program reports the part in the same place twice 200 ms apart (a new
    // window may still be placed by the window manager).
    std::optional<Shown> Await(ShownPart part, const std::string& title, int limitMs = 8000);
    // The front window as the program reports it; empty when it shows none.
    std::optional<ShownWindow> FrontWindow();
    // Whether the window the program gives the keys is the one the window manager shows active
    // and the one the X server gives the keyboard, once the window manager has settled; `seen`
    // names the three.
    bool KeyWindowShownActive(std::string* seen = nullptr);
    // The document window's playback slider (the only slider wider than 60 pixels).
    std::optional<Shown> PlaybackSlider();
    // A normal click on a menu title of the bar, then on the item.
    void Choose(const std::string& menu, const std::string& item);
    // The pop-up list showing `shown` opened by a click and `row` clicked in it; the list once
    // it shows `row`, empty when any step failed.
    std::optional<Shown> ChooseInList(const std::string& shown, const std::string& row);
    // A normal click on the button, waiting for it to show first.
    void ClickButton(const std::string& title);
    // The middle of a row of the front open or save panel's file list (rows in name order),
    // found from the panel's Up button above the list and its hidden-files box under it; empty
    // when no panel is in front.
    std::optional<plat::Point> FilePanelRow(int row);
    // The source chooser opened from its button, the row chosen from its list and OK clicked.
    void ChooseSource(const std::string& row);
    // The address typed over the one the address dialog offers, then OK.
    void TypeAddress(const std::string& address);
    // The data server switched on from its dialog by normal clicks, on a free port typed into
    // its port field first (display runs side by side would meet on the default one); the
    // port it listens on.
    uint16_t StartDataServer();
    // The data server switched on as above and what its first client gets within the time, up
    // to `enough` bytes; empty when it did not start or take the client.
    std::string ServedText(size_t enough, int limitMs);
    // View Fonts opened from the application menu and the font slot of its row clicked (0
    // "Dialogs and labels" to 3 "Fixed-width text"): the font panel opens for that kind.
    void OpenFontPanelFor(int row);

    ProgramHome fHome;
    std::unique_ptr<ProgramProcess> fProgram;
};

// A device on a TCP port of this machine speaking the line protocol: on connection it names
// its type and rate (1000), then sends ten lines of two values every 10 ms until it hangs up.
class LineDevice {
public:
    LineDevice();
    ~LineDevice();
    uint16_t Port() const { return fPort; }
    bool Connected() const { return fConnected; }
    // Stops sending and closes the connection (and stops waiting for one).
    void HangUp();

private:
    void Serve();

    uint16_t fPort = 0;
    int fListener = -1;
    std::atomic<bool> fStop{false};
    std::atomic<bool> fConnected{false};
    std::thread fThread;
};

// What arrives on the socket within the time, up to `enough` bytes.
std::string Receive(int fd, size_t enough, int limitMs);
// The bytes of a file; empty when it cannot be read.
std::string FileContents(const std::string& path);
// True when the two pictures have the same size and colours (alpha aside).
bool SamePixels(const plat::Bitmap& a, const plat::Bitmap& b);
// A screen pixel's brightness, 0 (black) to 255 (white).
int Luma(uint32_t pixel);
// The runs of white pixels at least `least` long on a one-pixel line of the screen, as
// [first, end) columns of the line, each with a drawn edge on both sides.
std::vector<std::pair<int, int>> WhiteRuns(const plat::Bitmap& line, int least);
// The middle row of the first bar of a stacked pane divider (five rows drawn raised: white, three
// of grey face, dark) in a one-pixel column of the screen, counted from its top; -1 with none.
int DividerBarRow(const plat::Bitmap& column);
// The TCP ports the process listens on, found through its sockets' inodes.
std::vector<uint16_t> ListeningPorts(pid_t pid);
