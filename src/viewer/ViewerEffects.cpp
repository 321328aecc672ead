#include "viewer/ViewerEffects.h"
#include "viewer/ViewerLog.h"

#include "viewer/PictureEffects.h"
#include "viewer/PictureReader.h"

#include <QElapsedTimer>
#include <QLoggingCategory>

#include <memory>


namespace {

constexpr int kQuickScale = 100;

class ViewProgress : public EffectProgress {
public:
    explicit ViewProgress(EffectsView& view) : view_(view) {}
    void setScale(int steps) override { view_.setProgressScale(steps); }
    void setValue(int steps) override { view_.setProgress(steps); }

private:
    EffectsView& view_;
};

// The hourglass goes back to the arrow however the run ends.
class WaitCursor {
public:
    explicit WaitCursor(EffectsView& view) : view_(view) { view_.setWaitCursor(true); }
    ~WaitCursor() { view_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    EffectsView& view_;
};

class BusyRelease {
public:
    BusyRelease(bool& busy, const uint64_t& epoch) : busy_(busy), epoch_(epoch), start_(epoch) {}
    ~BusyRelease()
    {
        if (epoch_ == start_)
            busy_ = false;
    }
    BusyRelease(const BusyRelease&) = delete;
    BusyRelease& operator=(const BusyRelease&) = delete;

private:
    bool& busy_;
    const uint64_t& epoch_;
    const uint64_t start_;
};

ViewerEffects::Clock steadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return int64_t(timer->elapsed()); };
}

}  // namespace

ViewerEffects::ViewerEffects(EffectsView& view, Clock clock)
    : view_(view), clock_(clock ? std::move(clock) : steadyClock())
{
}

void ViewerEffects::clearBusy()
{
    busy_ = false;
    ++epoch_;
}

bool ViewerEffects::onClick(const QString& button) { return run(effectCommand(button, ButtonEvent::Click)); }

bool ViewerEffects::onMouseDown(const QString& button, int mouseButton)
{
    return run(effectCommand(button, ButtonEvent::MouseDown, mouseButton));
}

bool ViewerEffects::run(EffectCommand command)
{
    switch (command) {
    case EffectCommand::None: return false;
    case EffectCommand::Brighten: return brighten();
    case EffectCommand::Darken: return darken();
    case EffectCommand::ContrastUp: return contrast(kContrastStep);
    case EffectCommand::ContrastDown: return contrast(-kContrastStep);
    case EffectCommand::RotateColours: return rotateColours();
    case EffectCommand::Grey: return grey();
    case EffectCommand::Smooth: return smooth();
    case EffectCommand::Sharpen: return sharpen();
    case EffectCommand::Invert: invert(); return true;
    case EffectCommand::MirrorLeftRight: mirrorLeftRight(); return true;
    case EffectCommand::MirrorTopBottom: mirrorTopBottom(); return true;
    case EffectCommand::OpenBlendPanel: view_.openBlendPanel(); return true;
    case EffectCommand::Blend: return blend();
    case EffectCommand::Reload: return reload().ok;
    }
    return false;
}

bool ViewerEffects::brighten()
{
    return guarded([](const QImage& p, EffectProgress* bar) { return adjustBrightness(p, kBrightenPercent, bar); });
}

bool ViewerEffects::darken()
{
    return guarded([](const QImage& p, EffectProgress* bar) { return adjustBrightness(p, kDarkenPercent, bar); });
}

bool ViewerEffects::contrast(int step)
{
    return guarded([step](const QImage& p, EffectProgress* bar) { return adjustContrast(p, step, bar); },
                   Prepare::CursorFirst, true);
}

bool ViewerEffects::rotateColours()
{
    return guarded([](const QImage& p, EffectProgress* bar) { return ::rotateColours(p, bar); },
                   Prepare::PictureFirst);
}

bool ViewerEffects::grey()
{
    return guarded([](const QImage& p, EffectProgress* bar) { return greyPicture(p, bar); });
}

bool ViewerEffects::smooth()
{
    return guarded([](const QImage& p, EffectProgress* bar) { return smoothPicture(p, bar); });
}

bool ViewerEffects::sharpen()
{
    return guarded([](const QImage& p, EffectProgress* bar) { return sharpenPicture(p, bar); });
}

bool ViewerEffects::guarded(const Effect& effect, Prepare order, bool settle)
{
    if (busy_)
        return false;
    busy_ = true;
    const uint64_t epoch = epoch_;
    // The flag drops however the run ends, unless a folder switch or file
    // selection already dropped it and another effect may hold it now.
    const BusyRelease release(busy_, epoch_);
    QImage source;
    if (order == Prepare::PictureFirst)
        source = view_.shownPicture();
    WaitCursor cursor(view_);
    if (order == Prepare::CursorFirst)
        source = view_.shownPicture();
    if (settle)
        view_.yield();
    ViewProgress bar(view_);
    const QImage result = effect(source, &bar);
    if (settle)
        settleWait();
    const bool current = epoch_ == epoch;
    if (current)
        view_.showPicture(result);
    view_.yield();
    return current;
}

// The contrast lets the picture settle for a tenth of a second, serving the
// message loop meanwhile; the clock is monotonic, so midnight cannot stretch it.
void ViewerEffects::settleWait()
{
    const int64_t start = clock_();
    for (;;) {
        view_.yield();
        const int64_t now = clock_();
        if (now - start >= kContrastSettleMs || now < start)
            return;
    }
}

void ViewerEffects::quick(const std::function<QImage(const QImage&)>& effect)
{
    view_.setProgress(0);
    view_.setProgressScale(kQuickScale);
    view_.showPicture(effect(view_.shownPicture()));
    view_.yield();
    view_.setProgress(kQuickScale);
}

void ViewerEffects::invert()
{
    quick([](const QImage& p) { return invertPicture(p); });
}

void ViewerEffects::mirrorLeftRight() { quick(::mirrorLeftRight); }

void ViewerEffects::mirrorTopBottom() { quick(::mirrorTopBottom); }

bool ViewerEffects::blend()
{
    const QImage source = view_.shownPicture();
    const QImage partner = view_.blendPartner();
    const uint64_t epoch = epoch_;
    view_.yield();
    WaitCursor cursor(view_);
    if (epoch_ != epoch)
        return false;
    ViewProgress bar(view_);
    view_.showPicture(blendPictures(source, partner, view_.blendBackColour(), &bar));
    view_.yield();
    return true;
}

platform::Result ViewerEffects::reload()
{
    const QString path = view_.shownFile();
    const PictureRead read = readPicture(path);
    const QImage& picture = read.picture;
    if (picture.isNull())
        return platform::Result::failure(read.error);
    view_.showPicture(picture.convertToFormat(QImage::Format_RGB32));
    return platform::Result::success();
}
