// The content test: random bytes read in random chunks (and short reads within them), random
// patterns; the streamed answer is the one the matcher gives for the whole text decoded at once
// (in the encoding the first chunk decides, up to the first NUL), in the system's 8-bit code
// page matched byte by byte and in the one converted to wide text first.

#include "engine/ContentSearch.h"
#include "FuzzInput.h"
#include "engine/PatternMatcher.h"
#include "platform/TextDecoding.h"

#include <algorithm>

namespace {

// One file whose reads return fewer bytes than asked for, as the input says.
class ShortReadsFile final : public vk::ReadableFile {
public:
    ShortReadsFile(const std::string& bytes, std::vector<std::size_t> reads)
        : bytes_(bytes), reads_(std::move(reads)) {}
    std::uint64_t Length() const override { return bytes_.size(); }
    std::size_t Read(void* buffer, std::size_t count) override {
        std::size_t n = std::min(count, bytes_.size() - at_);
        if (next_ < reads_.size()) {
            n = std::min(n, reads_[next_++]);
        }
        std::copy_n(bytes_.data() + at_, n, static_cast<char*>(buffer));
        at_ += n;
        return n;
    }

private:
    const std::string& bytes_;
    std::vector<std::size_t> reads_;
    std::size_t at_ = 0;
    std::size_t next_ = 0;
};

class OneFile final : public vk::FileSystem {
public:
    OneFile(const std::string& bytes, std::vector<std::size_t> reads) : bytes_(bytes), reads_(std::move(reads)) {}
    std::unique_ptr<vk::DirectoryListing> FindFirst(const std::wstring&, vk::ListingDetail,
                                                    vk::ErrorCode& error) override {
        error = vk::kErrorFileNotFound;
        return nullptr;
    }
    std::unique_ptr<vk::ReadableFile> OpenForReading(const std::wstring&, vk::ErrorCode&) override {
        return std::make_unique<ShortReadsFile>(bytes_, reads_);
    }

private:
    const std::string& bytes_;
    std::vector<std::size_t> reads_;
};

// The whole text as the first chunk says it is encoded, decoded in one go, up to its first NUL.
std::wstring WholeText(const std::string& bytes, std::size_t firstChunk) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::wstring text(bytes.size() + 1, L'\0');
    vk::DecodedText decoded;
    switch (vk::DetectTextEncoding(data, firstChunk, firstChunk < bytes.size())) {
    case vk::TextEncoding::kUtf8:
        decoded = vk::DecodeUtf8(data, bytes.size(), text.data());
        break;
    case vk::TextEncoding::kUtf16Le:
        decoded = vk::DecodeUtf16Le(data, bytes.size(), text.data());
        break;
    default:
        decoded = vk::DecodeAnsi(data, bytes.size(), text.data());
    }
    text.resize(decoded.characters);
    return text.substr(0, text.find(L'\0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t chunk = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    std::vector<std::size_t> reads(input.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (std::size_t& read : reads) {
        read = input.ConsumeIntegralInRange<std::size_t>(1, chunk);
    }
    std::wstring pattern = vk::fuzz::WideText(input, 12, L"**??\\\\AX0aAbB\u00E9\u00C9\u00FF\u0100IVXivx");
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    vk::SetContentChunkSizeForTesting(chunk);
    const std::atomic<bool> running{true};
    const std::size_t firstChunk = std::min({chunk, bytes.size(), reads.empty() ? chunk : reads.front()});
    const std::wstring whole = WholeText(bytes, firstChunk);
    std::wstring wrapped = pattern;
    vk::WrapContainingText(wrapped);
    const bool expected = !bytes.empty() && vk::MatchPattern(whole, wrapped, false);
    for (const vk::ByteCodePage* codePage : {vk::SystemByteCodePage(), static_cast<const vk::ByteCodePage*>(nullptr)}) {
        OneFile file(bytes, reads);
        const vk::ContentPattern content(pattern, codePage);
        const bool found = vk::FileContainsText(file, L"f", content, running);
        // An empty file holds only the pattern that every text holds.
        VK_FUZZ_CHECK(!content.MatchesEveryText() || bytes.empty() || expected);
        if (found != (bytes.empty() ? content.MatchesEveryText() : expected)) {
            std::fprintf(stderr, "pattern '%ls' chunk %zu: streamed %d, whole %d\n", pattern.c_str(), chunk, found,
                         expected);
            VK_FUZZ_CHECK(!"the streamed answer and the whole text's differ");
        }
    }
    vk::SetContentChunkSizeForTesting(0);
    return 0;
}
