// The dialogs and tool windows of the colour, tone and filter operations,
// created once at program start and reached by the main window's commands.
#pragma once

namespace kelbo {

class TRGBDial;
class TCMYdial;
class TThresDial;
class THSLDial;
class TColorNumDialog;
class THistoWin;
class TFilterDial;
class TMedianDial;
class TSobelDial;
class TNoiseDial;

struct ImagingDialogs {
    TRGBDial* rgb = nullptr;
    TCMYdial* cmy = nullptr;
    TThresDial* thres = nullptr;
    THSLDial* hsl = nullptr;
    TColorNumDialog* colorNum = nullptr;
    THistoWin* histo = nullptr;
    TFilterDial* filter = nullptr;
    TMedianDial* median = nullptr;
    TSobelDial* sobel = nullptr;
    TNoiseDial* noise = nullptr;
};

}  // namespace kelbo
