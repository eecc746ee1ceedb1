#pragma once

// Raises a nesting or call-depth counter of a layout engine for the lifetime of the guard, so
// that every path out of a nested evaluation lowers it again.
class LayoutDepthGuard {
public:
    explicit LayoutDepthGuard(int& depth) : fDepth(depth) { ++fDepth; }
    ~LayoutDepthGuard() { --fDepth; }
    LayoutDepthGuard(const LayoutDepthGuard&) = delete;
    LayoutDepthGuard& operator=(const LayoutDepthGuard&) = delete;

private:
    int& fDepth;
};
