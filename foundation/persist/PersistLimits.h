#pragma once

// Records read from stored data (IFF chunks, XML files, key/value nodes) nest at most this
// deep; deeper data is refused or skipped rather than read by unbounded recursion.
inline constexpr int kMaxRecordDepth = 256;
