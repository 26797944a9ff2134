#include <gtest/gtest.h>
#include <QApplication>

#include "MpvTestSupport.h"

// The windows with real players: a widget application on the offscreen platform, with the
// null sink kept in step while the tests play into it.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(
        new NullSinkPacer);  // NOLINT(cppcoreguidelines-owning-memory): GoogleTest owns it
    return RUN_ALL_TESTS();
}
