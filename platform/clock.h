// The millisecond clock and sleep the frame loop runs on.
#pragma once

#include <cstdint>

// A steady clock in milliseconds; wraps like a 32-bit tick counter.
uint32_t clockMilliseconds();
void sleepMilliseconds(uint32_t ms);
