// A small file written whole or not at all: to a new temporary file (O_EXCL) in the target's
// folder, synced, and renamed over the target; a link is followed and stays a link, the mode
// of a file replaced is kept, and a read-only file is not replaced.
#pragma once

#include <string>
#include <string_view>

// Returns the system's error number when the file could not be written (the target is then as
// it was), 0 on success.
int WriteFileAtomically(const std::string& path, std::string_view text);
