#pragma once

#include "viewer/ViewerEffects.h"

#include <QStringList>

#include <functional>
#include <stdexcept>

// Stands in for the viewer window under the effects: holds the shown picture and
// the work picture, and writes every call into a log the tests read back.
class EffectsViewFake : public EffectsView {
public:
    QImage shownPicture() const override
    {
        log.append("read");
        if (throwOnRead)
            throw std::runtime_error("picture unavailable");
        return Image1;
    }
    void showPicture(const QImage& picture) override
    {
        log.append("show");
        Image1 = picture;
        picResult = picture;
    }
    QString shownFile() const override { return Frame2; }
    QImage blendPartner() const override { return partner ? partner() : PicBlender; }
    QRgb blendBackColour() const override { return backColour; }
    void openBlendPanel() override { log.append("open blend"); }
    void setWaitCursor(bool on) override
    {
        waitCursor = on;
        log.append(on ? "cursor 11" : "cursor 0");
    }
    void setProgressScale(int steps) override { scale = steps; }
    void setProgress(int steps) override { progress = steps; }
    void yield() override
    {
        log.append("yield");
        ++yields;
        if (onYield)
            onYield();
    }

    QImage Image1;
    QImage picResult;
    QImage PicBlender;
    std::function<QImage()> partner;
    QString Frame2;
    QRgb backColour = 0xFFF0F0F0;
    bool waitCursor = false;
    bool throwOnRead = false;
    int scale = -1;
    int progress = -1;
    int yields = 0;
    std::function<void()> onYield;
    mutable QStringList log;
};
