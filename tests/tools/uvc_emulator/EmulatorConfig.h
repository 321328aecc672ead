#pragma once

// The emulated USB cameras' description, read from TOLVEX_UVC_EMULATOR:
//
//   NODE[|NODE...]
//   NODE   = PATH=ITEM[;ITEM...]
//   ITEM   = FORMAT:WxH[,WxH...]       yuyv or mjpeg, in the order ENUM_FMT gives them
//          | card=TEXT                  QUERYCAP's card name (default "Emulated USB Camera")
//          | fps=N[,N...]               frame rates every size offers, fastest first (default 30,15)
//          | unplug=N                   the camera goes away after delivering N frames
//          | replug=MS                  ... and comes back MS milliseconds later
//          | busy=streamon|s_fmt        that request always fails with EBUSY
//          | error=N                    every N-th frame carries the error flag
//          | corrupt=N                  every N-th Motion JPEG frame is cut short
//          | stats=PATH                 counters, control values and the camera thread's id, rewritten as they change
//
// e.g. "/tmp/x/video0=yuyv:640x480,1280x720;mjpeg:640x480,1280x720,1920x1080;card=Cam A"
// A camera offering only Motion JPEG is one without a yuyv item.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace uvcemu {

enum class PixelFormat { Yuyv, Mjpeg };

struct FrameSize {
    uint32_t width = 0;
    uint32_t height = 0;
    bool operator==(const FrameSize&) const = default;
};

struct FormatOffer {
    PixelFormat format = PixelFormat::Yuyv;
    std::vector<FrameSize> sizes;
};

enum class BusyAt { Nothing, StreamOn, SetFormat };

struct NodeConfig {
    std::string path;
    std::string card = "Emulated USB Camera";
    std::vector<FormatOffer> formats;
    std::vector<uint32_t> fps{30, 15};
    std::optional<uint64_t> unplugAfterFrames;
    std::optional<uint32_t> replugAfterMs;
    BusyAt busy = BusyAt::Nothing;
    uint32_t errorEvery = 0;
    uint32_t corruptEvery = 0;
    std::string statsPath;
};

// Nodes of the text; nullopt (and the reason in `error`) when any part is unreadable.
std::optional<std::vector<NodeConfig>> parseConfig(const std::string& text, std::string& error);

uint32_t fourcc(PixelFormat format);

}  // namespace uvcemu
