#pragma once
// The SMB client library, loaded when the first SMB client is made rather than when the program
// starts: it pulls in about a hundred shared libraries, whose loading would cost every run of the
// console tool tens of milliseconds, SMB or not. Only SmbClient.cpp uses it.

#include <libsmbclient.h>

namespace vk {

// The library's functions the client calls, by their own names.
struct SmbLibrary {
#define VK_SMB_FUNCTION(name) decltype(&::name) name = nullptr;
#include "platform/smb/SmbLibraryFunctions.inc"
#undef VK_SMB_FUNCTION
};

// The library, loaded at the first call (thread-safe); null when it or one of its functions
// cannot be found. Later calls give the same answer.
[[nodiscard]] const SmbLibrary* LoadSmbLibrary();

} // namespace vk
