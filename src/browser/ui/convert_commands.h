// The command "Konvertovanie": the picture conversion dialog, which the
// module owns.
#pragma once

#include <memory>
#include <vector>

#include "browser/ui/convert_dial.h"
#include "document/ui/command_host.h"

namespace kelbo {

class ConvertCommands : public CommandModule {
public:
    explicit ConvertCommands(CommandHost& host);
    ~ConvertCommands() override;

    std::vector<WindowStep> Windows() override;

    TConvertDial* ConvertDial() const { return convertDial_.get(); }

private:
    CommandHost& host_;
    std::unique_ptr<TConvertDial> convertDial_;
};

}  // namespace kelbo
