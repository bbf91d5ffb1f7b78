#pragma once

#include "ui/windows/program_windows.h"
#include "support/program_fixture.h"

#include <memory>

// The real windows over a program state in an empty data folder, on 8
// December 2026 at noon with short dates as M/d/yy; every message is
// recorded.
class RealWindows : public OnTheFixedDay
{
protected:
    void SetUp() override
    {
        OnTheFixedDay::SetUp();
        m_windows = std::make_unique<ProgramWindows>(m_state);
    }

    void TearDown() override
    {
        m_windows.reset();
        OnTheFixedDay::TearDown();
    }

    MessageRecorder messages;
    Pursewise m_state;
    std::unique_ptr<ProgramWindows> m_windows;
};
