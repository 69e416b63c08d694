// Where the expression history lives and how it gets in and out of its file.
// Several windows may share the file: each adds its own new expressions to
// what the file holds at that moment, so none loses another's.
#pragma once

#include <string>
#include <vector>

// The history file in the data directory, beside the settings file.
std::string GetHistoryPath();

// The newest expressions the file holds sound, oldest first; none when there
// is no file or it cannot be read. Of a file longer than is read, its end is
// read.
std::vector<std::string> ReadHistoryFile(const std::string& path);

enum class HistoryWrite {
  Written,
  ReadOnly,  // the file is marked read-only: left as it is
  NotAFile,  // a folder or a device: left as it is
  Failed,    // the system refused; what the file held stays
};

// Adds the expressions to what the file holds now (MergeHistory; one given
// again right after itself is added once), keeps the newest
// kWindowHistoryLength and puts the result in the file's place in one step. A
// path that is a link is followed, so the link stays and its target changes.
HistoryWrite AddToHistoryFile(const std::string& path, const std::vector<std::string>& added);

// Empties the file, in the same way.
HistoryWrite ClearHistoryFile(const std::string& path);
