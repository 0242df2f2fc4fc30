// A stand-in kelbo.exe for the context-menu tests: writes its command line
// arguments, counted, in UTF-8 to the file named by KELBO_STANDIN_OUT.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t out[MAX_PATH];
    if (!GetEnvironmentVariableW(L"KELBO_STANDIN_OUT", out, MAX_PATH)) return 1;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    FILE* file = _wfopen(out, L"wb");
    if (!file) return 1;
    std::fprintf(file, "%d\n", count);
    for (int i = 0; i < count; ++i) {
        char utf8[4 * MAX_PATH];
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, utf8, sizeof(utf8), nullptr, nullptr);
        std::fprintf(file, "%s\n", utf8);
    }
    std::fclose(file);
    LocalFree(argv);
    return 0;
}
