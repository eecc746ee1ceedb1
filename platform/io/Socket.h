#pragma once
#include "platform/io/FdIo.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

// An IPv4 endpoint in host byte order.
struct Endpoint {
    uint32_t address = 0;
    uint16_t port = 0;
};

enum class SocketKind { Stream, Datagram };

// IPv4 sockets. Every call returns -1 (or false) with err set on failure. Sends never raise
// the broken-pipe signal.
int OpenSocket(SocketKind kind, IoError& err);
// Binds to any local address and the given port (0: any free port).
bool BindAny(int fd, uint16_t port, IoError& err);
bool Listen(int fd, int backlog, IoError& err);
// Accepts a waiting connection; the new descriptor is non-blocking.
int AcceptConnection(int fd, Endpoint& peer, IoError& err);
bool ConnectTo(int fd, const Endpoint& peer, IoError& err);
// Why a non-blocking connect that has ended failed (the socket's pending error, which this
// clears); None when it did not fail.
IoError ConnectResult(int fd);
bool LocalEndpoint(int fd, Endpoint& out);
bool PeerEndpoint(int fd, Endpoint& out);

long SendBytes(int fd, const void* data, size_t length, IoError& err);
long ReceiveBytes(int fd, void* buffer, size_t length, IoError& err);
long SendDatagram(int fd, const Endpoint& to, const void* data, size_t length, IoError& err);
long ReceiveDatagram(int fd, void* buffer, size_t length, Endpoint& from, IoError& err);

// Socket options; false when the system refused.
bool SetReuseAddress(int fd);
bool SetReceiveBufferSize(int fd, uint32_t bytes);
bool SetNoDelay(int fd);
bool SetBroadcast(int fd);
// Bytes written to a stream socket that the peer has not yet acknowledged.
uint32_t UnsentBytes(int fd);
// The IPv4 addresses of this host's name, in host byte order.
std::vector<uint32_t> HostAddresses();

} // namespace plat
