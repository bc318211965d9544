#pragma once

#include "core/CrashReporter.h"

// Registered with the crash reporter: adds the version line to the log and
// attaches the log to the report as "log.txt" (once per process), and keeps
// the report sender for WaitForCrashSender.
int CrashCallback(const tCrashCallbackInfo& info);

// Waits, keeping the window alive, until the report sender has finished.
void WaitForCrashSender();
