// The form state file (vk.set): any bytes are read without harm, and writing what was read then
// reading it again gives back what was read, less what the writer leaves out by rule (entries
// past the stored count, and entries it cannot store), the exclude-mask history included.

#include "FuzzInput.h"
#include "forms/FormStateFile.h"
#include "forms/MaskHistory.h"

namespace {

std::vector<std::wstring> Stored(const std::vector<std::wstring>& entries) {
    std::vector<std::wstring> kept;
    for (std::size_t i = 0; i < entries.size() && i < vk::kStoredHistoryEntries; ++i) {
        if (vk::IsStorableEntry(entries[i])) {
            kept.push_back(entries[i]);
        }
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const vk::FormBlocks blocks : {vk::FormBlocks::kFileMasks, vk::FormBlocks::kFileAndShareMasks}) {
        const vk::FormState read = vk::ParseFormState(bytes, blocks);
        VK_FUZZ_CHECK(read.fileMasks.size() <= vk::kMaxEntriesRead && read.shareMasks.size() <= vk::kMaxEntriesRead);
        VK_FUZZ_CHECK(read.excludeMasks.size() <= vk::kMaxEntriesRead);
        VK_FUZZ_CHECK(blocks == vk::FormBlocks::kFileAndShareMasks ||
                      (read.shareMasks.empty() && read.excludeMasks.empty()));
        vk::FormState expected{Stored(read.fileMasks), Stored(read.shareMasks), Stored(read.excludeMasks)};
        const vk::FormState again = vk::ParseFormState(vk::FormatFormState(read, blocks), blocks);
        VK_FUZZ_CHECK(again == expected);
    }
    return 0;
}
