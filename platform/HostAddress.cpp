#include "platform/HostAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace plat {

bool ParseIPv4Address(const char* text, uint32_t& hostOrder)
{
    hostOrder = 0;
    in_addr address{};
    if (!text || inet_aton(text, &address) == 0)
        return false;
    hostOrder = ntohl(address.s_addr);
    return true;
}

} // namespace plat
