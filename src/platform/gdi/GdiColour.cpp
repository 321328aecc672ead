#include "platform/gdi/GdiColour.h"

#include <QGuiApplication>

namespace gdi {

namespace {

Colour from(const QPalette& p, QPalette::ColorGroup group, QPalette::ColorRole role)
{
    return fromQRgb(p.color(group, role).rgb());
}

}  // namespace

QPalette classicPalette()
{
    QPalette p(QBrush(QColor(0, 0, 0)), QBrush(QColor(212, 208, 200)), QBrush(QColor(255, 255, 255)),
               QBrush(QColor(128, 128, 128)), QBrush(QColor(160, 160, 160)), QBrush(QColor(0, 0, 0)),
               QBrush(QColor(255, 255, 255)), QBrush(QColor(255, 255, 255)), QBrush(QColor(212, 208, 200)));
    p.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    p.setColor(QPalette::Midlight, QColor(233, 233, 233));
    p.setColor(QPalette::Shadow, QColor(64, 64, 64));
    p.setColor(QPalette::Highlight, QColor(10, 36, 106));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    p.setColor(QPalette::Link, QColor(0, 0, 128));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    return p;
}

SystemColours::SystemColours() : SystemColours(fromPalette(QGuiApplication::palette())) {}

SystemColours SystemColours::fromPalette(const QPalette& p)
{
    const auto act = QPalette::Active;
    const auto inact = QPalette::Inactive;
    const auto dis = QPalette::Disabled;
    std::array<Colour, kCount> t{};
    t[0] = from(p, act, QPalette::Midlight);            // scroll bar
    t[1] = from(p, act, QPalette::Dark);                // desktop
    t[2] = from(p, act, QPalette::Highlight);           // active caption
    t[3] = from(p, inact, QPalette::Mid);               // inactive caption
    t[4] = from(p, act, QPalette::Window);              // menu
    t[5] = from(p, act, QPalette::Base);                // window
    t[6] = from(p, act, QPalette::Shadow);              // window frame
    t[7] = from(p, act, QPalette::WindowText);          // menu text
    t[8] = from(p, act, QPalette::Text);                // window text
    t[9] = from(p, act, QPalette::HighlightedText);     // caption text
    t[10] = from(p, act, QPalette::Button);             // active border
    t[11] = from(p, inact, QPalette::Button);           // inactive border
    t[12] = from(p, act, QPalette::Mid);                // application workspace
    t[13] = from(p, act, QPalette::Highlight);          // highlight
    t[14] = from(p, act, QPalette::HighlightedText);    // highlighted text
    t[15] = from(p, act, QPalette::Button);             // button face
    t[16] = from(p, act, QPalette::Dark);               // button shadow
    t[17] = from(p, dis, QPalette::Text);               // grey text
    t[18] = from(p, act, QPalette::ButtonText);         // button text
    t[19] = from(p, inact, QPalette::WindowText);       // inactive caption text
    t[20] = from(p, act, QPalette::Light);              // button highlight
    t[21] = from(p, act, QPalette::Shadow);             // 3-D dark shadow
    t[22] = from(p, act, QPalette::Midlight);           // 3-D light
    t[23] = from(p, act, QPalette::ToolTipText);        // info text
    t[24] = from(p, act, QPalette::ToolTipBase);        // info background
    t[25] = t[15];                                      // unused by the platform
    t[26] = from(p, act, QPalette::Link);               // hot-tracked item
    t[27] = from(p, act, QPalette::Highlight);          // active caption gradient
    t[28] = from(p, inact, QPalette::Mid);              // inactive caption gradient
    t[29] = from(p, act, QPalette::Highlight);          // menu highlight
    t[30] = from(p, act, QPalette::Window);             // menu bar
    return SystemColours(t);
}

Colour SystemColours::colour(int index) const
{
    index &= 0xFF;
    return index < kCount ? table_[size_t(index)] : kBlack;
}

}  // namespace gdi
