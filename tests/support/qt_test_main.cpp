// Entry point of the GUI test programs: an offscreen QApplication with the program's fonts.
// The platform is chosen before QApplication exists, since test discovery runs the binary at
// build time where no display is available.
#include "platform/fonts.h"

#include <gtest/gtest.h>
#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
