// What the command modules of the subsystems need from the main window, and
// what a command module is. Each subsystem's ui/ folder has one module that
// binds its menu items and owns its dialogs; the main window implements the
// host and stays frame, router and layout.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "codecs/picture_files.h"
#include "core/bitmap24.h"
#include "core/color.h"
#include "core/geometry.h"
#include "document/document_view.h"
#include "document/ui/document_host.h"
#include "core/progress.h"
#include "forms/dialogs.h"
#include "forms/dib.h"
#include "forms/form.h"
#include "imaging/ui/live_preview.h"

namespace kelbo {

class TChildWin;
struct Settings;

// A picture operation in place, on the document's DIB rows.
using InPlaceOperation = std::function<void(PixelView picture, Progress* progress)>;
// A filter that reads the source and writes its result into the target.
using IntoNewWindowFilter = std::function<void(ConstPixelView source, PixelView target, Progress* progress)>;
// Work that writes a picture of its own making (from files, not a document).
using IntoNewPicture = std::function<void(PixelView target, Progress* progress)>;

// How often a filter that opens its window first shows the result growing:
// the new window every `documentEvery` progress steps, the main window every
// `frameEvery`; 0 repaints only at the end.
struct GrowingRepaints {
    int documentEvery = 0;
    int frameEvery = 0;
};

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The main window: the owner of every dialog.
    virtual HWND Owner() const = 0;
    // The handler of a menu item or tool button; one per command.
    virtual void BindCommand(UINT command, std::function<void()> handler) = 0;
    virtual bool ItemChecked(UINT command) const = 0;
    virtual void SetItemChecked(UINT command, bool checked) = 0;
    virtual HMENU MainMenu() const = 0;
    virtual HWND MdiClient() const = 0;
    // After anything that changes which items are enabled.
    virtual void UpdateMenuItems() = 0;
    virtual void RepaintFrame() = 0;
    // The main window's caption: "Kelbo [" + name + "]", or "Kelbo" for none.
    virtual void SetMainTitle(std::string_view fileName) = 0;

    // The active image document; null when none (or another kind is active).
    virtual TChildWin* ActiveImageDocument() const = 0;
    // The document the last command was aimed at; dialogs act on it at "OK".
    virtual TChildWin* Current() const = 0;
    virtual void SetCurrent(TChildWin* document) = 0;
    // A new image document on a picture, made the current one.
    virtual TChildWin& NewImageDocument(std::shared_ptr<forms::DibSection> picture) = 0;
    // An operation's result in a new image document "nepomenovaný".
    virtual TChildWin& OpenResultWindow(std::shared_ptr<forms::DibSection> picture) = 0;
    // The in-place pattern: an undo snapshot when asked, the operation on the
    // document's picture with progress on StatusInfo, repaint, Modified.
    virtual void ChangeInPlace(TChildWin& document, const InPlaceOperation& operation, bool snapshot = true) = 0;
    // The into-a-new-window pattern: the window opens first on a copy of the
    // source, the filter writes straight into its picture and it repaints as
    // `repaints` says; the source is never changed.
    virtual void FilterIntoNewWindow(TChildWin& source, const IntoNewWindowFilter& filter,
                                     GrowingRepaints repaints = {}) = 0;
    // The same for a result of its own size: the window opens first on a
    // white picture of `size`, its outer size by `frame`.
    virtual void RenderIntoNewWindow(TChildWin& source, Size size, const IntoNewWindowFilter& filter,
                                     GrowingRepaints repaints = {}, FrameKind frame = FrameKind::kScreenFormat) = 0;
    // The same with no source document: the window "nepomenovaný" opens first
    // on a white picture of `size` and `render` writes into it. False when it
    // failed (reported, and the window gone again).
    virtual bool RenderNewPicture(Size size, const IntoNewPicture& render, GrowingRepaints repaints = {}) = 0;

    virtual void ReportError(std::string_view message) = 0;
    virtual void ShowInformation(std::string_view text) = 0;
    // A question in a standard message box; returns IDYES, IDNO or IDCANCEL.
    virtual int Ask(std::string_view text, UINT buttons) = 0;
    // The open and save dialogs (tests answer them instead of a person).
    virtual bool ExecuteFileDialog(forms::FileDialog& dialog, bool save) = 0;
    // Text for the information panel's colour read-out; empty clears it.
    virtual void ShowInfoText(std::string_view text) = 0;
    // The read-out of one colour, with the colour box shown in it.
    virtual void ShowColorInfo(Color color) = 0;
    virtual void SetStatusPanel(int panel, std::string_view text) = 0;

    // StatusInfo, the progress bar in the status bar.
    virtual Progress& StatusProgress() = 0;
    // The current document's picture and the progress bar, for the dialogs.
    virtual const ImagingContext& Imaging() const = 0;
    virtual Settings& ProgramSettings() = 0;
    // The painting colours, through the main window's setters (they repaint
    // the colour boxes); the values live in ProgramSettings().
    virtual void SetFgColor(Color color) = 0;
    virtual void SetBgColor(Color color) = 0;
    // The picture file routines' program-wide JPEG picture, with StatusInfo.
    virtual PictureCodecs Codecs() = 0;
};

// A window a module owns, made when the program's fixed order of creation
// reaches its class name.
struct WindowStep {
    std::string_view className;
    std::function<void()> create;
};

class CommandModule {
public:
    virtual ~CommandModule() = default;
    // The module's dialogs and tool windows, each created once at start.
    virtual std::vector<WindowStep> Windows() { return {}; }
    // The pointer moved over the main window itself: floating windows that
    // the pointer unrolled roll up again.
    virtual void PointerOverFrame() {}
    // A document window is gone; forget every pointer to it.
    virtual void DocumentClosed(TChildWin& /*document*/) {}
    // The pointer pressed, moved or released over a document's view.
    virtual void ViewPointer(TChildWin& /*document*/, const ViewPointerEvent& /*event*/) {}
    // The main window's foreground or background colour changed.
    virtual void ColorsChanged() {}
};

// The rule every dialog-driven operation follows: the active document becomes
// the current one when the dialog opens; "OK" acts on the current document of
// that moment. Returns it, or null (no document, cancelled, or it was closed).
TChildWin* RunOperationDialog(CommandHost& host, forms::Form* dialog);

}  // namespace kelbo
