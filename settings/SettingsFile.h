// Where the settings file lives and how its lines get in and out of it.
#pragma once

#include <string>
#include <vector>

// The Windows directory followed by "\quillbright\tallywise\", after creating
// both levels; a level that cannot be created (above all one that exists
// already) is passed over.
std::string GetDataDirectory();

// The settings file in the data directory.
std::string GetSettingsPath();

// The complete lines among the first kSettingsReadLimit bytes of the file;
// false when the file cannot be opened for reading.
bool ReadSettingsFile(const std::string& path, std::vector<std::string>& lines);

// Replaces the file with the lines, each ended by CR LF. The text goes to a
// new file in the same folder first, which then takes the old one's place in
// one step: a failure anywhere leaves the old file as it was, never a cut one.
bool WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines);
