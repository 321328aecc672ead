#pragma once

#include <thread>

namespace platform::gdi {

// Starts reading the desktop's font configuration (fontconfig's files and font
// caches, several milliseconds) on a thread of its own. Started first thing in main,
// it runs while the application connects to the display, so the first window finds
// it read when it lays out its text; otherwise the toolkit reads it on the window's
// thread at the first text. Join the thread before building the first window: it
// returns at once once the reading is done, and the library reads it only once
// whichever thread asks first.
std::jthread readFontConfigurationAhead();

}  // namespace platform::gdi
