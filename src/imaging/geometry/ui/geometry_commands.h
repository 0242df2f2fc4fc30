// The commands of the geometric operations and of the view's zoom, with
// their dialogs.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/geometry/ui/zoom_dial.h"

namespace kelbo {

class GeometryCommands : public CommandModule {
public:
    explicit GeometryCommands(CommandHost& host);
    ~GeometryCommands() override;

    std::vector<WindowStep> Windows() override;
    TZoomDial* ZoomDial() const { return zoomDial_.get(); }

private:
    void ZoomTo(int percent);
    void Invekos1Click();

    CommandHost& host_;
    std::unique_ptr<TZoomDial> zoomDial_;
};

}  // namespace kelbo
