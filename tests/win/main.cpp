// The Windows test program's entry: the same start-up the program makes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "forms/window.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::InitGoogleTest(&argc, argv);
    // An error box would wait for a person; a test that lets a handler throw
    // without expecting it fails instead.
    kelbo::forms::SetErrorReporter(
        [](HWND, std::string_view message) { ADD_FAILURE() << "unexpected error reported: " << std::string(message); });
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
