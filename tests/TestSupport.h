#pragma once
// What every test executable shares: the per-test sandbox and the platform's start for tests.

#include "platform/SysUtils.h"

namespace TestSupport {
// The folder of the running test; its registry file, program folder ("home") and temporary
// folder ("tmp") lie inside it.
extern String CurrentSandbox;
String Sandbox(const String& name);
// Starts the stand-in offscreen and makes any prompt that no test answered fail the test.
void StartPlatform(int& argc, char** argv);
} // namespace TestSupport
