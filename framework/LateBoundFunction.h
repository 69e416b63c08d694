// A function of a system library looked up at run time, for functions that
// newer versions of Windows have and Windows 7 lacks: the program must still
// start there, so it imports none of them.
#pragma once

#include <windows.h>

#include <string>

// The function `name` of a loaded `module`, or null when that system has none.
template <class Proc>
Proc LateBoundFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through the generic function type, which converts to any other without a cast warning.
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// A library of the system, loaded from the system's folder and never from the
// program's or the current one, and kept for the life of the process; null when
// that system has none.
inline HMODULE LoadSystemLibrary(const char* fileName) {
  char directory[MAX_PATH] = "";
  const UINT length = ::GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string library = std::string(directory, length) + "\\" + fileName;
  return ::LoadLibraryA(library.c_str());
}
