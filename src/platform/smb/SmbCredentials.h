#pragma once
// Who the SMB client logs on as. The user name and password come from an authentication file in
// the format of smbclient's -A option, or from the environment; never from the command line
// alone, and they are never printed. Without them the client logs on as guest, and anonymously
// where a server refuses guests.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

struct SmbCredentials {
    std::string domain; // workgroup or domain; empty: the client's configured one
    std::string user;   // empty: guest
    std::string password;

    [[nodiscard]] bool Given() const { return !user.empty(); }
};

// Parses an authentication file:
//
//   username = NAME      (DOMAIN\NAME, DOMAIN/NAME and NAME%PASSWORD are taken apart too)
//   password = PASSWORD
//   domain   = DOMAIN
//
// Blank lines and lines that begin with '#' or ';' are skipped; spaces around names and values
// are not part of them. Returns an error text, which never quotes the file, or nothing.
[[nodiscard]] std::optional<std::wstring> ParseSmbAuthFile(std::string_view text, SmbCredentials& credentials);

// The value of an environment variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The environment variables the credentials may come from.
inline constexpr const char* kSmbAuthFileVariable = "VARNOKLE_SMB_AUTH_FILE";
inline constexpr const char* kSmbUserVariable = "VARNOKLE_SMB_USER";
inline constexpr const char* kSmbPasswordVariable = "VARNOKLE_SMB_PASSWORD";

// The credentials from the first source that is given: the authentication file authFile (from the
// command line; empty when none), the one VARNOKLE_SMB_AUTH_FILE names, or VARNOKLE_SMB_USER
// (read like a user name of the file) with VARNOKLE_SMB_PASSWORD. None: guest. Returns an error
// text or nothing.
[[nodiscard]] std::optional<std::wstring>
LoadSmbCredentials(const std::wstring& authFile, const EnvironmentLookup& environment, SmbCredentials& credentials);

} // namespace vk
