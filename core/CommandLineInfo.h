#pragma once
// --help and --version, answered alike by every program: on standard output with exit status 0,
// and before anything else starts (a window, a port, a settings file), so they work where the
// program itself could not run, such as over SSH without a display.

#include <string_view>

namespace mx {

enum class InfoRequest { None, Help, Version };

// Only the first argument counts: what follows it is the program's own (file names, values).
InfoRequest FindInfoRequest(int argc, const char* const* argv);

// Prints "PROGRAM VERSION" or `usage` on standard output. False for InfoRequest::None: then the
// program starts as usual.
bool AnswerInfoRequest(InfoRequest request, std::string_view program, std::string_view version,
                       std::string_view usage);

}  // namespace mx
