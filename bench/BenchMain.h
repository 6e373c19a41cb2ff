#pragma once
// The main of every benchmark program: offscreen Qt, a registry, program folder and temporary
// folder of its own that are removed afterwards, the test hooks in place of every prompt; setUp
// runs before the benchmarks.

#include <functional>

int RunBenchmarks(int argc, char** argv, const std::function<void()>& setUp = {});
