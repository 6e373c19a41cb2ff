#pragma once
// The main of every benchmark program: offscreen Qt, a registry, program folder and temporary
// folder of its own that are removed afterwards, the test hooks in place of every prompt; setUp
// runs before the benchmarks.

#include "platform/SysUtils.h"

#include <functional>

// head, then section as often as it takes to reach size bytes, then tail: a page as large as a
// benchmark needs, built from realistic HTML.
String RepeatedPage(const String& head, const String& section, const String& tail, size_t size);

int RunBenchmarks(int argc, char** argv, const std::function<void()>& setUp = {});
