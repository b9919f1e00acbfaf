#pragma once

// The safe replacement of a whole file, shared by the style files and the
// saved settings.

#include <QString>

#include <string>

namespace kestrix {

// Replaces the file at path with bytes through a temporary file in the same
// folder: flushed to the disk, renamed over the old file, and the folder
// flushed, so that at any moment the file is the old one or the new one,
// whole. Where the folder takes no new file, a writable file is rewritten in
// place, and its old bytes are put back if the write fails.
bool ReplaceFileContents(const QString& path, const std::string& bytes);

} // namespace kestrix
