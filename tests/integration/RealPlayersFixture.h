#pragma once

#include "MpvTestSupport.h"
#include "fakes/ProgramFixture.h"

// The program with real players on the real libmpv in place of the fakes.
class RealPlayersFixture : public ProgramFixture {
protected:
    RealPlayersFixture() {
        realPlayers = [this] { return std::make_unique<MpvPlayer>(library); };
    }
    // The players must go before the library they were made from.
    ~RealPlayersFixture() override { program.reset(); }

    MpvLibrary library;
};
