// Where the expression history lives and how it gets in and out of its file.
#pragma once

#include <string>
#include <vector>

// The history file in the data directory, beside the settings file.
std::string GetHistoryPath();

// The expressions the file holds sound, oldest first; none when there is no
// file or it cannot be read.
std::vector<std::string> ReadHistoryFile(const std::string& path);

// Replaces the file with the expressions, as safely as the settings file.
bool WriteHistoryFile(const std::string& path, const std::vector<std::string>& expressions);
