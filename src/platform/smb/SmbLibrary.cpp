#include "platform/smb/SmbLibrary.h"

#include <dlfcn.h>

#include <optional>

namespace vk {
namespace {

// The name the library's package installs it under (its ABI version, as the linker would record it).
constexpr const char* kLibraryName = "libsmbclient.so.0";

std::optional<SmbLibrary> Load() {
    // Kept loaded for the rest of the run: the client's contexts may live until the program ends.
    void* const handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return std::nullopt;
    }
    SmbLibrary library;
    bool complete = true;
#define VK_SMB_FUNCTION(name)                                                                                          \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name));                                     \
    complete = complete && library.name != nullptr;
#include "platform/smb/SmbLibraryFunctions.inc"
#undef VK_SMB_FUNCTION
    if (!complete) {
        dlclose(handle);
        return std::nullopt;
    }
    return library;
}

} // namespace

const SmbLibrary* LoadSmbLibrary() {
    static const std::optional<SmbLibrary> library = Load();
    return library ? &*library : nullptr;
}

} // namespace vk
