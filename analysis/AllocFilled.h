#pragma once
#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

// Makes a vector of n copies of value without letting an allocation failure escape:
// analysis set-up reports failure as false and keeps its previous state.
template <typename T>
[[nodiscard]] bool AllocFilled(std::vector<T>& out, size_t n, const T& value)
{
    try {
        std::vector<T> fresh(n, value);
        out.swap(fresh);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}
