#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Items of the file system by POSIX path: properties, folder listings, creation, removal,
// times and the type and creator codes kept in user extended attributes. Nothing here
// follows a final symbolic link: a link is an item of its own.
namespace plat {

enum class FileResult {
    Ok,
    NotFound,   // the item or a folder on its way is missing
    BadPath,    // the path cannot name an item (empty, too long, not a folder on the way)
    Exists,     // creation found an item already there
    IsFolder,   // a file operation met a folder
    NotFolder,  // a folder operation met something else
    NotEmpty,   // a folder to remove still holds items
    Denied,     // no permission, or a read-only file system
    NoSpace,    // the device or quota is full
    Unsupported, // the file system does not keep this property
    IsPipe,     // a file operation met a named pipe, whose reader may wait for ever
    IsSocket,   // a file operation met a local socket
    IsDevice,   // reading met a device, whose data may never end
    Failed,     // any other failure
};

FileResult ResultFromErrno(int error);
// The result in words, for a message after a file's name: "no such file", "it is a named pipe".
const char* FileResultText(FileResult result);

// Seconds between the Unix epoch and 1 January 2001, the reference date of file times.
inline constexpr double kReferenceDateOffset = 978307200.0;

struct ItemInfo {
    bool isFolder = false;
    bool isLink = false;
    bool hidden = false;           // the name starts with '.'
    uint64_t size = 0;
    double creationTime = 0;       // seconds since the reference date; the change time when unknown
    double modificationTime = 0;   // seconds since the reference date
};

// Reads the item itself (a link is not followed). NotFound when nothing is there.
FileResult ReadItemInfo(const std::string& path, ItemInfo& info);

// The names in a folder, sorted bytewise, without "." and "..".
FileResult ListFolder(const std::string& path, std::vector<std::string>& names);
// The test driver's hook: answers a failure for a folder that should not be listed (Ok lets the
// listing run); null takes the hook away.
using ListFolderFailure = FileResult (*)(const std::string& path);
void SetListFolderFailure(ListFolderFailure hook);

// Creates an empty file that did not exist (Exists when something is there); the umask takes
// away what it withholds from `mode`, as for a folder made.
FileResult CreateFileExclusive(const std::string& path, unsigned mode = 0666);
FileResult CreateFolder(const std::string& path);

// Removes a file or a link (never what it points to); IsFolder for a folder.
FileResult RemoveFileItem(const std::string& path);
// Removes an empty folder.
FileResult RemoveFolderItem(const std::string& path);

// Makes a new link at `destination` that points where the link at `source` points.
FileResult CopyLink(const std::string& source, const std::string& destination);

// The real path of an item with every link on the way resolved; for a missing item, the real
// path of the nearest existing folder above it followed by the rest. Empty when even that
// cannot be found.
std::string RealPathOfPrefix(const std::string& path);

FileResult SetModificationTime(const std::string& path, double secondsSinceReference);

// Four-character codes in user extended attributes, best effort: a file system without them
// reads 0 and refuses to store them.
uint32_t ReadTypeCode(const std::string& path);
uint32_t ReadCreatorCode(const std::string& path);
FileResult WriteTypeCode(const std::string& path, uint32_t code);
FileResult WriteCreatorCode(const std::string& path, uint32_t code);

} // namespace plat
