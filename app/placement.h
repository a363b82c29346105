#pragma once

#include <QPoint>
#include <QSize>

// Where the window goes on the screen: centred across, with one fifth of the free height above it
// so that it sits high on the screen, where the eye lands first. Both divisions truncate toward
// zero, so a window taller than the screen gets a negative top. The layout is drawn in twips, but
// working in twips here and converting back gives the same pixel for every real size.
inline QPoint PlaceForm(QSize screen, QSize form)
{
    return {(screen.width() - form.width()) / 2, (screen.height() - form.height()) / 5};
}
