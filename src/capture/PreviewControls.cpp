#include "capture/PreviewControls.h"

#include <initializer_list>

namespace {

// The pop-up menu items that need a running device or a frame taken from it.
constexpr int kPopupItemsOfAGoodStart[] = {0, 1, 4, 5, 8, 9};

void set(std::vector<ControlEnabled>& out, std::initializer_list<const char*> names, bool enabled)
{
    for (const char* name : names)
        out.push_back({QString::fromLatin1(name), enabled});
}

void setPopupItems(std::vector<ControlEnabled>& out, bool enabled)
{
    for (int index : kPopupItemsOfAGoodStart)
        out.push_back({QStringLiteral("mnuOptionss_%1").arg(index), enabled});
}

void setModeControls(std::vector<ControlEnabled>& out)
{
    set(out, {"OptSaveChoice_0", "OptSaveChoice_1", "OptSaveChoice_2", "txtSaveInterval", "Check1", "Check3"},
        true);
}

void setStopped(std::vector<ControlEnabled>& out)
{
    setModeControls(out);
    set(out, {"cmdCamOptions", "cmdVideoSize", "cmdStop"}, false);
    set(out, {"cmdStart", "cmdSnapShot", "cmdRecord", "cmdSetup", "cmdAbout", "cmdHelp", "cmdSaveAs",
              "cmdViewer", "cmdBurst", "StyledButton13"},
        true);
}

}  // namespace

std::vector<ControlEnabled> previewControls(PreviewMoment moment)
{
    std::vector<ControlEnabled> out;
    switch (moment) {
    case PreviewMoment::StartUp:
        set(out, {"cmdStart"}, true);
        set(out, {"cmdStop", "cmdCamOptions", "cmdVideoSize"}, false);
        setPopupItems(out, false);
        break;
    case PreviewMoment::PreviewRuns:
        setPopupItems(out, true);
        set(out, {"cmdCamOptions", "cmdVideoSize", "cmdStop", "cmdSnapShot", "cmdRecord", "cmdSetup",
                  "cmdAbout", "cmdHelp", "cmdSaveAs", "cmdViewer", "cmdBurst"},
            true);
        set(out, {"cmdStart"}, false);
        setModeControls(out);
        break;
    case PreviewMoment::Stopped:
        setStopped(out);
        break;
    case PreviewMoment::ConnectFailed:
        set(out, {"cmdStart"}, true);
        set(out, {"cmdCamOptions", "cmdVideoSize", "cmdStop", "cmdSnapShot", "cmdRecord", "cmdSaveAs",
                  "cmdBurst"},
            false);
        break;
    }
    return out;
}
