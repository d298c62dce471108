#pragma once
// The system functions behind the Windows network services: the network provider's enumeration
// (MPR) and the server's share listing (NETAPI32). A table, so that a test can put fakes in
// their place and check how the services call them and read what they return.

#include "platform/NetworkServices.h"

#include <windows.h>

#include <lm.h>
#include <winnetwk.h>

#include <memory>

namespace vk {

struct NetworkFunctions {
    decltype(&WNetOpenEnumW) openEnum = &WNetOpenEnumW;
    decltype(&WNetEnumResourceW) enumResource = &WNetEnumResourceW;
    decltype(&WNetCloseEnum) closeEnum = &WNetCloseEnum;
    decltype(&NetShareEnum) shareEnum = &NetShareEnum;
    decltype(&NetApiBufferFree) bufferFree = &NetApiBufferFree;
};

// The network services over the given functions; MakeSystemNetworkServices uses the system's.
std::unique_ptr<NetworkServices> MakeNetworkServices(const NetworkFunctions& functions);

} // namespace vk
