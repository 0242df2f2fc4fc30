#include <windows.h>

#include <exception>

#include "app/ui/view_form.h"
#include "core/text_encoding.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        kelbo::TViewForm form(instance);
        form.Create();
        form.Show(showCommand);
        return form.RunMessageLoop();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, kelbo::Utf8ToWide(e.what()).c_str(), L"Kelbo", MB_OK | MB_ICONERROR);
        return 1;
    }
}
