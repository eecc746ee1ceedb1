#include "tests/support/OscDecoder.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const kDecoderScript = R"PY(
import socket, struct, sys
count = int(sys.argv[1])
until = sys.argv[2] if len(sys.argv) > 2 else None
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(('127.0.0.1', 0))
print(s.getsockname()[1], flush=True)

def osc_string(data, i):
    end = data.index(b'\0', i)
    text = data[i:end].decode('utf-8')
    if any(data[end:(end + 4) & ~3]):
        raise ValueError('padding is not zero')
    return text, (end + 4) & ~3

def decode(data):
    if len(data) % 4:
        return 'bad length %d' % len(data)
    address, i = osc_string(data, 0)
    tags, i = osc_string(data, i)
    args = []
    for tag in tags[1:]:
        if tag == 'f':
            args.append('%.7g' % struct.unpack('>f', data[i:i + 4])[0])
            i += 4
    if i != len(data):
        return 'trailing bytes'
    return '%d %s %s %s' % (len(data), address, tags, ' '.join(args))

s.settimeout(10)
n = 0
while n < count:
    try:
        data, _ = s.recvfrom(65536)
    except socket.timeout:
        print('timeout', flush=True)
        sys.exit(0)
    line = decode(data)
    print(line, flush=True)
    if until is None or line.split(' ')[1:2] == [until]:
        n += 1
s.settimeout(0.3)
try:
    data, _ = s.recvfrom(65536)
    print('extra ' + decode(data), flush=True)
except socket.timeout:
    pass
)PY";

std::string ReadLine(FILE* pipe)
{
    char line[512];
    if (!pipe || !std::fgets(line, sizeof line, pipe))
        return {};
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

OscDecoder::OscDecoder(int count, const std::string& until)
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string script = std::string(tmp ? tmp : "/tmp") + "/osc_decode.py";
    std::ofstream(script) << kDecoderScript;
    // The address goes in single quotes: tests give plain OSC addresses, never a quote.
    const std::string command =
        "python3 " + script + " " + std::to_string(count) + (until.empty() ? "" : " '" + until + "'");
    fPipe = popen(command.c_str(), "r");
    fPort = uint16_t(std::atoi(ReadLine(fPipe).c_str()));
}

OscDecoder::~OscDecoder()
{
    if (fPipe)
        pclose(fPipe);
}

void OscDecoder::Mark(const std::string& address) const
{
    std::string message = address;
    message.resize((address.size() / 4 + 1) * 4, '\0');
    message += std::string(",\0\0\0", 4);
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(fPort);
    (void)sendto(fd, message.data(), message.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    close(fd);
}

std::vector<std::string> OscDecoder::Finish()
{
    std::vector<std::string> lines;
    for (std::string line = ReadLine(fPipe); !line.empty(); line = ReadLine(fPipe))
        lines.push_back(line);
    if (fPipe)
        pclose(fPipe);
    fPipe = nullptr;
    return lines;
}

