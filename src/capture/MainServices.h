#pragma once

namespace platform::capdriver {
class CaptureSystem;
}
namespace platform {
class FtpWorker;
}
class Registry;
class Shell;
class SoundOutput;

// What the main window works with besides the settings: the per-user store, the
// capture layer, the sound output and the desktop shell. main.cpp builds them; all
// outlive the window. Later services (player, FTP, printer) join them here.
struct MainServices {
    Registry& registry;
    platform::capdriver::CaptureSystem& capture;
    SoundOutput& sound;
    Shell& shell;
    // The FTP thread the uploads run on; without one each upload runs a thread of its own.
    platform::FtpWorker* ftp = nullptr;
};
