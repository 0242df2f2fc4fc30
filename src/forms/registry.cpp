#include "forms/registry.h"

#include <cwchar>

namespace kelbo::forms {

RegistryKey::RegistryKey(HKEY root, const std::wstring& path, Mode mode) {
    LONG r = ERROR_SUCCESS;
    switch (mode) {
    case Mode::kRead: r = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_); break;
    case Mode::kWrite: r = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_SET_VALUE, &key_); break;
    case Mode::kCreate:
        r = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                            &key_, nullptr);
        break;
    }
    if (r != ERROR_SUCCESS) key_ = nullptr;
}

RegistryKey::~RegistryKey() {
    if (key_) RegCloseKey(key_);
}

std::wstring RegistryKey::Read(const wchar_t* name) const {
    if (!key_) return {};
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) return {};
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS)
        return {};
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool RegistryKey::Write(const wchar_t* name, const std::wstring& value) {
    return key_ && RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace kelbo::forms
