#include "forms/input_query.h"

#include "forms/controls.h"
#include "forms/form.h"

namespace kelbo::forms {
namespace {

class QueryForm : public Form {
public:
    QueryForm(HWND owner, std::string_view caption, std::string_view prompt, std::string_view value)
        : prompt_(prompt), value_(value) {
        CreateForm(L"TInputQuery", caption, {0, 0, 300, 130}, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                   WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner);
    }
    std::string Text() const { return Edit1.Text(); }

    Label Prompt;
    Edit Edit1;
    Button OKBtn, CancelBtn;

protected:
    void FormCreate() override {
        SetClientSize(284, 92);
        Prompt.Create(Handle(), {8, 8, 268, 16}, prompt_);
        Edit1.Create(Handle(), {8, 28, 268, 22}, value_);
        OKBtn.Create(Handle(), {112, 60, 78, 25}, "OK", true);
        CancelBtn.Create(Handle(), {198, 60, 78, 25}, "Zrušiť");
        OKBtn.OnClick = [this] { SetModalResult(mrOk); };
        CancelBtn.OnClick = [this] { SetModalResult(mrCancel); };
        CenterOnScreen();
    }
    void FormShow() override {
        SetFocus(Edit1.Handle());
        SendMessageW(Edit1.Handle(), EM_SETSEL, 0, -1);
    }

private:
    std::string prompt_, value_;
};

}  // namespace

std::optional<std::string> InputQuery(HWND owner, std::string_view caption, std::string_view prompt,
                                      std::string_view value) {
    QueryForm form(owner, caption, prompt, value);
    if (form.ShowModal() != mrOk) return std::nullopt;
    return form.Text();
}

}  // namespace kelbo::forms
