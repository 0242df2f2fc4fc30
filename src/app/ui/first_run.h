// The first start of a new version sets Kelbo up in the system: the shell
// extension copied and registered, the picture types hooked, the program
// recorded, shortcuts on the desktop and in the Start menu.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kelbo {

inline constexpr wchar_t kProgramKey[] = L"SOFTWARE\\Kelbo";
inline constexpr wchar_t kVersion[] = L"2.0";
inline constexpr wchar_t kBuiltOn[] = L"25. april 2000";

struct FirstRunPaths {
    std::wstring programFile;  // kelbo.exe
    std::wstring programDir;   // without the trailing backslash
    std::wstring windowsDir;
};

FirstRunPaths CurrentPaths();

// True when "RootDir" is set and "Version" and "BuiltOn" name this version.
bool AlreadySetUp();

enum class FirstRunResult { kAlreadySetUp, kDone, kCopyFailed };

// Runs the setup unless this version is set up already. A failed copy of
// the extension shows `report` the platform's message and skips the rest,
// so the next start tries again. `maximise` runs before anything is changed.
FirstRunResult RunFirstRunSetup(const FirstRunPaths& paths, const std::function<void(const std::string&)>& report,
                                const std::function<void()>& maximise);

// Copies block by block; a destination that is a directory gets the
// source's name. The copy goes through AtomicFileWriter, so a failure never
// leaves half a library in place.
// Throws FileError ("Cannot open file %s" / "Cannot create file %s").
void CopyFileBlocks(const std::wstring& source, const std::wstring& destination);

// The shortcut (target, description) saved through the shell's link object.
bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& description);

}  // namespace kelbo
