#pragma once
// The temporary files of a save. Each lives in the target's folder and is
// named
//     .NAME.qrv-XXXXXXXXXXXXXXXX.tmp
// where NAME is the target's file name (cut to its first 229 bytes so that the
// whole name fits the usual 255-byte limit) and X are sixteen lower-case
// hexadecimal digits from the system's random source. A save killed before its
// rename leaves one behind; the next save of the same file removes it.
#include <filesystem>
#include <functional>
#include <string>

namespace qrv {

// Makes the names of the temporary files; tests choose their own.
using TemporaryNamer = std::function<std::string(const std::string& targetName)>;

// A fresh temporary name for the target's file name.
std::string RandomTemporaryName(const std::string& targetName);

// Whether name is one of the temporary names of targetName.
bool IsTemporaryNameOf(const std::string& name, const std::string& targetName);

// Removes the leftovers of earlier saves of target: the regular files in its
// folder with a temporary name of target, last changed before the running
// save's own temporary file was created. Links, folders and anything else
// with such a name are left alone, and no link is followed. Returns the
// number removed.
int RemoveStaleTemporaries(const std::filesystem::path& target, const std::filesystem::path& ownTemporary);

} // namespace qrv
