#include "app/application.h"
#include "tests/window_driver.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    DefaultToOffscreen();
    QApplication app(argc, argv);
    // As main() does, so that the tests see the user's fonts and texts.
    SetUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
