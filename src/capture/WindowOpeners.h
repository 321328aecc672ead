#pragma once

#include "capture/ViewerHandOff.h"

#include <functional>

// The windows above the main window, opened through what main.cpp hands it, so
// the main window never links them.
struct WindowOpeners {
    // Opens the viewer modal on the main window's viewer folder, showing the frame
    // handed to it when there is one.
    std::function<void(const ViewerHandOff& handOff)> openViewer;
    // Shows the about box modal.
    std::function<void()> openAbout;
    // The start-up's update check, with its waiting window around it.
    std::function<void()> runUpdateCheck;
    // Shows the setup dialog modal; it sets DeviceListIndex to the device it opened with.
    std::function<void()> openSetup;
};
