#pragma once

#include <QStringView>

// The program's name as users see it: in the window title, as the caption of its messages and
// on the desktop.
inline constexpr QStringView ProgramName = u"" SHUJIAN_NAME;

// Names the application to the platform, gives it its interface font and Qt's Chinese texts;
// main(), the tests and the start-up benchmark all call it before creating the window.
void SetUpApplication();
