// TEditPointDial ("Úprava siete"): the links and nodes of the active warp
// window's source mesh, one at a time, read-only.
#pragma once

#include <functional>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "forms/timer.h"
#include "warp/mesh.h"

namespace kelbo {

class TEditPointDial : public forms::Form {
public:
    // `mesh` gives the active warp window's mesh, null when there is none.
    TEditPointDial(HWND owner, std::function<const WarpMesh*()> mesh);

    forms::TabControl PageControl1;
    forms::Panel TabSheet1;  // "Editácia spojov"
    forms::Panel TabSheet2;  // "Editácia uzlov"
    forms::Label Label5, Label3, Label1, Label2, Label4, Label6, Label7, Counts1;
    forms::Edit Edit5, Edit3, Edit1, Edit2, Edit4, Edit6, Edit7;
    forms::UpDown UpDown5;
    forms::TrackBar TrackBar1;
    forms::Label Label8, Label9, Label10, Counts2;
    forms::GroupBox GroupBox1;  // "Súradnice"
    forms::Edit Edit8, Edit9, Edit10;
    forms::UpDown UpDown8;
    forms::TrackBar TrackBar2;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    forms::Timer Timer1;

    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void CreateLinkPage();
    void CreateNodePage();
    void ShowPage();
    void ShowLink();
    void ShowNode();

    std::function<const WarpMesh*()> meshOf_;
    const WarpMesh* mesh_ = nullptr;
};

}  // namespace kelbo
