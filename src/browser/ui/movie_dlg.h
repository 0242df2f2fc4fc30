// TMovieDlg ("Prehrať ako film"): a list of picture files to play one after
// another in the fast view.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/form.h"

namespace kelbo {

class CommandHost;

class TMovieDlg : public forms::Form {
public:
    // `play` gets the list in its order at "Spustiť".
    TMovieDlg(CommandHost& host, std::function<void(std::vector<std::string>)> play);

    forms::GroupBox GroupBox1;  // "Súbory"
    forms::ListBox FileList;    // sorted, several entries selectable
    forms::Button Button1, Button2, Button3, Button4, Button5, Button6;
    forms::Button OKBtn;  // "Spustiť"
    forms::Button Zatvor;

    std::vector<std::string> Entries() const;
    // The list as a text file: one path a line, Windows-1250. Reading
    // replaces the list and skips empty lines; a failure is reported and
    // changes nothing.
    bool LoadList(const std::string& path);
    bool SaveList(const std::string& path);

protected:
    void FormCreate() override;

private:
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void OKBtnClick();
    void Add(const std::string& path);

    CommandHost& host_;
    std::function<void(std::vector<std::string>)> play_;
    std::string lastFolder_;  // of the files added last with "Pridať"
};

}  // namespace kelbo
