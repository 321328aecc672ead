#include "EmulatorConfig.h"

#include <linux/videodev2.h>

#include <cerrno>
#include <cstdlib>

namespace uvcemu {

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

std::optional<uint64_t> number(const std::string& text, uint64_t limit)
{
    const std::string t = trimmed(text);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos || t.size() > 12)
        return std::nullopt;
    const uint64_t n = std::strtoull(t.c_str(), nullptr, 10);
    if (n > limit)
        return std::nullopt;
    return n;
}

std::optional<FrameSize> size(const std::string& text)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = number(text.substr(0, x), 8192);
    const auto h = number(text.substr(x + 1), 8192);
    // YUYV pairs pixels, so widths are even; heights of two lines at least.
    if (!w || !h || *w < 2 || *h < 2 || *w % 2)
        return std::nullopt;
    return FrameSize{uint32_t(*w), uint32_t(*h)};
}

bool parseItem(const std::string& item, NodeConfig& node, std::string& error)
{
    const auto eq = item.find('=');
    const auto colon = item.find(':');
    if (colon != std::string::npos && (eq == std::string::npos || colon < eq)) {
        const std::string name = trimmed(item.substr(0, colon));
        FormatOffer offer;
        if (name == "yuyv")
            offer.format = PixelFormat::Yuyv;
        else if (name == "mjpeg")
            offer.format = PixelFormat::Mjpeg;
        else {
            error = "unknown format \"" + name + "\"";
            return false;
        }
        for (const std::string& part : split(item.substr(colon + 1), ',')) {
            const auto s = size(part);
            if (!s) {
                error = "unreadable size \"" + part + "\"";
                return false;
            }
            offer.sizes.push_back(*s);
        }
        for (const FormatOffer& f : node.formats)
            if (f.format == offer.format) {
                error = "format \"" + name + "\" given twice";
                return false;
            }
        node.formats.push_back(offer);
        return true;
    }
    if (eq == std::string::npos) {
        error = "unreadable item \"" + item + "\"";
        return false;
    }
    const std::string key = trimmed(item.substr(0, eq));
    const std::string value = item.substr(eq + 1);
    if (key == "card") {
        node.card = trimmed(value);
        return !node.card.empty() || (error = "empty card name", false);
    }
    if (key == "stats") {
        node.statsPath = trimmed(value);
        return true;
    }
    if (key == "busy") {
        const std::string v = trimmed(value);
        if (v == "streamon")
            node.busy = BusyAt::StreamOn;
        else if (v == "s_fmt")
            node.busy = BusyAt::SetFormat;
        else
            return (error = "busy is streamon or s_fmt", false);
        return true;
    }
    if (key == "fps") {
        node.fps.clear();
        for (const std::string& part : split(value, ',')) {
            const auto n = number(part, 240);
            if (!n || *n == 0)
                return (error = "unreadable fps \"" + part + "\"", false);
            node.fps.push_back(uint32_t(*n));
        }
        return true;
    }
    const auto n = number(value, 1000000000ull);
    if (!n)
        return (error = "unreadable number in \"" + item + "\"", false);
    if (key == "unplug")
        node.unplugAfterFrames = *n;
    else if (key == "replug")
        node.replugAfterMs = uint32_t(*n);
    else if (key == "error")
        node.errorEvery = uint32_t(*n);
    else if (key == "corrupt")
        node.corruptEvery = uint32_t(*n);
    else
        return (error = "unknown item \"" + key + "\"", false);
    return true;
}

}  // namespace

uint32_t fourcc(PixelFormat format)
{
    return format == PixelFormat::Yuyv ? V4L2_PIX_FMT_YUYV : V4L2_PIX_FMT_MJPEG;
}

std::optional<std::vector<NodeConfig>> parseConfig(const std::string& text, std::string& error)
{
    std::vector<NodeConfig> nodes;
    if (trimmed(text).empty())
        return nodes;
    for (const std::string& nodeText : split(text, '|')) {
        const auto eq = nodeText.find('=');
        if (eq == std::string::npos) {
            error = "node \"" + nodeText + "\" has no \"=\"";
            return std::nullopt;
        }
        NodeConfig node;
        node.path = trimmed(nodeText.substr(0, eq));
        if (node.path.empty() || node.path[0] != '/') {
            error = "node path \"" + node.path + "\" is not absolute";
            return std::nullopt;
        }
        for (const std::string& item : split(nodeText.substr(eq + 1), ';'))
            if (!trimmed(item).empty() && !parseItem(item, node, error))
                return std::nullopt;
        if (node.formats.empty()) {
            error = "node " + node.path + " offers no format";
            return std::nullopt;
        }
        nodes.push_back(node);
    }
    return nodes;
}

}  // namespace uvcemu
