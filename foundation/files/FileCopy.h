#pragma once
#include <cstdint>
#include <string_view>

// Copies of files and folders named by file locations (or POSIX paths). Each step reports
// through a code; the steps that take a result in/out keep the first error recorded there.
// A copy that fails part of the way leaves what was copied so far.

// 0 copied, 1 failure, 2 the source is missing or cannot be read, 3 the destination cannot
// be created or written.
uint32_t CopyFileOrFolder(std::string_view source, std::string_view destination);

// Copies every entry of a folder into a destination folder (made when missing), replacing
// same-named entries and keeping the others. Links are copied as links, never descended.
// 1 when the destination is the source or lies inside it (nothing is touched), 3 when the
// destination folder cannot be made, else the first failing subfolder's code or 0.
uint32_t CopyFolderContents(std::string_view source, std::string_view destination);

// The data fork, then (without reporting) the resource fork.
void CopyForks(uint32_t& result, std::string_view source, std::string_view destination);

// 0 copied; 3 or 5 the source fork cannot be opened or read, 4 or 6 the destination cannot,
// 7 a read failed, 8 a write failed.
uint32_t CopyFileStream(std::string_view source, std::string_view destination, uint32_t forkFlags);

// Visibility, times and type and creator codes of the source given to the destination;
// 3 the source is missing or a folder, 4 the same of the destination, 8 they could not be set.
void CopyFileMetadata(uint32_t& result, std::string_view source, std::string_view destination);
