#include "browser/ui/browser_commands.h"

#include <algorithm>

#include "app/commands.h"
#include "app/settings.h"

namespace kelbo {

BrowserCommands::BrowserCommands(CommandHost& host, BrowserLinks links) : host_(host), links_(std::move(links)) {
    for (UINT command : {Sprvcaobrzkov1, Sprvcaobrzkov2}) host_.BindCommand(command, [this] { OpenBrowser(); });
}

BrowserCommands::~BrowserCommands() = default;

TBrowserWin& BrowserCommands::OpenBrowser() {
    closed_.clear();
    BrowserHost& self = *this;
    browsers_.push_back(std::make_unique<TBrowserWin>(self, host_.ProgramSettings(), host_.MdiClient(),
                                                      host_.StatusProgress(),
                                                      [this](TBrowserWin& browser) { Closed(browser); }));
    SetStatusPanel(2, "Správca");
    return *browsers_.back();
}

void BrowserCommands::Closed(TBrowserWin& browser) {
    const auto it = std::find_if(browsers_.begin(), browsers_.end(),
                                 [&](const auto& b) { return b.get() == &browser; });
    if (it == browsers_.end()) return;
    closed_.push_back(std::move(*it));
    browsers_.erase(it);
}

TBrowserWin* BrowserCommands::ActiveBrowser() const {
    const auto active = reinterpret_cast<HWND>(SendMessageW(host_.MdiClient(), WM_MDIGETACTIVE, 0, 0));
    for (const auto& b : browsers_)
        if (b->Handle() == active) return b.get();
    return nullptr;
}

std::string BrowserCommands::ActiveBrowserFolder() const {
    const TBrowserWin* browser = ActiveBrowser();
    if (!browser) return {};
    return browser->SelectedFolder();
}

}  // namespace kelbo
