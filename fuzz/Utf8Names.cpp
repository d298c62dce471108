// File names as bytes: every byte string maps to a wide name and back to the same bytes, and two
// different byte strings never give the same name (the mapping is one to one both ways).

#include "FuzzInput.h"
#include "platform/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring name = vk::WideFromFileName(bytes);
    VK_FUZZ_CHECK(vk::FileNameFromWide(name) == bytes);
    // A name that holds no escaped byte is valid UTF-8 and reads the same through the plain conversion.
    bool escaped = false;
    for (const wchar_t c : name) {
        escaped = escaped || vk::IsEscapedByte(c);
    }
    if (!escaped) {
        VK_FUZZ_CHECK(vk::WideFromUtf8(bytes) == name);
        VK_FUZZ_CHECK(vk::Utf8FromWide(name) == bytes);
    }
    return 0;
}
