#pragma once
// Replacing a user's file safely: the bytes go to a temporary file beside it,
// which is synced and renamed over the old one only once it is completely
// written, then the directory is synced. A full disk or a crash leaves either
// the old file or the new one, never half a file. A link at the target stays a
// link and the file it names is replaced, keeping its permission bits; a
// device or pipe (/dev/stdout) is written in place.

#include "FileResult.h"

#include <string>
#include <string_view>

namespace tovarin {

// On failure the target is untouched, no temporary file is left, and the
// message names the path and the system's reason.
// A directory that cannot be written is named as the culprit.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// A temporary file beside `target` that no other writer holds, open for
// writing and locked until it is closed; its name in `temporary`. -1 with
// errno when the folder cannot be written. Two writers of one target get
// two names; the temporary a killed writer left is taken over.
int CreateTemporaryBeside(const std::string& target, std::string& temporary);

// Test seam: the next write stops between its complete temporary and the
// rename, leaving the temporary behind as a killed process would.
void InterruptNextAtomicWriteForTesting();

} // namespace tovarin
