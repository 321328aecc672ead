#include "capture/MainLayout.h"

#include "platform/gdi/Twips.h"

namespace mainlayout {

QSize minimumOuterSize(int32_t minWidthTwips, int32_t minHeightTwips)
{
    return {platform::twipsToPixelsCeil(minWidthTwips), platform::twipsToPixelsCeil(minHeightTwips)};
}

QSize keepMinimum(QSize outer, int32_t minWidthTwips, int32_t minHeightTwips)
{
    return outer.expandedTo(minimumOuterSize(minWidthTwips, minHeightTwips));
}

MinimumSizeFix minimumSizeFix(bool buttonPanelShown, QSize outer, int32_t minWidthTwips, int32_t minHeightTwips)
{
    if (!buttonPanelShown)
        return {};
    const QSize minimum = minimumOuterSize(minWidthTwips, minHeightTwips);
    if (platform::pixelsToTwips(outer.height()) < minHeightTwips)
        return {SpringBack::Height, minimum.height()};
    if (platform::pixelsToTwips(outer.width()) < minWidthTwips)
        return {SpringBack::Width, minimum.width()};
    return {};
}

QSize fittedPicture(QSize outer, Panels panels, int allowanceX, int allowanceY)
{
    return {outer.width() - panels.buttonPanelWidth - allowanceX + 3,
            outer.height() - panels.bottomPanelHeight - allowanceY};
}

std::optional<int> sideLogoHeight(int innerHeight, int buttonPanelHeight, int bottomPanelHeight)
{
    const int h = innerHeight - buttonPanelHeight - bottomPanelHeight - kSideLogoMargin;
    if (h > kSideLogoMinHeight)
        return h;
    return std::nullopt;
}

StretchOn stretchOn(QSize picture)
{
    if (picture.width() > kDefaultFrameSize.width())
        return {picture, false};
    return {kDefaultFrameSize, true};
}

QSize windowAround(QSize picture, Panels panels, int allowanceX, int allowanceY)
{
    return {panels.buttonPanelWidth + picture.width() + allowanceX,
            panels.bottomPanelHeight + picture.height() + allowanceY};
}

TinyView tinyView(bool entering, int16_t savedAllowanceX, int16_t savedAllowanceY)
{
    if (entering)
        return {true, false, kTinyPictureLeft, kTinyAllowanceX, kTinyAllowanceY};
    return {false, true, kPanelPictureLeft, savedAllowanceX, savedAllowanceY};
}

}  // namespace mainlayout
