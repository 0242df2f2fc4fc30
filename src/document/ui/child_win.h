// TChildWin: the MDI child that holds one picture, the image document.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/pixel_format.h"
#include "document/document_view.h"
#include "document/undo_history.h"
#include "document/ui/document_host.h"
#include "forms/dib.h"
#include "forms/form.h"
#include "forms/panel.h"

namespace kelbo {

enum class HandleTypeId : std::uint8_t { kDib, kDdb };

class TChildWin : public forms::Form {
public:
    // Creates the window with an empty picture; a creation path then sets its picture.
    explicit TChildWin(DocumentHost& host);
    ~TChildWin() override;

    // The creation paths' common end: the picture, its view at 100 %, the
    // window's outer size and the scroll ranges.
    void SetPicture(std::shared_ptr<forms::DibSection> picture, FrameKind frame);
    // Caption, FileName, FileDir and Modified for a document read from `path`.
    void SetFilePath(std::string_view path);

    forms::PictureView Image1;
    UndoHistory UndoSnapshots;
    bool Modified = false;
    std::string FileName;
    std::string FileDir;
    PixelFormat LoadedPixelFormat = PixelFormat::k24;
    HandleTypeId LoadedHandleType = HandleTypeId::kDib;
    // The colour table the file had, for writing it back in its own format.
    Palette LoadedPalette;

    std::uint8_t UndoPosition() const { return UndoSnapshots.Position(); }
    std::uint8_t UndoTop() const { return UndoSnapshots.Top(); }
    // Before an operation or a tool changes the picture.
    void TakeUndoSnapshot();
    // Undo and Redo on the picture; the view shows the result. False when
    // there was nothing to do.
    bool Undo();
    bool Redo();

    Size PictureSize() const;
    Size ViewSize() const;
    // Resizes the view (zoom), the window (+8/+27) and the scroll ranges.
    void SetViewSize(Size view);

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormCloseQuery() override;
    void FormClose() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormActivate() override;
    void Image1MouseMove(int x, int y);
    void UpdateScrollRanges();
    void ScrollView(int bar, WORD code);
    // Shows a picture that Undo or Redo produced.
    void ShowRestored(Bitmap24 picture);
    // Snapshots keep the format Save writes, so Undo brings it back too.
    SaveFormat CurrentSaveFormat() const;
    void ApplySaveFormat(SaveFormat format);

    DocumentHost& host_;
};

}  // namespace kelbo
