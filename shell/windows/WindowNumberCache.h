#pragma once
#include <cstdint>
#include <vector>

// The process's cache of the numbers of the application's on-screen windows, front to back.
// It is stale after start, after windows are made, destroyed or hidden, and after every key
// or main change or window close the window server reports; the next reader rebuilds it.
class WindowNumberCache {
public:
    // The numbers, rebuilt first when the cache is stale.
    static const std::vector<uint32_t>& Numbers();
    static void MarkStale();
    static bool IsStale();
};

// Listens to the window server's key, main and close notices and marks the cache stale.
class MDesktopNoted {
public:
    MDesktopNoted();
    ~MDesktopNoted();
    MDesktopNoted(const MDesktopNoted&) = delete;
    MDesktopNoted& operator=(const MDesktopNoted&) = delete;

    // Makes the one listener on first use.
    static void Install();

private:
    int fToken;
};
