// TAlfaDial ("Alfa miešanie..."): two pictures from files, the alpha, the
// preview of their mix, and the lower panel of the sequence. The command
// module generates the results after the dialog closes.
#pragma once

#include <vector>

#include "document/ui/command_host.h"
#include "forms/controls.h"
#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/panel.h"
#include "forms/timer.h"

namespace kelbo {

class TAlfaDial : public forms::Form {
public:
    TAlfaDial(HWND owner, CommandHost& host);

    // The modal result of "Generuj postupnosť" ("Generuj obrázok" gives mrOk).
    static constexpr int kSequenceResult = 100;
    // How much "Postupnosť obrázkov" grows the dialog (and half of it, up).
    static constexpr int kPanelHeight = 110;

    forms::GroupBox GroupBox1;  // "Vstupné súbory"
    forms::Label Label1;
    forms::Edit Edit1;
    forms::Button Button1;  // "Nájdi..."
    forms::Label Label2;
    forms::Edit Edit2;
    forms::Button Button2;  // "Nájdi..."
    forms::Label Label3;    // "Alfa hodnota pre obrázok:"
    forms::TrackBar TrackBar1;
    forms::Edit Edit3;
    forms::UpDown UpDown1;
    forms::GroupBox GroupBox2;  // "Obrázky"
    forms::PictureView Image1;
    forms::PictureView Image2;
    forms::PictureView Image3;  // the preview, at full resolution
    forms::Button OKBtn;        // "Generuj obrázok"
    forms::Button SequenceBtn;  // "Postupnosť obrázkov"
    forms::Button CancelBtn;    // "Zrušiť"
    forms::Button HelpBtn;      // "Pomoc"
    forms::Panel Panel1;        // the sequence
    forms::Label Label4;        // "Počet obrázkov"
    forms::Edit Edit4;
    forms::UpDown UpDown2;
    forms::Label Label5;  // "Začiatok intervalu:"
    forms::Edit Edit5;
    forms::Label Label6;  // "Koniec intervalu :"
    forms::Edit Edit6;
    forms::Button GenerateSequenceBtn;  // "Generuj postupnosť"
    forms::Label InfoLabel;             // "<0,255>", then the interval
    forms::Timer Timer1;
    forms::FileDialog OpenDialog;  // the "Nájdi..." buttons'

    int Alpha() const { return TrackBar1.Position(); }
    // The alphas "Generuj postupnosť" closed with; each activation clears them.
    const std::vector<int>& Sequence() const { return sequence_; }
    bool PanelShown() const { return panelShown_; }
    bool PreviewOutOfDate() const { return outOfDate_; }

    // The timer's work, callable directly.
    void Timer1Timer();
    // Image3 anew: the alpha mix of the region the three images share.
    void UpdatePreview();

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormDeactivate() override;

private:
    void CreatePanel();
    void EnablePanel(bool enabled);
    void FindClick(forms::Edit& field);
    void FileChanged(forms::Edit& field, forms::PictureView& image);
    void TrackBar1Change();
    void Edit3Change();
    void Edit5Change();
    void Edit6Change();
    void Edit5Exit();
    void Edit6Exit();
    void SequenceBtnClick();
    void OKBtnClick();
    void GenerateSequenceBtnClick();
    void HelpBtnClick();
    void Changed();
    bool HavePictures();
    void Report(std::string_view message);

    CommandHost& host_;
    std::vector<int> sequence_;
    bool panelShown_ = false;
    bool outOfDate_ = false;
    bool active_ = false;
    // Each of a linked pair writes the other; the flag stops the echo.
    bool syncing_ = false;
};

}  // namespace kelbo
