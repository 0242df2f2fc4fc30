// The roll-up title panel of the floating windows: a caption-coloured strip
// with a roll button and a close button. Its own mouse events (inherited
// from forms::Panel) let the owner drag its window by the title.
#pragma once

#include <functional>

#include "controls/layout/glyph_art.h"
#include "controls/speed_button.h"
#include "core/color.h"
#include "forms/handle.h"
#include "forms/panel.h"

namespace kelbo::controls {

// A glyph from the program's bitmap resources, or drawn from its art when
// the resource is missing, so a button is never blank.
forms::UniqueBitmap LoadGlyph(const GlyphArt& art);
// The glyph drawn from its art.
forms::UniqueBitmap DrawGlyph(const GlyphArt& art);

class TClosePanel : public forms::Panel {
public:
    static constexpr int kHeight = 17;
    static constexpr int kMinimumSize = 30;
    static constexpr int kButtonSize = 13;

    void Create(HWND parent, const forms::Bounds& b = {0, 0, 185, kHeight});

    SpeedButton RollButton;
    SpeedButton CloseButton;

    // No bitmap loads the resource ("ROLLDOWN", "CROSS") with one glyph.
    void SetRollGlyph(forms::UniqueBitmap glyph);
    HBITMAP RollGlyph() const { return RollButton.Glyph(); }
    void SetRollNumGlyphs(int count) { RollButton.SetNumGlyphs(count); }
    int RollNumGlyphs() const { return RollButton.NumGlyphs(); }
    void SetCloseGlyph(forms::UniqueBitmap glyph);
    HBITMAP CloseGlyph() const { return CloseButton.Glyph(); }
    void SetCloseNumGlyphs(int count) { CloseButton.SetNumGlyphs(count); }
    int CloseNumGlyphs() const { return CloseButton.NumGlyphs(); }

    // Rolled up; the roll button shows "ROLLUP" when on, "ROLLDOWN" when off.
    bool RollType() const { return rollType_; }
    void SetRollType(bool rolled);
    // Buttons stacked at the left instead of side by side at the right.
    bool Vertical() const { return vertical_; }
    void SetVertical(bool vertical);

    void SetFontColor(Color color);
    Color FontColor() const { return fontColor_; }

    std::function<void(TClosePanel& sender)> OnRollClick;
    std::function<void(TClosePanel& sender)> OnCloseClick;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void EnforceMinimum();
    void PlaceButtons();
    void Paint();
    void RollButtonClick();
    void CloseButtonClick();

    bool rollType_ = false;
    bool vertical_ = false;
    Color fontColor_ = 0;
};

}  // namespace kelbo::controls
