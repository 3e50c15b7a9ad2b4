#pragma once

#include <functional>

/// Lets the window process pending events during long work; a no-op in batch runs and tests.
using EventPump = std::function<void()>;
