#include "tool/ReportOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace mx::tool {

namespace {

constexpr char kPdfMagic[] = "%PDF-";

}  // namespace

OutputCheck CheckReportOutput(const std::string& output, const std::string& input) {
  struct stat out {};
  if (::stat(output.c_str(), &out) != 0)
    return OutputCheck::Ok;  // nothing there yet (or nothing reachable: the write will say)
  struct stat in {};
  if (input != "-" && ::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
      in.st_ino == out.st_ino) {
    return OutputCheck::IsTheInput;
  }
  if (!S_ISREG(out.st_mode) || out.st_size == 0)
    return OutputCheck::Ok;  // a device or folder is refused by the write; an empty file loses
                             // nothing
  const int fd = ::open(output.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return OutputCheck::Unreadable;
  char head[sizeof kPdfMagic - 1] = {};
  const ssize_t got = ::read(fd, head, sizeof head);
  ::close(fd);
  if (got < 0)
    return OutputCheck::Unreadable;
  const bool pdf =
      got == static_cast<ssize_t>(sizeof head) && std::memcmp(head, kPdfMagic, sizeof head) == 0;
  return pdf ? OutputCheck::Ok : OutputCheck::NotAPdf;
}

std::string_view OutputCheckText(OutputCheck check) {
  switch (check) {
    case OutputCheck::Ok:
      break;
    case OutputCheck::IsTheInput:
      return "is the input file; the report would replace it";
    case OutputCheck::NotAPdf:
      return "exists and is not a PDF; not replaced";
    case OutputCheck::Unreadable:
      return "exists and cannot be read to tell whether it is a PDF; not replaced";
  }
  return {};
}

}  // namespace mx::tool
