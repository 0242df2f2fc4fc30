// The two dialogs that ask for a filter's strength ("Sila filtrácie") and
// show its live preview; the main window runs the filter after "OK".
#pragma once

#include <string_view>

#include "core/bitmap24.h"
#include "core/progress.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "imaging/filters/filter_fields.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TStrengthDial : public forms::Form {
public:
    forms::GroupBox GroupBox1;  // "Vstupné hodnoty"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::UpDown UpDown1;
    forms::Button OKBtn;
    forms::Button CancelBtn;
    LivePreview Preview;

    // The radius "OK" filters with: the field's value after its correction.
    int Radius() const { return setup_.check(Edit1.Text()).value; }

protected:
    struct Setup {
        const wchar_t* className;
        const char* caption;
        int arrowsMax;  // the up-down's range is 2 .. arrowsMax
        UINT previewInterval;
        FieldCheck (*check)(std::string_view text);
        // The preview of a tick uses the number as typed rather than as corrected.
        bool previewAsTyped;
        Bitmap24 (*filter)(ConstPixelView source, int radius, Progress* progress);
    };
    TStrengthDial(HWND owner, const ImagingContext& context, const Setup& setup);

    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void Timer1Timer();

    const ImagingContext& context_;
    Setup setup_;
    int previewRadius_ = 0;
};

// "Obyčajná filtrácia": the horizontal average, previewed 1500 ms after a change.
class TFilterDial : public TStrengthDial {
public:
    TFilterDial(HWND owner, const ImagingContext& context);
};

// "Filtrovanie mediánom...": the horizontal median.
class TMedianDial : public TStrengthDial {
public:
    TMedianDial(HWND owner, const ImagingContext& context);
};

}  // namespace kelbo
