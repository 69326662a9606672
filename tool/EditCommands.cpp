#include "tool/EditCommands.h"

#include <sys/stat.h>

#include <ostream>

#include "json/ImageEdit.h"
#include "tool/ExitCodes.h"
#include "tool/FleetOutput.h"

namespace mx::tool {
namespace {

int Usage(Streams io, const std::string& problem) {
  io.err << "mxtool: " << problem << "\n" << EditCommandsUsage();
  return kUsage;
}

int Diff(const std::vector<std::string>& args, Streams io) {
  std::vector<std::string> files;
  bool exact = false, json = false;
  for (const std::string& arg : args) {
    if (arg == "--exact")
      exact = true;
    else if (arg == "--json")
      json = true;
    else if (arg.size() > 1 && arg[0] == '-')
      return Usage(io, "unknown option " + arg);
    else
      files.push_back(arg);
  }
  if (files.size() != 2)
    return Usage(io, "diff needs two files: A.mxs B.mxs");
  OpenedFile a, b;
  if (!OpenAsTheProgramDoes(files[0], a, io) || !OpenAsTheProgramDoes(files[1], b, io))
    return kUsage;
  const std::vector<std::string> lines =
      DiffImages(exact ? a.asWritten : a.document.Image(), a.document.Extension(),
                 exact ? b.asWritten : b.document.Image(), b.document.Extension());
  if (json) {
    FleetLine changes;
    changes.hasChanges = true;
    for (const std::string& line : lines) {
      if (FieldChange change; ParseDiffLine(line, change))
        changes.changes.push_back(change);
    }
    io.out << ChangesJson(changes) << "\n";
  } else {
    for (const std::string& line : lines)
      io.out << line << "\n";
  }
  return lines.empty() ? kSame : kDifferent;
}

int Set(const std::vector<std::string>& args, Streams io) {
  std::string input, output;
  std::vector<std::string> assignments;
  bool exact = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--exact") {
      exact = true;
    } else if (args[i] == "-o" || args[i] == "--output") {
      if (i + 1 >= args.size() || !output.empty())
        return Usage(io, "set takes one -o OUT.mxs");
      output = args[++i];
    } else if (input.empty()) {
      input = args[i];
    } else {
      assignments.push_back(args[i]);
    }
  }
  if (input.empty() || assignments.empty())
    return Usage(io, "set needs FILE.mxs and at least one FIELD=VALUE");
  if (output.empty() && input == "-")
    return Usage(io, "set of standard input needs -o OUT.mxs");
  // A pipe (<(...), a FIFO) or a device can be read but not replaced by a new file.
  if (struct stat st{}; output.empty() && ::stat(input.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
    return Usage(io, input + " is not a file that can be replaced: set needs -o OUT.mxs for it");
  if (output.empty())
    output = input;
  // Before the input is read: reading a FIFO waits for its writer, and that wait should not end
  // in a result that cannot be kept.
  if (const FileResult target = CheckSaveTarget(output); !target.ok) {
    io.err << "mxtool: " << target.error << "\n";
    return kUsage;
  }
  OpenedFile file;
  if (!OpenAsTheProgramDoes(input, file, io))
    return kUsage;
  const EditedImage edited =
      SetImageFields(file.document.Image(), file.document.Extension(), assignments);
  if (!edited.ok) {
    io.err << "mxtool: " << input << ": " << edited.error << "\n";
    return kUsage;
  }
  if (!exact && RefuseValuesOutsideCodes(input, edited.image, &file.document.Image(), io))
    return kUsage;
  for (const std::string& field : edited.replaced) {
    io.err << "mxtool: " << input << ": field \"" << field
           << "\" did not match the fields it follows from and was replaced\n";
  }
  const FileResult written =
      WriteFileAtomically(output, SerializeConfigFile(edited.image, edited.extension));
  if (!written.ok) {
    io.err << "mxtool: " << written.error << "\n";
    return kUsage;
  }
  return kSame;
}

}  // namespace

bool IsEditCommand(const std::string& command) {
  return command == "diff" || command == "set";
}

int RunEditCommand(const std::string& command, const std::vector<std::string>& args, Streams io) {
  return command == "diff" ? Diff(args, io) : Set(args, io);
}

std::string EditCommandsUsage() {
  return "  mxtool diff A.mxs B.mxs [--exact] [--json]\n"
         "                                      every element that differs, one a line, as\n"
         "                                      \"gageType[C]: 3 -> 5\", values as export writes\n"
         "                                      them, the checksum last; exit 0 equal, 1 "
         "different\n"
         "  mxtool set FILE.mxs FIELD=VALUE ... [-o OUT.mxs] [--exact]\n"
         "                                      sets elements by export's names and writes FILE\n"
         "                                      (or OUT): gageType[A]=3, networkSource[2][C]=0\n"
         "                                      (rows from 0), ipAddress=192.168.0.20,\n"
         "                                      description='\"Line 3\"'; derived fields follow\n"
         "                                      as in import; a bad name or value writes nothing,\n"
         "                                      nor does a code no interface takes "
         "(gageType[A]=99)\n"
         "                                      unless --exact; diff --json: one JSON line with\n"
         "                                      the changes\n";
}

}  // namespace mx::tool
