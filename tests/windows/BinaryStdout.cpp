// GoogleTest writes "\n"; in text mode the C runtime turns that into CR LF,
// and CTest's test discovery would keep the CR in every suite's name.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

const int g_binaryStdout = _setmode(_fileno(stdout), _O_BINARY);

}  // namespace
