// Counts heap allocations made through operator new, in a program that links
// alloc_counter.cpp (which replaces the global operator new and delete).
#pragma once

#include <cstdint>

namespace alloc_counter {
std::uint64_t Allocations();
}
