#pragma once

#include <functional>

// The windows above the main window, opened through what main.cpp hands it, so
// the main window never links them.
struct WindowOpeners {
    // Opens the viewer modal on the main window's viewer folder.
    std::function<void()> openViewer;
    // Shows the about box modal.
    std::function<void()> openAbout;
    // Shows the setup dialog modal; it writes DeviceListIndex as it opens.
    std::function<void()> openSetup;
};
