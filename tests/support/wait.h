#pragma once

#include <chrono>
#include <thread>

// Asks `done` again every `interval` until it is true or `timeout` has passed, and returns its
// last answer: a wait that ends as soon as what it waits for has happened.
template <typename Condition>
bool waitUntil(std::chrono::milliseconds timeout, Condition done,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
    return true;
}
