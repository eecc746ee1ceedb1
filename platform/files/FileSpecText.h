#pragma once
#include <string>
#include <string_view>
#include <vector>

// file locations: every file and folder is named by "file:///" + volume + escaped path
// segments. The root file system is one volume ("Root" unless a test renames it); a folder
// directly inside one of the mount bases (/media/USER, /run/media/USER, /media, /mnt) is a
// volume of its own, named after that folder. Conversions never resolve symbolic links.
namespace plat {

// The one escaper of path segments: ASCII letters, digits and ! $ ' ( ) * + , - . _ stay,
// every other byte becomes "%XX" (upper-case hex). The segments "." and ".." are escaped
// whole ("%2E", "%2E%2E") so that they can never be taken for dot segments.
std::string EscapeSegment(std::string_view segment);
void EscapeSegmentTo(std::string& out, std::string_view segment);

// Decodes "%XX" sequences (either case); anything else is copied as it is.
std::string UnescapeSegment(std::string_view text);

// The name of the root file system's volume; an empty name restores "Root".
void SetRootVolumeName(std::string_view name);
std::string RootVolumeName();

// The folders whose children are volumes, most specific first; an empty list restores the
// defaults. Tests point it at temporary folders.
void SetMountBases(std::vector<std::string> bases);
std::vector<std::string> MountBases();

// The POSIX folder of a volume: "/" for the root volume, the mount folder of a removable
// volume, or an empty text when no such volume is mounted.
std::string VolumeMountPath(std::string_view volume);

// The file URL of an absolute POSIX path as desktops exchange it: "file://" and the path
// with each segment escaped by EscapeSegment ("/a b/c" is "file:///a%20b/c").
std::string FileUrlOfPath(std::string_view path);
// True when the text has the form of a file location.
bool IsFileSpec(std::string_view text);

// The current folder as an absolute POSIX path ("/" when it cannot be read).
std::string CurrentDirectory();

// Makes a POSIX path absolute (relative ones against the current folder) and removes "."
// and ".." segments and repeated slashes lexically, without touching the file system.
std::string NormalizePosixPath(std::string_view path);

// The file location of a POSIX path (made absolute first); empty for an empty path.
std::string SpecFromPosixPath(std::string_view path);

// Splits a file location into its volume and decoded path segments. False when the
// text is not a file location or a segment cannot name a file ("." "..", or one holding
// '/' or NUL).
bool SplitFileSpec(std::string_view fileSpec, std::string& volume, std::vector<std::string>& segments);

// The POSIX path of a file location; empty when the text is not a valid file location
// or its volume is not mounted. A POSIX path is accepted too and normalised; any other
// "file:" URL gives an empty path.
std::string PosixPathFromSpec(std::string_view fileSpec);

// Accepts a file location or a POSIX path and gives the file location.
std::string ToFileSpec(std::string_view specOrPath);

} // namespace plat
