#include <gtest/gtest.h>
#include <QCoreApplication>

#include "MpvTestSupport.h"

// The players deliver their events through the Qt event loop, so the tests run inside one.
int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // GoogleTest takes ownership of its environments.
    ::testing::AddGlobalTestEnvironment(
        new NullSinkPacer);  // NOLINT(cppcoreguidelines-owning-memory)
    return RUN_ALL_TESTS();
}
