// A function of a system library looked up at run time, for functions that
// newer versions of Windows have and Windows 7 lacks: the program must still
// start there, so it imports none of them.
#pragma once

#include <windows.h>

// The function `name` of a loaded `module`, or null when that system has none.
template <class Proc>
Proc LateBoundFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through the generic function type, which converts to any other without a cast warning.
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
