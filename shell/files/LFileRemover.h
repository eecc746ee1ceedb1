#pragma once
#include <cstdint>
#include <string_view>

// Base of the single-item removals; status 0 done, 1 failure, 2 missing item or bad path.
class LFileOp {
public:
    virtual ~LFileOp() = default;
    uint32_t status = 0;
};

// Removes one file or link (a link goes, never what it points to).
class LFileRemover : public LFileOp {
public:
    uint32_t RemoveFile(std::string_view fileSpec);
};

// Removes one empty folder.
class LFolderRemover : public LFileOp {
public:
    uint32_t RemoveFolder(std::string_view fileSpec);
};

// Removes an item and, for a folder, everything in it: 0 done, 1 failure (what was removed
// stays removed), 2 missing. Links are removed themselves, never followed.
uint32_t RemoveTree(std::string_view fileSpec);

// Stores the type and creator codes of a file; true when they were written (or the file
// system keeps no such codes).
bool SetFileTypeAndCreator(std::string_view fileSpec, uint32_t type, uint32_t creator);
