// The tips file: from any position, the next tip is the one a plain model of the file finds
// (pieces of at most 999 characters, CR LF as LF, wrap-around at the end, one round at most),
// and the time stamp of any time is a bounded text.

#include "shell/TipsFile.h"
#include "FuzzInput.h"

#include <unistd.h>

#include <optional>

namespace {

// The piece that starts at at in bytes, and where the next one starts.
std::wstring ModelPiece(std::string_view bytes, std::size_t& at) {
    std::wstring piece;
    while (piece.size() < vk::kTipPieceLength && at < bytes.size()) {
        const char c = bytes[at++];
        if (c == '\r' && at < bytes.size() && bytes[at] == '\n') {
            continue;
        }
        piece += static_cast<wchar_t>(static_cast<unsigned char>(c));
        if (c == '\n') {
            break;
        }
    }
    return piece;
}

// The next tip from at: at most two ends (the read's own and the file's after the wrap) and one
// piece a step, so never more than the file's bytes and two steps.
std::optional<std::wstring> ModelNextTip(std::string_view bytes, std::size_t& at) {
    int ends = 0;
    for (std::size_t steps = 0; steps <= 2 * bytes.size() + 2; ++steps) {
        const std::wstring piece = ModelPiece(bytes, at);
        if (piece.empty()) {
            if (++ends > 1) {
                return std::nullopt;
            }
            at = 0;
        } else if (vk::IsTipLine(piece)) {
            return piece;
        }
    }
    VK_FUZZ_CHECK(!"the model reads too many pieces");
    return std::nullopt;
}

const std::filesystem::path& TipsPath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vk_fuzz_tips_" + std::to_string(getpid()) + ".tip");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::tm time{};
    time.tm_wday = input.ConsumeIntegral<int>();
    time.tm_mon = input.ConsumeIntegral<int>();
    time.tm_mday = input.ConsumeIntegral<int>();
    time.tm_hour = input.ConsumeIntegral<int>();
    time.tm_min = input.ConsumeIntegral<int>();
    time.tm_sec = input.ConsumeIntegral<int>();
    time.tm_year = input.ConsumeIntegralInRange<int>(-3000, 10000);
    VK_FUZZ_CHECK(vk::TimeStampText(time).size() < 64);

    const std::size_t seeks = input.ConsumeIntegralInRange<std::size_t>(0, 4);
    std::vector<std::int64_t> positions;
    for (std::size_t i = 0; i < seeks; ++i) {
        positions.push_back(input.ConsumeIntegralInRange<std::int64_t>(-2, 5000));
    }
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    {
        std::ofstream out(TipsPath(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    vk::TipsFile tips;
    VK_FUZZ_CHECK(tips.Open(TipsPath()));
    std::size_t modelAt = 0;
    for (std::size_t i = 0; i <= positions.size(); ++i) {
        if (i > 0) {
            const std::int64_t position = positions[i - 1];
            VK_FUZZ_CHECK(tips.Seek(position) == (position >= 0));
            if (position >= 0) {
                modelAt = std::min(static_cast<std::size_t>(position), bytes.size());
            }
        }
        // Two tips in a row from there: the second starts where the first ended.
        for (int read = 0; read < 2; ++read) {
            std::wstring tip;
            const vk::TipRead result = tips.ReadNextTip(tip);
            const std::optional<std::wstring> expected = ModelNextTip(bytes, modelAt);
            VK_FUZZ_CHECK(result != vk::TipRead::kRewindFailed);
            VK_FUZZ_CHECK((result == vk::TipRead::kTip) == expected.has_value());
            if (expected) {
                VK_FUZZ_CHECK(tip == *expected);
                VK_FUZZ_CHECK(tips.Position() == static_cast<std::int64_t>(modelAt));
            }
        }
    }
    std::size_t at = 0;
    VK_FUZZ_CHECK(tips.HoldsTip() == ModelNextTip(bytes, at).has_value());
    return 0;
}
