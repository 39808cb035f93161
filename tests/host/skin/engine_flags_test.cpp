// The web engine's flags: a user's own choice is never overridden, and what
// needs the sandbox off is added only where it is off.
#include <gtest/gtest.h>

#include "EngineFlags.h"

TEST(EngineFlagsTest, AddsOnlyWhatTheUserDidNotSayAndTheZygoteGoesOnlyWithoutASandbox) {
    EXPECT_EQ(EngineFlags("", false), "--renderer-process-limit=1");
    EXPECT_EQ(EngineFlags("", true), "--no-sandbox --renderer-process-limit=1 --no-zygote");
    // The user's own limit and sandbox choice stay as they are.
    EXPECT_EQ(EngineFlags("--renderer-process-limit=4 --no-sandbox", true),
              "--renderer-process-limit=4 --no-sandbox --no-zygote");
    EXPECT_EQ(EngineFlags("--enable-logging", false), "--enable-logging --renderer-process-limit=1");
}
