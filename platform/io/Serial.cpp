#include "platform/io/Serial.h"

#include <cerrno>
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <set>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr size_t kMaxPorts = 512;

// Entries "name=/path" separated by ';'; malformed ones are skipped.
void AddConfigured(std::vector<SerialPortInfo>& out)
{
    const char* text = std::getenv("SONALYX_SERIAL_PORTS");
    if (!text)
        return;
    std::string all(text);
    size_t start = 0;
    while (start <= all.size() && out.size() < kMaxPorts) {
        size_t end = all.find(';', start);
        if (end == std::string::npos)
            end = all.size();
        const std::string entry = all.substr(start, end - start);
        const size_t eq = entry.find('=');
        if (eq != std::string::npos && eq > 0 && eq + 1 < entry.size())
            out.push_back({entry.substr(0, eq), entry.substr(eq + 1)});
        start = end + 1;
    }
}

std::vector<std::string> SortedEntries(const char* folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder);
    if (!dir)
        return names;
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] != '.' && names.size() < kMaxPorts)
            names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

// A tty of the class folder that stands for hardware: it has a device behind it, and a
// legacy serial slot reports a known UART type.
bool IsHardwareTty(const std::string& name)
{
    const std::string base = "/sys/class/tty/" + name;
    struct stat st{};
    if (::stat((base + "/device").c_str(), &st) != 0)
        return false;
    const int fd = ::open((base + "/type").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    char text[16] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    return n <= 0 || std::atoi(text) != 0;
}

bool Contains(const std::vector<SerialPortInfo>& list, const std::string& name)
{
    for (const SerialPortInfo& info : list)
        if (info.name == name)
            return true;
    return false;
}

bool ApplyChange(int fd, void (*change)(termios&, uint32_t), uint32_t value)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    change(t, value);
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

speed_t SpeedCode(uint32_t rate)
{
    switch (rate) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    default: return B0;
    }
}

void MakeRaw(termios& t)
{
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                           IXOFF | IXANY | IMAXBEL);
    t.c_iflag |= IGNBRK;
    t.c_oflag = 0;
    t.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | CREAD | PARENB | PARODD | HUPCL | CLOCAL | CRTSCTS);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    t.c_lflag &= ~tcflag_t(ECHO | ISIG | ICANON | IEXTEN);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

} // namespace

std::vector<SerialPortInfo> ListSerialPorts()
{
    std::vector<SerialPortInfo> out;
    AddConfigured(out);
    std::set<std::string> devices; // real paths already listed
    for (const SerialPortInfo& info : out)
        devices.insert(RealPath(info.path));
    for (const std::string& link : SortedEntries("/dev/serial/by-id")) {
        const std::string path = "/dev/serial/by-id/" + link;
        if (Contains(out, link) || out.size() >= kMaxPorts)
            continue;
        out.push_back({link, path});
        devices.insert(RealPath(path));
    }
    for (const std::string& name : SortedEntries("/sys/class/tty")) {
        const std::string path = "/dev/" + name;
        if (Contains(out, name) || devices.count(RealPath(path)) || !IsHardwareTty(name) || out.size() >= kMaxPorts)
            continue;
        out.push_back({name, path});
    }
    return out;
}

int OpenSerialDevice(const std::string& path, IoError& err)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        err = LastIoError();
        return -1;
    }
    // The exclusive mode keeps other programs out, except a privileged one; the advisory
    // lock keeps out every user of the same lock, privileged or not.
    if (::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int why = errno;
        ::close(fd);
        err = why == EWOULDBLOCK || why == EBUSY ? IoError::Busy : IoError::Other;
        return -1;
    }
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        ::close(fd);
        err = IoError::Other;
        return -1;
    }
    MakeRaw(t);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        ::close(fd);
        err = IoError::Other;
        return -1;
    }
    err = IoError::None;
    return fd;
}

bool SetSerialStopBits(int fd, uint32_t stopBits)
{
    return ApplyChange(fd, [](termios& t, uint32_t n) {
        if (n == 2)
            t.c_cflag |= CSTOPB;
        else
            t.c_cflag &= ~tcflag_t(CSTOPB);
    }, stopBits);
}

bool SetSerialFlowControl(int fd, uint32_t mode)
{
    // Linux has one flag for hardware flow control in both directions.
    return ApplyChange(fd, [](termios& t, uint32_t m) {
        t.c_cflag &= ~tcflag_t(CRTSCTS);
        if (m == 1 || m == 2)
            t.c_cflag |= CRTSCTS;
    }, mode);
}

bool SetSerialBaudRate(int fd, uint32_t rate)
{
    const speed_t code = SpeedCode(rate);
    if (code == B0)
        return false;
    termios t{};
    if (::tcgetattr(fd, &t) != 0 || ::cfsetspeed(&t, code) != 0)
        return false;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace plat
