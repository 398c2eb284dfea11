#pragma once
// A pause that keeps the window alive: painting, clicks and timers go on
// while it waits.

#include <cstdint>
#include <functional>

namespace paylog {

using WaitRoutine = std::function<void(int32_t milliseconds)>;

void waitHandlingEvents(int32_t milliseconds);

}  // namespace paylog
