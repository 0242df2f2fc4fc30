// "Správca obrázkov": every use opens a new browser window; the module owns
// the windows and frees each when it closes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/ui/browser_host.h"
#include "browser/ui/browser_win.h"
#include "document/ui/command_host.h"
#include "document/ui/document_host.h"

namespace kelbo {

// What the browser asks of the main window and of the warp windows.
struct BrowserLinks {
    DocumentHost& documents;
    std::function<void(const std::string& path)> openPicture;
    std::function<void(const std::string& path)> openInWarpWindow;
    std::function<void(const std::string& path)> addRecentFile;
    std::function<void()> activated;
};

class BrowserCommands : public CommandModule, private BrowserHost {
public:
    BrowserCommands(CommandHost& host, BrowserLinks links);
    ~BrowserCommands() override;

    TBrowserWin& OpenBrowser();
    // The active browser window, or null.
    TBrowserWin* ActiveBrowser() const;
    // The folder of the active browser's selected node, without a trailing backslash; "" for none.
    std::string ActiveBrowserFolder() const;
    const std::vector<std::unique_ptr<TBrowserWin>>& Browsers() const { return browsers_; }

private:
    void Closed(TBrowserWin& browser);

    // BrowserHost
    void SetStatusPanel(int panel, std::string_view text) override { links_.documents.SetStatusPanel(panel, text); }
    void OpenPicture(const std::string& path) override { links_.openPicture(path); }
    void OpenInWarpWindow(const std::string& path) override { links_.openInWarpWindow(path); }
    void AddRecentFile(const std::string& path) override { links_.addRecentFile(path); }
    void BrowserActivated() override { links_.activated(); }
    void ReportError(std::string_view message) override { host_.ReportError(message); }
    int Ask(std::string_view text, UINT buttons) override { return host_.Ask(text, buttons); }
    bool ExecuteFileDialog(forms::FileDialog& dialog, bool save) override {
        return host_.ExecuteFileDialog(dialog, save);
    }

    CommandHost& host_;
    BrowserLinks links_;
    std::vector<std::unique_ptr<TBrowserWin>> browsers_;
    std::vector<std::unique_ptr<TBrowserWin>> closed_;  // freed after their last message
};

}  // namespace kelbo
