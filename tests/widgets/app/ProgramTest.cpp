#include <QPointer>

#include "fakes/ProgramFixture.h"
#include "playlist/playlist.h"

namespace {

using ProgramTest = ProgramFixture;

// An unloaded playlist window is deleted once the event loop runs; a program that ends before
// that must take it along, or the window would act on a program that no longer exists.
TEST_F(ProgramTest, WindowsUnloadedJustBeforeTheEndGoWithTheProgram) {
    start();
    const QPointer<playlist> unloaded = &pl();
    program->unloadPlaylist();
    ASSERT_FALSE(unloaded.isNull());
    program.reset();
    EXPECT_TRUE(unloaded.isNull());
}

}  // namespace
