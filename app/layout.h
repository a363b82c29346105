#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

// Where each control of the window sits and the colours it wears. The layout is drawn in twips;
// 15 twips make one device-independent pixel.
namespace layout {

inline constexpr int TwipsPerPixel = 15;
constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

inline constexpr QSize ClientSize{6015 / TwipsPerPixel, 4785 / TwipsPerPixel};
inline constexpr QRect Command1Rect = twips(4680, 120, 1095, 375);
inline constexpr QRect QqnumRect = twips(240, 120, 4215, 375);
inline constexpr QRect Label2Rect = twips(720, 4560, 4455, 375);
inline constexpr QRect Label1Rect = twips(0, 0, 6015, 615);
inline constexpr QRect ResulttxtRect = twips(120, 720, 5775, 3735);
// Line1 runs from (0, 600) to (6000, 600) twips, two pixels thick, over the band's bottom edge.
inline constexpr QRect Line1Rect{0, 600 / TwipsPerPixel - 1, 6000 / TwipsPerPixel, 2};
inline constexpr QRect BackgroundRect = twips(0, 240, 6015, 4635);
inline constexpr QRect LeftStarRect = twips(0, 4440, 360, 330);
inline constexpr QRect RightStarRect = twips(5520, 4440, 360, 330);
// Label2's box runs past the window's bottom edge by this much; its caption must end above it.
inline constexpr int Label2Overhang = Label2Rect.bottom() + 1 - ClientSize.height();

inline constexpr QPoint ArrowHotSpot{12, 8};

// The band along the top, and the judgement bar that shares its colour.
inline constexpr QColor PaleYellow{0xFF, 0xFF, 0xC0};
// The line under the band, and the judgement bar's edge.
inline constexpr QColor Green{0x00, 0xC0, 0x00};
inline constexpr QColor PromptRed{0xFF, 0x00, 0x00};
inline constexpr QColor CreditBlack{0x00, 0x00, 0x00};

// Gives `widget` one colour of its own for `role`.
inline void setColour(QWidget *widget, QPalette::ColorRole role, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace layout
