#include "imaging/filters/ui/combine_commands.h"

#include <algorithm>
#include <exception>

#include "app/commands.h"
#include "document/document_view.h"
#include "imaging/filters/combine.h"

namespace kelbo {
namespace {

// The arithmetic shows its result growing every 10th column and the main
// window every 20th.
constexpr GrowingRepaints kByColumns{10, 20};

// Columns x … x + count − 1 of a view, `height` rows from the top.
ConstPixelView ColumnsOf(ConstPixelView v, int x, int count, int height) {
    return {v.Row(0) + 3 * x, count, height, v.Stride()};
}

// Columns outer, as the result is shown growing: a band of the repaint's
// columns at a time, so each Combine's table serves ten columns.
void CombineByColumns(ConstPixelView a, ConstPixelView b, CombineMethod method, PixelView target, Progress* progress) {
    const ProgressScope shown(progress, target.Width() - 1);
    for (int x = 0; x < target.Width(); x += kByColumns.documentEvery) {
        const int count = std::min(kByColumns.documentEvery, target.Width() - x);
        const Bitmap24 band = Combine(ColumnsOf(a, x, count, target.Height()), ColumnsOf(b, x, count, target.Height()),
                                      method);
        CopyPixels(PixelView(target.Row(0) + 3 * x, count, target.Height(), target.Stride()), band.View());
        shown.Set(x + count - 1);
    }
}

}  // namespace

CombineCommands::CombineCommands(CommandHost& host) : host_(host) {
    host_.BindCommand(Alfamieanie1, [this] { Alfamieanie1Click(); });
    host_.BindCommand(Aritmetickfunkcie1, [this] { Aritmetickfunkcie1Click(); });
}

CombineCommands::~CombineCommands() = default;

std::vector<WindowStep> CombineCommands::Windows() {
    const HWND owner = host_.Owner();
    return {
        {"TAlfaDial", [this, owner] { alfaDial_ = std::make_unique<TAlfaDial>(owner, host_); }},
        {"TAritmeticDial", [this, owner] { aritmeticDial_ = std::make_unique<TAritmeticDial>(owner, host_); }},
    };
}

void CombineCommands::Alfamieanie1Click() {
    if (!alfaDial_) return;
    const int result = alfaDial_->ShowModal();
    std::vector<int> alphas;
    if (result == forms::mrOk)
        alphas = {alfaDial_->Alpha()};
    else if (result == TAlfaDial::kSequenceResult)
        alphas = alfaDial_->Sequence();
    const std::shared_ptr<forms::DibSection> a = alfaDial_->Image1.Picture();
    const std::shared_ptr<forms::DibSection> b = alfaDial_->Image2.Picture();
    if (alphas.empty() || !a || !b) return;
    GdiFlush();
    for (int alpha : alphas) {
        try {
            const Bitmap24 mixed = AlphaMix(a->View(), b->View(), alpha, &host_.StatusProgress());
            host_.OpenResultWindow(std::make_shared<forms::DibSection>(mixed.View()));
            host_.SetMainTitle(kUnnamed);
        } catch (const std::exception& e) {
            host_.ReportError(e.what());
            return;
        }
    }
}

void CombineCommands::Aritmetickfunkcie1Click() {
    if (!aritmeticDial_ || aritmeticDial_->ShowModal() != forms::mrOk) return;
    const std::shared_ptr<forms::DibSection> a = aritmeticDial_->Image1.Picture();
    const std::shared_ptr<forms::DibSection> b = aritmeticDial_->Image2.Picture();
    if (!a || !b || a->Empty() || b->Empty()) return;
    GdiFlush();
    const CombineMethod method = aritmeticDial_->Method();
    const bool made = host_.RenderNewPicture(
        CommonSize(a->View(), b->View()),
        [a, b, method](PixelView target, Progress* p) { CombineByColumns(a->View(), b->View(), method, target, p); },
        kByColumns);
    if (made) host_.SetMainTitle(kUnnamed);
}

}  // namespace kelbo
