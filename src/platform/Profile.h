#pragma once
// The application profile: integer values and texts by section and key, kept per user. On Windows
// it is the current user's registry under Software\<company>\<application>\<section>; tests and
// the native build use the in-memory profile.
//
// As the system's profile calls do, reading a missing or unreadable value gives the default, and
// failures are not reported to the user (the write functions return whether they succeeded).

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace vk {

class Profile {
public:
    virtual ~Profile() = default;
    [[nodiscard]] virtual int GetInt(std::wstring_view section, std::wstring_view key, int defaultValue) const = 0;
    virtual bool WriteInt(std::wstring_view section, std::wstring_view key, int value) = 0;
    [[nodiscard]] virtual std::wstring GetText(std::wstring_view section, std::wstring_view key,
                                               std::wstring_view defaultValue) const = 0;
    virtual bool WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) = 0;
};

// A profile held in memory, for tests and for a program without a profile store.
class MemoryProfile final : public Profile {
public:
    [[nodiscard]] int GetInt(std::wstring_view section, std::wstring_view key, int defaultValue) const override;
    bool WriteInt(std::wstring_view section, std::wstring_view key, int value) override;
    [[nodiscard]] std::wstring GetText(std::wstring_view section, std::wstring_view key,
                                       std::wstring_view defaultValue) const override;
    bool WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) override;

    // Whether a value of either kind is stored (tests check what was written).
    [[nodiscard]] bool Has(std::wstring_view section, std::wstring_view key) const;
    // Writes fail from now on while failing is true (tests of a profile that cannot be written).
    void SetFailing(bool failing) { failing_ = failing; }

private:
    using Key = std::pair<std::wstring, std::wstring>; // section and key, upper case
    [[nodiscard]] static Key MakeKey(std::wstring_view section, std::wstring_view key);

    std::map<Key, int> ints_;
    std::map<Key, std::wstring> texts_;
    bool failing_ = false;
};

#ifdef _WIN32
// The current user's registry: HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
// Integers are REG_DWORD values, texts REG_SZ values.
std::unique_ptr<Profile> MakeRegistryProfile(std::wstring company, std::wstring application);
#endif

// The program's profile, selected at start-up. Until then (and in programs that never select
// one) an in-memory profile of its own.
[[nodiscard]] Profile& AppProfile();
// Selects the program's profile (not owned; must outlive its use). Null goes back to the
// in-memory one.
void SetAppProfile(Profile* profile);

} // namespace vk
