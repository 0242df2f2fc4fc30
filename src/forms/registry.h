// An open registry key that closes itself, with the string values the
// program reads and writes.
#pragma once

#include <windows.h>

#include <string>

namespace kelbo::forms {

class RegistryKey {
public:
    enum class Mode { kRead, kWrite, kCreate };

    // A key that cannot be opened (or created) is empty: false, reads give "".
    RegistryKey(HKEY root, const std::wstring& path, Mode mode);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

    // A REG_SZ value; "" when it is missing or of another type.
    std::wstring Read(const wchar_t* name) const;
    // A REG_SZ value (nullptr: the key's default value); false when refused.
    bool Write(const wchar_t* name, const std::wstring& value);

private:
    HKEY key_ = nullptr;
};

}  // namespace kelbo::forms
