// TConvertDial ("Konvertovanie obrázkov"): one picture file rewritten in
// another format beside it, with the same base name and the new extension.
#pragma once

#include <filesystem>
#include <string>

#include "codecs/picture_files.h"
#include "controls/speed_button.h"
#include "forms/controls.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/panel.h"

namespace kelbo {

class CommandHost;

class TConvertDial : public forms::Form {
public:
    explicit TConvertDial(CommandHost& host);

    forms::Label Label1;  // "Vstup:"
    forms::Edit Edit1;    // the input file, read-only
    controls::SpeedButton SpeedButton1;
    forms::Label Label2;        // "Výstup:"
    forms::ComboBox ComboBox1;  // the output formats
    forms::Label InfoText;      // the output file
    forms::Panel Panel1;
    forms::PictureView Image1;  // the input reduced to fit the panel
    forms::Button OKBtn;        // "Konvertuj"
    forms::Button CancelBtn;    // "Zatvor"
    forms::FileDialog OpenDialog1;

    // Edit1's text with its extension replaced by the selected format's.
    std::string OutputPath() const;

protected:
    void FormCreate() override;

private:
    void SpeedButton1Click();
    void Edit1Change();
    void ComboBox1Change();
    void OKBtnClick();
    // Reads the input and writes the output; false when either failed (reported).
    bool Convert(const std::filesystem::path& input, const std::filesystem::path& output);
    void WriteOutput(ConstPixelView picture, const LoadedFormat& loaded, const std::filesystem::path& output);

    CommandHost& host_;
};

}  // namespace kelbo
