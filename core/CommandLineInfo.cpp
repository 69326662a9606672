#include "core/CommandLineInfo.h"

#include <cstdio>
#include <string>

namespace mx {

InfoRequest FindInfoRequest(int argc, const char* const* argv) {
  if (argc < 2)
    return InfoRequest::None;
  const std::string_view first = argv[1];
  if (first == "--help" || first == "-h")
    return InfoRequest::Help;
  if (first == "--version")
    return InfoRequest::Version;
  return InfoRequest::None;
}

bool AnswerInfoRequest(InfoRequest request, std::string_view program, std::string_view version,
                       std::string_view usage) {
  if (request == InfoRequest::None)
    return false;
  const std::string text = request == InfoRequest::Help
                               ? std::string(usage)
                               : std::string(program) + " " + std::string(version) + "\n";
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
  return true;
}

}  // namespace mx
