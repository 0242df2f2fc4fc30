// In-process COM server entry points of KelboMenu.dll.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "shellext/clsid.h"
#include "shellext/context_menu.h"
#include "shellext/registry_key.h"

namespace {

HMODULE g_module = nullptr;

// "CLSID\{...}" in the upper-case form the system's own conversion produces.
std::wstring ClassKeyPath() {
    wchar_t text[64];
    CLSID id = kelbo::shellext::ContextMenuClsid();
    StringFromGUID2(id, text, 64);
    return std::wstring(L"CLSID\\") + text;
}

bool SetDefaultValue(const std::wstring& keyPath, const std::wstring& value) {
    kelbo::shellext::RegistryKey key(HKEY_CLASSES_ROOT, keyPath.c_str());
    if (!key) return false;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    return kelbo::shellext::GetClassObject(clsid, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return kelbo::shellext::ServerUsers() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    const std::wstring classKey = ClassKeyPath();
    const std::string description = kelbo::shellext::kContextMenuDescription;
    if (!SetDefaultValue(classKey, std::wstring(description.begin(), description.end()))) return E_FAIL;
    const std::wstring path = ModulePath();
    if (path.empty() || !SetDefaultValue(classKey + L"\\InprocServer32", path)) return E_FAIL;
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    const std::wstring classKey = ClassKeyPath();
    LONG inner = RegDeleteKeyW(HKEY_CLASSES_ROOT, (classKey + L"\\InprocServer32").c_str());
    LONG outer = RegDeleteKeyW(HKEY_CLASSES_ROOT, classKey.c_str());
    auto gone = [](LONG r) { return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND; };
    return gone(inner) && gone(outer) ? S_OK : E_FAIL;
}
