// The main program's command line and the splash picture's place.
#pragma once

#include <string>
#include <vector>

#include "core/geometry.h"

namespace kelbo {

struct StartOptions {
    bool noSettings = false;         // "-I": settings neither read nor written
    bool noSplash = false;           // "-S"
    bool noSetup = false;            // "-R": no first-run setup
    std::vector<std::string> files;  // every argument not starting with '-', in order
};

// `args` without the program name, UTF-8.
StartOptions ParseStartOptions(const std::vector<std::string>& args);

// Centred on the screen, 50 pixels higher than centre; halves toward zero.
Point SplashPosition(int screenWidth, int screenHeight, int panelWidth, int panelHeight);

}  // namespace kelbo
