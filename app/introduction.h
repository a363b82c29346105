#pragma once

#include <QString>

// What the result box shows before the first run and after a refused one: what the program is
// for, and who made it. Lines end with CR LF.
QString Introduction();
