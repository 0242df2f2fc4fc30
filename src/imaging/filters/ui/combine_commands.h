// The "Efe&kty" menu's commands that combine two pictures from files:
// "Alfa miešanie" and "Aritmetické funkcie". Each result opens in a new
// document; no open document takes part.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/filters/ui/alfa_dial.h"
#include "imaging/filters/ui/aritmetic_dial.h"

namespace kelbo {

class CombineCommands : public CommandModule {
public:
    explicit CombineCommands(CommandHost& host);
    ~CombineCommands() override;

    std::vector<WindowStep> Windows() override;

    TAlfaDial* AlfaDial() const { return alfaDial_.get(); }
    TAritmeticDial* AritmeticDial() const { return aritmeticDial_.get(); }

private:
    void Alfamieanie1Click();
    void Aritmetickfunkcie1Click();

    CommandHost& host_;
    std::unique_ptr<TAlfaDial> alfaDial_;
    std::unique_ptr<TAritmeticDial> aritmeticDial_;
};

}  // namespace kelbo
