// The commands of the geometric operations and of the view's zoom, with
// their dialogs.
#pragma once

#include <memory>
#include <vector>

#include "document/ui/command_host.h"
#include "imaging/geometry/ui/add_borders_dial.h"
#include "imaging/geometry/ui/resize_dial.h"
#include "imaging/geometry/ui/rotate_dial.h"
#include "imaging/geometry/ui/shear_dial.h"
#include "imaging/geometry/ui/zoom_dial.h"

namespace kelbo {

class GeometryCommands : public CommandModule {
public:
    explicit GeometryCommands(CommandHost& host);
    ~GeometryCommands() override;

    std::vector<WindowStep> Windows() override;
    TZoomDial* ZoomDial() const { return zoomDial_.get(); }
    TRotateDial* RotateDial() const { return rotateDial_.get(); }
    TShearDial* ShearDial() const { return shearDial_.get(); }
    TResizeDial* ResizeDial() const { return resizeDial_.get(); }
    TAddBordersDial* AddBordersDial() const { return addBordersDial_.get(); }

private:
    void ZoomTo(int percent);
    void Invekos1Click();
    void Rotcia1Click();
    void Skosenieobrzku1Click();
    void Zmenavekosti1Click();
    void Pridajokraje1Click();
    void Mirror(void (*mirror)(PixelView, Progress*));

    CommandHost& host_;
    std::unique_ptr<TZoomDial> zoomDial_;
    std::unique_ptr<TRotateDial> rotateDial_;
    std::unique_ptr<TShearDial> shearDial_;
    std::unique_ptr<TResizeDial> resizeDial_;
    std::unique_ptr<TAddBordersDial> addBordersDial_;
};

}  // namespace kelbo
