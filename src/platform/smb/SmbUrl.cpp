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

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
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

std::string SmbUrl(const UncPath& path) {
    std::string url(kSmbNetworkUrl);
    url += EncodedName(path.server);
    url += '/';
    for (std::size_t i = 0; i < path.components.size(); ++i) {
        if (i > 0) {
            url += '/';
        }
        url += EncodedName(path.components[i]);
    }
    return url;
}

std::optional<std::string> SmbUrlFromUnc(std::wstring_view unc) {
    UncPath path;
    if (!ParseUncPath(unc, path)) {
        return std::nullopt;
    }
    return SmbUrl(path);
}

std::wstring UncFromSmbUrl(std::string_view url) {
    if (url.starts_with(kSmbNetworkUrl)) {
        url.remove_prefix(kSmbNetworkUrl.size());
    }
    while (url.ends_with('/')) {
        url.remove_suffix(1);
    }
    std::string path = "\\\\";
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '/') {
            path += '\\';
        } else if (url[i] == '%' && i + 2 < url.size() && HexValue(url[i + 1]) >= 0 && HexValue(url[i + 2]) >= 0) {
            path += static_cast<char>(HexValue(url[i + 1]) * 16 + HexValue(url[i + 2]));
            i += 2;
        } else {
            path += url[i];
        }
    }
    return WideFromUtf8(path);
}

std::string SmbWorkgroupUrl(std::wstring_view workgroup) {
    return std::string(kSmbNetworkUrl) + EncodedName(workgroup) + "/";
}

} // namespace vk
