// Side-by-side timings under a real user32: the plug-in's HandleKey against
// the bare platform calls it has to make.
#pragma once

#include "tools/host/plugin_loader.h"

int RunBenchmarks(const Plugin& plugin, int rounds, int callsPerRound);

// LoadLibrary + FreeLibrary of `dll`, side by side with `emptyDll` (an entry
// point that returns TRUE and nothing else). Neither may be loaded yet.
int RunLoadBenchmark(const char* dll, const char* emptyDll, int rounds, int cyclesPerRound);
