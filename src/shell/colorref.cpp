#include "shell/colorref.h"

#include <QGuiApplication>
#include <QPalette>

namespace shell {

namespace {

QColor SystemColor(quint32 index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0: return palette.color(QPalette::Button);                              // scroll bar
    case 1: return palette.color(QPalette::Dark);                                // desktop
    case 2: return palette.color(QPalette::Active, QPalette::Highlight);          // active caption
    case 3: return palette.color(QPalette::Inactive, QPalette::Highlight);        // inactive caption
    case 4: return palette.color(QPalette::Window);                              // menu
    case 5: return palette.color(QPalette::Base);                                // window
    case 6: return palette.color(QPalette::Shadow);                              // window frame
    case 7: return palette.color(QPalette::WindowText);                          // menu text
    case 8: return palette.color(QPalette::Text);                                // window text
    case 9: return palette.color(QPalette::Active, QPalette::HighlightedText);    // caption text
    case 10: return palette.color(QPalette::Button);                             // active border
    case 11: return palette.color(QPalette::Button);                             // inactive border
    case 12: return palette.color(QPalette::Mid);                                // app workspace
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);                             // button face
    case 16: return palette.color(QPalette::Dark);                               // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text);           // grey text
    case 18: return palette.color(QPalette::ButtonText);
    case 19: return palette.color(QPalette::Inactive, QPalette::HighlightedText); // inactive caption text
    case 20: return palette.color(QPalette::Light);                              // button highlight
    case 21: return palette.color(QPalette::Shadow);                             // 3D dark shadow
    case 22: return palette.color(QPalette::Midlight);                           // 3D light
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Window);
    }
}

} // namespace

QColor ColorRefToQColor(quint32 colorRef)
{
    if (colorRef & 0x80000000u)
        return SystemColor(colorRef & 0xFFu);
    if (colorRef == 0x1FFFFFFFu) // "none": nothing to paint, shows as transparent
        return QColor(Qt::transparent);
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

quint32 QColorToColorRef(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

} // namespace shell
