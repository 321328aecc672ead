#pragma once

#include "platform/base/Result.h"
#include "viewer/EffectButtons.h"

#include <QImage>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <functional>

class EffectProgress;

// What the effects need of the viewer window.
class EffectsView {
public:
    virtual ~EffectsView() = default;
    // Image1's picture.
    virtual QImage shownPicture() const = 0;
    // Image1 and the work picture picResult both take the picture, so the next
    // effect, a save or a print starts from what is shown.
    virtual void showPicture(const QImage& picture) = 0;
    // The full path of the shown file (Frame2's caption).
    virtual QString shownFile() const = 0;
    // The second picture of a blend (PicBlender) and the colour its box shows
    // behind transparent pixels.
    virtual QImage blendPartner() const = 0;
    virtual QRgb blendBackColour() const = 0;
    virtual void openBlendPanel() = 0;
    // Mouse pointer 11 (hourglass) or 0.
    virtual void setWaitCursor(bool on) = 0;
    // picProgress's scale width and imgProgress's width.
    virtual void setProgressScale(int steps) = 0;
    virtual void setProgress(int steps) = 0;
    // One turn of the message loop.
    virtual void yield() = 0;
};

// The effect commands of the viewer: the busy guard ViewerBusy, the hourglass, the
// progress bar and the order of steps around each effect. The effects themselves
// are the pure functions of PictureEffects.h.
//
// The viewer window implements EffectsView and owns one ViewerEffects; it connects
// each button of effectButtonRows() by the row's event to onClick or onMouseDown
// (the blend panel connects its own), and calls clearBusy from the folder switch,
// the file selection and Frame1_MouseDown.
class ViewerEffects {
public:
    // Milliseconds of a clock that never runs backwards.
    using Clock = std::function<int64_t()>;
    static constexpr int kContrastSettleMs = 100;

    explicit ViewerEffects(EffectsView& view, Clock clock = {});

    bool ViewerBusy() const { return busy_; }
    // A folder switch, a file selection or a click on the picture's frame. An
    // effect still running drops its result: the picture it started from is gone.
    void clearBusy();

    // The button events, wired as they come; false when nothing ran.
    bool onClick(const QString& button);
    bool onMouseDown(const QString& button, int mouseButton);
    bool run(EffectCommand command);

    // Guarded effects: false when another one runs, or the picture changed under it.
    bool brighten();
    bool darken();
    bool contrast(int step);
    bool rotateColours();
    bool grey();
    bool smooth();
    bool sharpen();
    // Unguarded: they run whatever else does.
    void invert();
    void mirrorLeftRight();
    void mirrorTopBottom();
    bool blend();
    // Shows the shown file again as it is on disk (also the blend panel's Cancel).
    // A file that cannot be read keeps the picture and says why.
    platform::Result reload();

private:
    using Effect = std::function<QImage(const QImage&, EffectProgress*)>;
    enum class Prepare { CursorFirst, PictureFirst };

    bool guarded(const Effect& effect, Prepare order = Prepare::CursorFirst, bool settle = false);
    void quick(const std::function<QImage(const QImage&)>& effect);
    void settleWait();

    EffectsView& view_;
    Clock clock_;
    bool busy_ = false;
    uint64_t epoch_ = 0;  // moves on with every clearBusy
};
