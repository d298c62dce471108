#include "platform/smb/SmbUrl.h"

#include "platform/Utf8.h"

namespace vk {
namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string EncodedName(std::wstring_view name) {
    return PercentEncode(Utf8FromWide(name));
}

} // namespace

std::string PercentEncode(std::string_view utf8) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::optional<UncParts> SplitUncPath(std::wstring_view unc) {
    if (unc.size() < 3 || unc[0] != L'\\' || unc[1] != L'\\' || unc[2] == L'\\') {
        return std::nullopt;
    }
    unc.remove_prefix(2);
    UncParts parts;
    bool first = true;
    while (true) {
        const std::size_t end = unc.find(L'\\');
        const std::wstring_view name = unc.substr(0, end);
        if (name.find(L'\0') != std::wstring_view::npos) {
            return std::nullopt;
        }
        if (first) {
            if (name.empty() || name == L"." || name == L".." || name.find(L'/') != std::wstring_view::npos) {
                return std::nullopt;
            }
            parts.server = name;
            first = false;
        } else if (name == L"..") {
            if (parts.names.size() > 1) {
                parts.names.pop_back();
            }
        } else if (!name.empty() && name != L".") {
            parts.names.emplace_back(name);
        }
        if (end == std::wstring_view::npos) {
            return parts;
        }
        unc.remove_prefix(end + 1);
    }
}

std::string SmbUrl(const UncParts& parts) {
    std::string url(kSmbNetworkUrl);
    url += EncodedName(parts.server);
    url += '/';
    for (std::size_t i = 0; i < parts.names.size(); ++i) {
        if (i > 0) {
            url += '/';
        }
        url += EncodedName(parts.names[i]);
    }
    return url;
}

std::optional<std::string> SmbUrlFromUnc(std::wstring_view unc) {
    const auto parts = SplitUncPath(unc);
    if (!parts) {
        return std::nullopt;
    }
    return SmbUrl(*parts);
}

std::string SmbWorkgroupUrl(std::wstring_view workgroup) {
    return std::string(kSmbNetworkUrl) + EncodedName(workgroup) + "/";
}

} // namespace vk
