// TToolDlg ("Výber útvaru"): a shape by its coordinates, one kind a page;
// "Kresli" takes the active page's shape, "Zatvor" leaves it unchanged.
// The fields keep their values between uses.
#pragma once

#include <optional>
#include <string_view>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "forms/timer.h"
#include "paint/paint_tools.h"

namespace kelbo {

class TToolDlg : public forms::Form {
public:
    explicit TToolDlg(HWND owner);

    // A group of two number fields, "X" and "Y".
    struct PointFields {
        forms::GroupBox Group;
        forms::Label XLabel, YLabel;
        forms::Edit XEdit, YEdit;
        Point Value() const;
    };

    forms::TabControl PageControl1;  // "Elipsa", "Obdĺžnik", "Čiara", "Bod"
    forms::Panel EllipseSheet, RectangleSheet, LineSheet, PointSheet;
    PointFields Centre, Radius;        // "Stred", "Polomer"
    PointFields TopLeft, BottomRight;  // "Ľavý horný roh", "Pravý dolný roh"
    PointFields LineStart, LineEnd;    // "Začiatok", "Koniec"
    PointFields Coordinates;           // "Súradnice"
    forms::Button DrawBtn;             // "Kresli"
    forms::Button CloseBtn;            // "Zatvor"
    forms::Timer Timer1;

    // Shows the dialog; the active page's shape after "Kresli", nothing after "Zatvor".
    std::optional<ToolShape> Choose();
    // The shape the active page's fields describe; text that is no whole number counts as 0.
    ToolShape Shape() const;
    void Timer1Timer();

protected:
    void FormCreate() override;
    void FormActivate() override { Timer1.SetEnabled(true); }
    void FormDeactivate() override { Timer1.SetEnabled(false); }

private:
    void CreateGroup(PointFields& fields, forms::Panel& sheet, int left, std::string_view caption);
    void ShowPage();
};

}  // namespace kelbo
