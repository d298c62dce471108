#include "platform/Profile.h"

#include <windows.h>

#include <vector>

namespace vk {
namespace {

class RegistryProfile final : public Profile {
public:
    RegistryProfile(std::wstring company, std::wstring application)
        : root_(L"Software\\" + std::move(company) + L"\\" + std::move(application)) {}

    int GetInt(std::wstring_view section, std::wstring_view key, int defaultValue) const override {
        DWORD value = 0;
        DWORD type = 0;
        DWORD size = sizeof value;
        const std::wstring name(key);
        if (RegGetValueW(HKEY_CURRENT_USER, SectionPath(section).c_str(), name.c_str(), RRF_RT_REG_DWORD, &type, &value,
                         &size) != ERROR_SUCCESS) {
            return defaultValue;
        }
        return static_cast<int>(value);
    }

    bool WriteInt(std::wstring_view section, std::wstring_view key, int value) override {
        const auto data = static_cast<DWORD>(value);
        return Write(section, key, REG_DWORD, &data, sizeof data);
    }

    std::wstring GetText(std::wstring_view section, std::wstring_view key,
                         std::wstring_view defaultValue) const override {
        const std::wstring path = SectionPath(section);
        const std::wstring name(key);
        // The value may change between the size query and the read: ask again while it grows.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD size = 0;
            if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
                ERROR_SUCCESS) {
                return std::wstring(defaultValue);
            }
            std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
            DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
            const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                                buffer.data(), &got);
            if (status == ERROR_SUCCESS) {
                return std::wstring(buffer.data());
            }
            if (status != ERROR_MORE_DATA) {
                break;
            }
        }
        return std::wstring(defaultValue);
    }

    bool WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) override {
        const std::wstring text(value);
        return Write(section, key, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring SectionPath(std::wstring_view section) const { return root_ + L"\\" + std::wstring(section); }

    bool Write(std::wstring_view section, std::wstring_view key, DWORD type, const void* data, DWORD size) {
        HKEY handle = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const std::wstring name(key);
        const LSTATUS status = RegSetValueExW(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(handle);
        return status == ERROR_SUCCESS;
    }

    std::wstring root_;
};

} // namespace

std::unique_ptr<Profile> MakeRegistryProfile(std::wstring company, std::wstring application) {
    return std::make_unique<RegistryProfile>(std::move(company), std::move(application));
}

} // namespace vk
