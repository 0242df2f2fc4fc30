// TContextMenu, the "Kelbo" item of Explorer's context menu of a picture
// file, and its class factory.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace kelbo::shellext {

// The class identifier of kContextMenuClsid.
CLSID ContextMenuClsid();

// Live objects, references to the factory and locks on it: the library may
// unload when all are 0.
LONG ServerUsers();

// The factory of the class `clsid`, or CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);

// The program's command line: RootDir without one trailing backslash,
// "\kelbo.exe", then the file in quotation marks so a path with spaces
// reaches the program as one argument.
std::wstring KelboCommandLine(std::wstring rootDir, const std::wstring& file);

}  // namespace kelbo::shellext
