#include "engine/WorkerGate.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(WorkerGate, ClosesAtTheEleventhWorkerAndOpensAgainOnlyAtNine) {
    WorkerGate gate;
    gate.Open();
    for (int i = 1; i <= 10; ++i) {
        gate.Admit();
        EXPECT_TRUE(gate.IsOpen()) << i;
    }
    gate.Admit();
    EXPECT_FALSE(gate.IsOpen());
    EXPECT_EQ(gate.ActiveWorkers(), 11);
    gate.Release();
    EXPECT_FALSE(gate.IsOpen()); // 10 remain
    gate.Release();
    EXPECT_TRUE(gate.IsOpen()); // 9
}

TEST(WorkerGate, ExitIsSignalledWhenTheLastWorkerEnds) {
    WorkerGate gate;
    gate.Open();
    gate.SignalExitIfIdle();
    gate.WaitForExit(); // no worker at all: returns at once

    gate.Admit();
    gate.Admit();
    gate.Release();
    gate.Release();
    gate.WaitForExit();
    EXPECT_EQ(gate.ActiveWorkers(), 0);
}

} // namespace
} // namespace vk
