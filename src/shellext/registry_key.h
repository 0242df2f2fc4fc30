// An open registry key that closes itself. The extension shares no code with
// the program, so it keeps its own small copy.
#pragma once

#include <windows.h>

namespace kelbo::shellext {

class RegistryKey {
public:
    // Creates the key (or opens it when it exists) for writing values.
    RegistryKey(HKEY root, const wchar_t* path) {
        if (RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace kelbo::shellext
