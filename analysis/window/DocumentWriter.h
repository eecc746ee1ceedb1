#pragma once
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
