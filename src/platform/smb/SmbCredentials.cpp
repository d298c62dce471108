#include "platform/smb/SmbCredentials.h"

#include "platform/Blanks.h"
#include "platform/Utf8.h"

#include <fstream>

namespace vk {
namespace {

// Larger files are no authentication files.
constexpr std::size_t kMaxAuthFileSize = 64 * 1024;

bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// DOMAIN\NAME%PASSWORD: the domain and the password only where the text holds them.
void TakeUserApart(std::string_view text, SmbCredentials& credentials) {
    if (const std::size_t percent = text.find('%'); percent != std::string_view::npos) {
        credentials.password = text.substr(percent + 1);
        text = text.substr(0, percent);
    }
    if (const std::size_t separator = text.find_first_of("\\/"); separator != std::string_view::npos) {
        credentials.domain = text.substr(0, separator);
        text = text.substr(separator + 1);
    }
    credentials.user = text;
}

std::optional<std::wstring> ReadAuthFile(const std::wstring& path, SmbCredentials& credentials) {
    std::ifstream file(Utf8FromWide(path), std::ios::binary);
    if (!file) {
        return L"cannot read the authentication file " + path;
    }
    std::string text;
    text.resize(kMaxAuthFileSize + 1);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        return L"cannot read the authentication file " + path;
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxAuthFileSize) {
        return L"the authentication file " + path + L" is too large";
    }
    if (auto problem = ParseSmbAuthFile(text, credentials)) {
        return L"authentication file " + path + L": " + *problem;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::wstring> ParseSmbAuthFile(std::string_view text, SmbCredentials& credentials) {
    SmbCredentials parsed;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        const std::wstring where = L"line " + std::to_wstring(lineNumber);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return where + L" is not 'name = value'";
        }
        const std::string_view name = TrimBlanks(line.substr(0, equals));
        const std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (EqualAsciiNoCase(name, "username")) {
            TakeUserApart(value, parsed);
        } else if (EqualAsciiNoCase(name, "password")) {
            parsed.password = value;
        } else if (EqualAsciiNoCase(name, "domain")) {
            parsed.domain = value;
        } else {
            // The name is not quoted: a line the file holds in error may be a password.
            return where + L" sets none of username, password and domain";
        }
    }
    if (parsed.user.empty()) {
        return std::wstring(L"it names no user (username = NAME)");
    }
    credentials = std::move(parsed);
    return std::nullopt;
}

std::optional<std::wstring> LoadSmbCredentials(const std::wstring& authFile, const EnvironmentLookup& environment,
                                               SmbCredentials& credentials) {
    credentials = {};
    if (!authFile.empty()) {
        return ReadAuthFile(authFile, credentials);
    }
    if (const auto file = environment(kSmbAuthFileVariable); file && !file->empty()) {
        return ReadAuthFile(WideFromUtf8(*file), credentials);
    }
    if (const auto user = environment(kSmbUserVariable); user && !user->empty()) {
        TakeUserApart(*user, credentials);
        if (const auto password = environment(kSmbPasswordVariable)) {
            credentials.password = *password;
        }
        if (credentials.user.empty()) {
            return WideFromUtf8(kSmbUserVariable) + L" names no user";
        }
    }
    return std::nullopt;
}

} // namespace vk
