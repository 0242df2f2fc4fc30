// The histogram window's commands, equalization, and the number of colours.
#include <string>

#include "app/ui/view_form.h"
#include "forms/menu.h"
#include "imaging/colour/colour_count.h"
#include "imaging/colour/histogram.h"
#include "imaging/colour/ui/color_num_dialog.h"
#include "imaging/colour/ui/histo_win.h"

namespace kelbo {

namespace {

// What "Počet farieb:" shows for the format a document is saved in; the
// screen's and unknown formats are held in 24 bits.
int BitsOfFormat(PixelFormat format) {
    switch (format) {
    case PixelFormat::k1: return 1;
    case PixelFormat::k4: return 4;
    case PixelFormat::k8: return 8;
    case PixelFormat::k15: return 15;
    case PixelFormat::k16: return 16;
    case PixelFormat::k32: return 32;
    default: return 24;
    }
}

// "1 farbu", "3 farby", "1234 farieb".
std::string ColoursText(std::size_t count) {
    const char* word = count == 1 ? " farbu" : count >= 2 && count <= 4 ? " farby" : " farieb";
    return std::to_string(count) + word;
}

}  // namespace

HistoHost TViewForm::HistogramHost() {
    HistoHost host;
    host.activePicture = [this]() -> std::shared_ptr<forms::DibSection> {
        TChildWin* doc = ActiveImageDocument();
        return doc ? doc->Image1.Picture() : nullptr;
    };
    host.showInfo = [this](std::string_view text) {
        if (text.empty()) {
            Panel1.ClearColor();
            return;
        }
        // The label breaks lines only at carriage returns paired with line feeds.
        std::string shown;
        for (char c : text) {
            if (c == '\r') shown += "\r\n"; else shown += c;
        }
        Panel1.ColorInfo.SetText(shown);
        Panel1.ColorBox.SetVisible(false);
    };
    host.wanted = [this] { return forms::ItemChecked(MainMenu1.get(), Oknohistogramu1); };
    host.closed = [this] { forms::SetItemChecked(MainMenu1.get(), Oknohistogramu1, false); };
    host.left = &HistoLeft;
    host.top = &HistoTop;
    host.rolled = &HistoRolled;
    return host;
}

void TViewForm::RollUpHistogram() {
    if (imaging_.histo && imaging_.histo->Visible()) imaging_.histo->RollUp();
}

void TViewForm::ShowInformation(std::string_view text) {
    if (Inform) {
        Inform(text);
        return;
    }
    forms::MessageDlg(Handle(), text, "Kelbo", MB_OK | MB_ICONINFORMATION);
}

void TViewForm::BindHistogramCommands() {
    const auto toggleHistogram = [this] {
        const bool show = !forms::ItemChecked(MainMenu1.get(), Oknohistogramu1);
        forms::SetItemChecked(MainMenu1.get(), Oknohistogramu1, show);
        if (!imaging_.histo) return;
        if (show)
            ShowWindow(imaging_.histo->Handle(), SW_SHOWNA);
        else
            imaging_.histo->Hide();
    };
    OnCommand(Vytvor1, toggleHistogram);
    OnCommand(Oknohistogramu1, toggleHistogram);

    OnCommand(Ekvalizcia1, [this] {
        // Neither an undo snapshot nor progress on the status bar.
        if (TChildWin* doc = ActiveImageDocument())
            ChangeInPlace(*doc, [](PixelView p, Progress*) { Equalize(p, nullptr); }, false);
    });

    OnCommand(PocetFarieb1, [this] {
        TChildWin* doc = ActiveImageDocument();
        if (!doc || !imaging_.colorNum) return;
        const std::shared_ptr<forms::DibSection>& picture = doc->Image1.Picture();
        if (!picture || picture->Empty()) return;
        CurrentDocument = doc;
        GdiFlush();
        imaging_.colorNum->SetInformation(BitsOfFormat(doc->LoadedPixelFormat), CountColours(picture->View()));
        if (imaging_.colorNum->ShowModal() != forms::mrOk || !CurrentDocument) return;
        TChildWin& target = *CurrentDocument;
        const ColourDepth depth = imaging_.colorNum->Depth();
        // "OK" without a method rounds to the nearest colour of the palette.
        const ReductionMethod method = imaging_.colorNum->Method().value_or(ReductionMethod::kRounding);
        std::vector<Color> palette;
        if (depth != ColourDepth::kTrueColour) {
            ChangeInPlace(target, [&](PixelView p, Progress* progress) {
                palette = ReductionPalette(p, depth);
                ReduceColours(p, palette, method, progress);
            });
        } else {
            target.Modified = true;
        }
        // Saving writes the chosen depth; the picture itself stays 24-bit.
        target.LoadedPixelFormat = DepthFormat(depth);
        target.LoadedPalette = std::move(palette);
    });

    OnCommand(Poetpouitchfarieb1, [this] {
        TChildWin* doc = ActiveImageDocument();
        if (!doc) return;
        const std::shared_ptr<forms::DibSection>& picture = doc->Image1.Picture();
        if (!picture || picture->Empty()) return;
        GdiFlush();
        ShowInformation("Obrázok používa " + ColoursText(CountColours(picture->View())) + ".");
    });
}

}  // namespace kelbo
