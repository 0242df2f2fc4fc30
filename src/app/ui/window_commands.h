// The main window's own menus that act on windows and the desktop: the
// "Okno" menu, help, wallpaper, settings, about, exit.
#pragma once

#include <memory>
#include <vector>

#include "app/ui/about_dial.h"
#include "app/ui/options_dial.h"
#include "document/ui/command_host.h"

namespace kelbo {

class WindowCommands : public CommandModule {
public:
    explicit WindowCommands(CommandHost& host);
    ~WindowCommands() override;

    std::vector<WindowStep> Windows() override;
    TAboutDial* AboutDial() const { return aboutDial_.get(); }
    TOptionsDial* OptionsDial() const { return optionsDial_.get(); }

private:
    void Wallpaper(bool tiled);
    void istitapetu1Click();
    void Priesvitnikony1Click();
    void Zatvorvetky1Click();
    void Popisfunkci1Click();
    void Poliemailautorovi1Click();

    CommandHost& host_;
    std::unique_ptr<TAboutDial> aboutDial_;
    std::unique_ptr<TOptionsDial> optionsDial_;
};

}  // namespace kelbo
