#include "browser/ui/convert_commands.h"

#include "app/commands.h"

namespace kelbo {

ConvertCommands::ConvertCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(Konvertovanie1, [this] {
        if (convertDial_) convertDial_->ShowModal();
    });
}

ConvertCommands::~ConvertCommands() = default;

std::vector<WindowStep> ConvertCommands::Windows() {
    return {{"TConvertDial", [this] { convertDial_ = std::make_unique<TConvertDial>(host_); }}};
}

}  // namespace kelbo
