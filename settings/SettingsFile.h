// Where the settings file lives and how its lines get in and out of it.
#pragma once

#include <string>
#include <vector>

// The file beside the program that makes it portable: it then keeps its
// settings, and everything else it keeps beside them, in its own folder.
inline constexpr char kPortableMarkerName[] = "portable.txt";

// The folder where the program keeps its settings file and what goes beside
// it, ending in a backslash. That is the program's own folder when
// kPortableMarkerName is there and the folder takes new files; otherwise the
// Windows directory followed by "\quillbright\tallywise\", after creating both
// levels, where a level that cannot be created (above all one that exists
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
