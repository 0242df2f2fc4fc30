// The File menu's commands on pictures: new, open, save, save as, save all,
// delete, and the recent-files list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/recent_files.h"
#include "document/ui/command_host.h"
#include "document/ui/new_win_dial.h"

namespace kelbo {

class FileCommands : public CommandModule {
public:
    explicit FileCommands(CommandHost& host);
    ~FileCommands() override;

    std::vector<WindowStep> Windows() override;
    TNewWinDial* NewWinDial() const { return newWinDial_.get(); }

    // Opens a picture file as a new image document; a file that cannot be
    // read is reported and its window stays open with what it has.
    void OpenPicture(const std::string& path);
    // The recent-files list of the File menu (and the shell's recent documents).
    void AddRecentFile(const std::string& path);
    const RecentFiles& Recent() const { return recent_; }
    // Save and Save As of one document: false when the file could not be
    // written (the error was shown), true also when the dialog was cancelled.
    bool SaveDocument(TChildWin& doc);
    bool SaveDocumentAs(TChildWin& doc);

private:
    void ShowRecentFiles();
    void RecentFileClick(int index);
    void Otvor1Click();
    void Ulovetky1Click();
    void Zmaza1Click();
    // Writes in the document's recorded format; false (error shown) on failure.
    bool WriteDocument(TChildWin& doc, const std::string& path);

    CommandHost& host_;
    RecentFiles recent_;
    std::unique_ptr<TNewWinDial> newWinDial_;
};

}  // namespace kelbo
