// The SMB authentication file: any bytes are read without harm; what is taken lies within a
// line, a file that is taken names a user, and an error never quotes the file.

#include "FuzzInput.h"
#include "platform/Utf8.h"
#include "platform/smb/SmbCredentials.h"

namespace {

// A value within one line of the file.
bool OneLine(std::string_view value) {
    return value.find('\n') == std::string_view::npos;
}

// The text with every run of digits as one '0'.
std::string DigitRunsAsZero(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit || out.empty() || out.back() != '0') {
            out += digit ? '0' : c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vk::SmbCredentials credentials;
    const std::optional<std::wstring> error = vk::ParseSmbAuthFile(text, credentials);
    if (!error) {
        VK_FUZZ_CHECK(credentials.Given());
        VK_FUZZ_CHECK(OneLine(credentials.user) && OneLine(credentials.domain) && OneLine(credentials.password));
        return 0;
    }
    // The error's own words (a line number in them read as 0) may hold a value that happens to be
    // one of them; any other value must not be in it.
    static const std::string kWording = "line 0 is not 'name = value'|line 0 sets none of username, password and "
                                        "domain|it names no user (username = NAME)";
    const std::string said = DigitRunsAsZero(vk::Utf8FromWide(*error));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view line = text.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            std::string_view value = line.substr(equals + 1);
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
                value.remove_prefix(1);
            }
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) {
                value.remove_suffix(1);
            }
            const std::string plain = DigitRunsAsZero(value);
            if (plain.size() >= 4 && kWording.find(plain) == std::string::npos) {
                VK_FUZZ_CHECK(said.find(plain) == std::string::npos);
            }
        }
        start = end + 1;
    }
    return 0;
}
