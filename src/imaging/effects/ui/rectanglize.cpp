#include "imaging/effects/ui/rectanglize.h"

#include "imaging/ui/dial_parts.h"

namespace kelbo {

TRectanglize::TRectanglize(HWND owner) {
    CreateForm(L"TRectanglize", "Premeň na pravouholníky...", {0, 0, 320, 130},
               WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
}

void TRectanglize::FormCreate() {
    SetClientSize(300, 88);
    Label1.Create(Handle(), {12, 16, 80, 16}, "Rozmer X:");
    CreateNumberField(Edit1, UpDown1, Handle(), {96, 12, 80, 22}, "0", 0, 100);
    Label2.Create(Handle(), {12, 52, 80, 16}, "Rozmer Y:");
    CreateNumberField(Edit2, UpDown2, Handle(), {96, 48, 80, 22}, "0", 0, 100);
    OKBtn.Create(Handle(), {208, 10, 80, 25}, "OK", true);
    CancelBtn.Create(Handle(), {208, 42, 80, 25}, "Zatvor");
    OKBtn.OnClick = [this] { SetModalResult(forms::mrOk); };
    CancelBtn.OnClick = [this] { SetModalResult(forms::mrCancel); };
    Edit1.OnChange = [this] { ResetUnlessWhole(Edit1, "0"); };
    Edit2.OnChange = [this] { ResetUnlessWhole(Edit2, "0"); };
    CenterOnScreen();
}

int TRectanglize::CellWidth() const { return FieldValue(Edit1, 0); }

int TRectanglize::CellHeight() const { return FieldValue(Edit2, 0); }

}  // namespace kelbo
