#pragma once

#include <QString>

// What a step saw instead of what it expected; ends the run with the step's
// line and this text.
struct StepFailed
{
    QString saw;
};

[[noreturn]] inline void fail(const QString& saw)
{
    throw StepFailed{saw};
}
