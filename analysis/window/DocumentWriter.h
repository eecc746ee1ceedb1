#pragma once
#include <cstdint>
#include <functional>
#include <string>

class LObject;
class LStream;

// Writes a document's record tree as XML to a stream; false when the stream reports any
// error afterwards (a short write, a full disk, a file-size limit).
bool WriteDocumentStream(LStream& stream, const LObject* root);

// Saves a document file without ever leaving half of it: the tree goes into a temporary file
// beside the target (the final target when the path is a symbolic link), which takes the
// document's type and creator codes, is synced and renamed over the old file. On any failure
// the old file is untouched and the answer is false.
bool WriteDocumentFile(const std::string& path, const LObject* root);

// Replaces a file the same way with what `write` puts into the stream: the temporary file
// takes the type and creator codes and is renamed over the old file only when `write`
// answers true and the stream reports no error once flushed. Otherwise the temporary file
// goes, the old file stays as it was, and the answer is false.
bool WriteFileReplacing(const std::string& path, uint32_t type, uint32_t creator,
                        const std::function<bool(LStream&)>& write);
