// Where the choices file lives and how its text gets in and out of it.
#pragma once

#include <string>

#include "ChoicesText.h"

// choices.txt in the data directory, beside the settings file.
std::string GetChoicesPath();

// The choices the file holds; the defaults when it is missing, unreadable or
// longer than kChoicesReadLimit.
Choices ReadChoicesFile(const std::string& path);

// Replaces the file in one step, as the settings file is replaced: a failure
// leaves the old file as it was.
bool WriteChoicesFile(const std::string& path, const Choices& choices);
