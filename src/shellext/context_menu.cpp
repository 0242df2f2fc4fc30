// The class lives in the single-threaded apartment that created it, so the
// counts are plain integers. An aggregated object answers IUnknown through
// its own inner unknown and everything else through the outer object.
#include "shellext/context_menu.h"

#include <shellapi.h>

#include <cwchar>
#include <exception>
#include <new>

#include "shellext/clsid.h"

namespace kelbo::shellext {
namespace {

LONG g_objects = 0;
LONG g_factoryUsers = 0;

constexpr wchar_t kItem[] = L"Kelbo";
constexpr wchar_t kHelpText[] = L"Otvára obrázok v programe Kelbo.";
constexpr wchar_t kStartError[] = L"Nastala chyba pri vyhľadávaní a spúštaní programu Kelbo.";

std::wstring ReadRootDir() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Kelbo", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    wchar_t value[MAX_PATH * 2] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG r = RegQueryValueExW(key, L"RootDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    return value;
}

class TContextMenu final : public IShellExtInit, public IContextMenu {
public:
    explicit TContextMenu(IUnknown* outer) : outer_(outer ? outer : &inner_) { ++g_objects; }
    ~TContextMenu() { --g_objects; }
    TContextMenu(const TContextMenu&) = delete;
    TContextMenu& operator=(const TContextMenu&) = delete;

    IUnknown* Inner() { return &inner_; }

    // IUnknown, delegating to the controlling unknown.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return outer_->QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) override {
        if (!data) return E_FAIL;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        const HRESULT got = data->GetData(&format, &medium);
        if (FAILED(got)) return got;
        HRESULT result = E_FAIL;
        const auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
        if (drop && DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1 &&
            DragQueryFileW(drop, 0, fileName_, MAX_PATH + 1) > 0)
            result = S_OK;
        if (drop) GlobalUnlock(medium.hGlobal);
        ReleaseStgMedium(&medium);
        return result;
    }

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT, UINT) override {
        if (!InsertMenuW(menu, index, MF_STRING | MF_BYPOSITION, first, kItem))
            return HRESULT_FROM_WIN32(GetLastError());
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
    }

    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        if (!info) return E_INVALIDARG;
        const auto verb = reinterpret_cast<UINT_PTR>(info->lpVerb);
        if (HIWORD(verb) != 0) return E_FAIL;
        if (LOWORD(verb) != 0) return E_INVALIDARG;
        std::wstring command = KelboCommandLine(ReadRootDir(), fileName_);
        // CreateProcess rather than WinExec: WinExec takes the ANSI code page
        // and would lose any letter of the path outside it.
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(info->nShow);
        PROCESS_INFORMATION process{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        } else {
            MessageBoxW(info->hwnd, kStartError, L"Chyba", MB_ICONERROR | MB_OK);
        }
        return S_OK;
    }

    STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT*, CHAR* name, UINT size) override {
        if (command != 0) return E_INVALIDARG;
        if (!name || size == 0) return S_OK;
        if (type & GCS_UNICODE) {
            auto* wide = reinterpret_cast<wchar_t*>(name);
            wcsncpy(wide, kHelpText, size - 1);
            wide[size - 1] = L'\0';
        } else {
            const int n = WideCharToMultiByte(CP_ACP, 0, kHelpText, -1, name, static_cast<int>(size), nullptr, nullptr);
            if (n == 0) name[size - 1] = '\0';  // too small: the text cut at the buffer's end
        }
        return S_OK;
    }

private:
    // The object's own IUnknown: the only one an aggregating object sees.
    class InnerUnknown : public IUnknown {
    public:
        explicit InnerUnknown(TContextMenu& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
            if (!out) return E_POINTER;
            *out = nullptr;
            if (IsEqualIID(iid, IID_IUnknown)) {
                *out = static_cast<IUnknown*>(this);
            } else if (IsEqualIID(iid, IID_IShellExtInit)) {
                *out = static_cast<IShellExtInit*>(&owner_);
            } else if (IsEqualIID(iid, IID_IContextMenu)) {
                *out = static_cast<IContextMenu*>(&owner_);
            } else {
                return E_NOINTERFACE;
            }
            static_cast<IUnknown*>(*out)->AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++count_; }
        STDMETHODIMP_(ULONG) Release() override {
            const ULONG left = --count_;
            if (left == 0) delete &owner_;
            return left;
        }

    private:
        TContextMenu& owner_;
        ULONG count_ = 0;
    };

    InnerUnknown inner_{*this};
    IUnknown* outer_;
    wchar_t fileName_[MAX_PATH + 1] = {};
};

class ClassFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++g_factoryUsers); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--g_factoryUsers); }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
        try {
            auto* object = new TContextMenu(outer);
            IUnknown* inner = object->Inner();
            inner->AddRef();
            const HRESULT r = inner->QueryInterface(iid, out);
            inner->Release();  // the object goes again when nobody took it
            return r;
        } catch (const std::exception& e) {
            MessageBoxA(nullptr, e.what(), "Chyba", MB_ICONERROR | MB_OK);
            return E_UNEXPECTED;
        }
    }

    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) {
            ++g_factoryUsers;
        } else {
            --g_factoryUsers;
        }
        return S_OK;
    }
};

ClassFactory g_factory;

}  // namespace

CLSID ContextMenuClsid() {
    const Guid& g = kContextMenuClsid;
    CLSID id{g.data1, g.data2, g.data3, {}};
    for (int i = 0; i < 8; ++i) id.Data4[i] = g.data4[i];
    return id;
}

LONG ServerUsers() { return g_objects + g_factoryUsers; }

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, ContextMenuClsid())) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

std::wstring KelboCommandLine(std::wstring rootDir, const std::wstring& file) {
    if (!rootDir.empty() && rootDir.back() == L'\\') rootDir.pop_back();
    return rootDir + L"\\kelbo.exe \"" + file + L"\"";
}

}  // namespace kelbo::shellext
