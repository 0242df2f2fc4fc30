#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "app/ui/program.h"
#include "forms/dialogs.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 1;
    try {
        if (kelbo::ApplySingleInstanceRule(kelbo::FindRunningInstance())) {
            kelbo::Program program(kelbo::ParseStartOptions(kelbo::ProcessArguments()));
            program.CreateWindows();
            result = program.Run();
        } else {
            result = 0;
        }
    } catch (const std::exception& e) {
        kelbo::forms::ShowError(nullptr, e.what());
    }
    CoUninitialize();
    return result;
}
