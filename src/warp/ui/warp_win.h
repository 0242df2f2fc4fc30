// TWarpWin: the MDI child that holds one picture with a warp mesh drawn
// over it and edits the mesh with the mouse.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/settings.h"
#include "core/geometry.h"
#include "forms/dib.h"
#include "forms/form.h"
#include "forms/hints.h"
#include "forms/panel.h"
#include "warp/mesh.h"
#include "warp/ui/warp_host.h"

namespace kelbo {

enum class WarpTool { kAdd, kMove, kDelete };

// The mouse gesture in progress, shared by every warp window.
struct WarpGesture {
    bool pressed = false;
    MeshPoint start;
    MeshPoint end;
};

class TWarpWin : public forms::Form {
public:
    // `closed` runs when the window is gone; the object may be freed after it returns.
    TWarpWin(WarpHost& host, const Settings& settings, WarpGesture& gesture, std::function<void(TWarpWin&)> closed);
    ~TWarpWin() override;

    // Image1 takes the clean picture, Image2 a copy with the rectangle mesh
    // drawn; the window takes the picture's size + 8 by + 27.
    void SetPicture(std::shared_ptr<forms::DibSection> clean);

    forms::PictureView Image1;  // hidden: the clean picture
    forms::PictureView Image2;  // shown: the clean picture with the mesh
    WarpMesh Mesh;
    bool HoverShown = true;

    const std::shared_ptr<forms::DibSection>& Clean() const { return Image1.Picture(); }
    Size PictureSize() const;
    // From the warping tool bar.
    bool WarpMode() const;
    WarpTool Tool() const;
    MeshSide CurrentSide() const { return WarpMode() ? MeshSide::kTarget : MeshSide::kSource; }
    // Image2 := the clean picture, then the mesh of the current mode.
    void Redraw();
    std::string Hint() const { return hints_.HintOf(Image2.Handle()); }

    void Image2MouseDown(int x, int y);
    void Image2MouseMove(int x, int y);
    void Image2MouseUp(int x, int y);

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormClose() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class Painter;

    void FormActivate() override;
    void DrawMesh(MeshSide side);
    void DrawRubberBand();
    void MakeTargetForMouse();
    void ShowHover(MeshPoint& point);
    void AddLinkAtRelease(MeshPoint point);
    void UpdateScrollRanges();
    void ScrollView(int bar, WORD code);

    WarpHost& host_;
    const Settings& settings_;
    WarpGesture& gesture_;
    std::function<void(TWarpWin&)> closed_;
    forms::Hints hints_;
    // The first mark after Image2 is reset is filled with the canvas's
    // white brush; every later one is an outline.
    bool brushCleared_ = false;
};

}  // namespace kelbo
