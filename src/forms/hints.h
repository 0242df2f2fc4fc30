// Tooltip hints for the controls of one form.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kelbo::forms {

class Hints {
public:
    Hints() = default;
    ~Hints();
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;

    void Add(HWND owner, HWND control, std::string_view text);
    // Changes the text of a control added before.
    void Update(HWND owner, HWND control, std::string_view text);
    // An inactive tooltip shows nothing until it is active again.
    void SetActive(bool active);
    std::string HintOf(HWND control) const;

private:
    HWND tooltip_ = nullptr;
};

}  // namespace kelbo::forms
