#include "app/command_line.h"

namespace kelbo {

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

StartOptions ParseStartOptions(const std::vector<std::string>& args) {
    StartOptions o;
    for (const std::string& a : args) {
        const std::string u = Upper(a);
        o.noSettings = o.noSettings || u == "-I";
        o.noSplash = o.noSplash || u == "-S";
        o.noSetup = o.noSetup || u == "-R";
        if (!a.empty() && a[0] != '-') o.files.push_back(a);
    }
    return o;
}

Point SplashPosition(int screenWidth, int screenHeight, int panelWidth, int panelHeight) {
    return {(screenWidth - panelWidth) / 2, (screenHeight - panelHeight - 50) / 2};
}

}  // namespace kelbo
