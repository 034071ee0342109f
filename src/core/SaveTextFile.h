#pragma once

#include <string>
#include <string_view>

// Writes the whole text to path, or nothing at all. The text goes to a new
// scratch file in the same folder, every write is checked and the file is
// flushed to the disk before it takes the old file's place in one rename, so
// a failed or interrupted save leaves the old file as it was (and the next
// save of it removes the scratch file an interrupted one left).
//
// A symbolic link is followed to the file it names, which gets the text
// while the link stays; a dangling link gets its file made. A replaced file
// keeps its mode and, where the process may set them, its owner and group;
// other hard links of it keep the old text. A new file gets 0666 less the
// umask. A path that names something other than a regular file (a folder, a
// FIFO, a device) is refused, and so is a file this process may not write
// (by its effective ids), though the folder would let the rename replace it.
// False, with what went wrong (naming the path) in `error`, when nothing was
// saved.
bool SaveTextFile(const std::string& path, std::string_view text, std::string& error);
