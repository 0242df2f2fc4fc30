#include "imaging/geometry/ui/geometry_commands.h"

#include "app/commands.h"
#include "document/document_view.h"
#include "document/ui/child_win.h"

namespace kelbo {

GeometryCommands::GeometryCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(N501, [this] { ZoomTo(50); });
    host_.BindCommand(N1001, [this] { ZoomTo(100); });
    host_.BindCommand(N2001, [this] { ZoomTo(200); });
    host_.BindCommand(N3001, [this] { ZoomTo(300); });
    host_.BindCommand(Invekos1, [this] { Invekos1Click(); });
}

GeometryCommands::~GeometryCommands() = default;

std::vector<WindowStep> GeometryCommands::Windows() {
    return {{"TZoomDial", [this] { zoomDial_ = std::make_unique<TZoomDial>(host_.Owner()); }}};
}

void GeometryCommands::ZoomTo(int percent) {
    TChildWin* doc = host_.ActiveImageDocument();
    if (!doc) return;
    host_.SetCurrent(doc);
    doc->SetViewSize(ZoomedView(doc->PictureSize(), percent));
}

void GeometryCommands::Invekos1Click() {
    TChildWin* doc = RunOperationDialog(host_, zoomDial_.get());
    if (!doc) return;
    const std::optional<int> percent = zoomDial_->Percent();
    if (!percent) return;
    doc->SetViewSize(ZoomedView(doc->PictureSize(), *percent));
}

}  // namespace kelbo
