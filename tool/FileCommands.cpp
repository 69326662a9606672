#include "tool/FileCommands.h"

#include <algorithm>

#include <cstdio>
#include <ostream>

#include "core/FieldCodes.h"
#include "core/ImageOperations.h"
#include "core/SetupDocument.h"
#include "json/ImageJson.h"
#include "tool/ExitCodes.h"

namespace mx::tool {

namespace {

// An export of an image is far smaller: input beyond this is no export.
constexpr std::size_t kImportLimit = 64 * 1024 * 1024;

// The command line's arguments: positional ones and "-o FILE" / "--model M" style options.
struct Arguments {
  std::vector<std::string> positional;
  std::string output;
  std::string model;
  bool exact = false;
  bool strict = false;
  std::string error;
};

Arguments Parse(const std::vector<std::string>& args) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        parsed.error = "option " + a + " needs a value";
      } else {
        into = args[++i];
      }
    };
    if (a == "-o" || a == "--output") {
      value(parsed.output);
    } else if (a == "--model" || a == "-m") {
      value(parsed.model);
    } else if (a == "--exact") {
      parsed.exact = true;
    } else if (a == "--strict") {
      parsed.strict = true;
    } else if (a.size() > 1 && a[0] == '-') {
      parsed.error = "unknown option " + a;
    } else {
      parsed.positional.push_back(a);
    }
    if (!parsed.error.empty())
      break;
  }
  return parsed;
}

int Usage(Streams io, const std::string& problem) {
  io.err << "mxtool: " << problem << "\n" << FileCommandsUsage();
  return kUsage;
}

}  // namespace

std::string ChecksumVerdict(const ParameterImage& asWritten) {
  const uint32_t stored = asWritten.Get(fld::checksum);
  const uint32_t computed = ImageChecksum(asWritten);
  char sums[64];
  if (stored == computed) {
    std::snprintf(sums, sizeof sums, "checksum ok (0x%08X)", stored);
  } else {
    std::snprintf(sums, sizeof sums, "checksum mismatch (stored 0x%08X, computed 0x%08X)", stored,
                  computed);
  }
  return sums;
}

bool OpenAsTheProgramDoes(const std::string& path, OpenedFile& file, Streams io) {
  if (const FileResult read = ReadInput(path, file.bytes, kConfigFileSize); !read.ok) {
    io.err << "mxtool: " << read.error << "\n";
    return false;
  }
  if (file.document.Load(file.bytes, path) != LoadOutcome::Opened) {
    std::string_view message = kInvalidConfigFileText;
    while (message.ends_with(' '))
      message.remove_suffix(1);
    io.err << "mxtool: " << path << ": " << message << " ("
           << ConfigFaultText(FindConfigFault(file.bytes)) << ")\n";
    return false;
  }
  ExtensionBlock extension;
  // FindConfigFault found nothing, so this parses.
  return ParseConfigFile(file.bytes, file.asWritten, extension) == ConfigParse::Ok;
}

namespace {

int New(const Arguments& a, Streams io) {
  if (a.output.empty() || a.model.empty() || !a.positional.empty()) {
    return Usage(io, "new needs --model M and -o FILE.mxs");
  }
  const ModelInfo* model = ModelByAnyName(a.model);
  if (!model)
    return Usage(io, "unknown model \"" + a.model + "\" (0..7, a name or an identification)");
  EditorHooks editor;
  editor.SelectLoadedModel(model->index);
  SetupDocument document(editor);
  document.NewDocument();
  const FileResult saved = document.Save(a.output);
  if (!saved.ok) {
    io.err << "mxtool: " << saved.error << "\n";
    return kUsage;
  }
  io.out << a.output << ": new " << model->name << " configuration\n";
  return kOk;
}

int Export(const Arguments& a, Streams io) {
  if (a.positional.size() != 1 || !a.output.empty())
    return Usage(io, "export needs one FILE.mxs");
  OpenedFile file;
  if (!OpenAsTheProgramDoes(a.positional[0], file, io))
    return kUsage;
  // --exact: the image as the file holds it, without the program's corrections, for archives.
  const QJsonObject json = ImageToJson(a.exact ? file.asWritten : file.document.Image(),
                                       file.document.Extension(), ChecksumMatches(file.asWritten));
  io.out << ImageJsonText(json).toStdString();
  return kOk;
}

int Import(const Arguments& a, Streams io) {
  if (a.positional.size() != 1 || a.output.empty()) {
    return Usage(io, "import needs one FILE.json and -o FILE.mxs");
  }
  std::vector<uint8_t> bytes;
  // One byte past the limit tells a file that is too large from one that fits exactly.
  if (const FileResult read = ReadInput(a.positional[0], bytes, kImportLimit + 1); !read.ok) {
    io.err << "mxtool: " << read.error << "\n";
    return kUsage;
  }
  if (bytes.size() > kImportLimit) {
    io.err << "mxtool: " << a.positional[0] << ": too large to import (the limit is "
           << kImportLimit / (1024 * 1024) << " MiB)\n";
    return kUsage;
  }
  const ImportedImage imported = ImageFromJson(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
      a.exact ? ImportMode::Exact : ImportMode::Derive);
  if (!imported.ok) {
    io.err << "mxtool: " << a.positional[0] << ": " << imported.error << "\n";
    return kUsage;
  }
  if (!a.exact && RefuseValuesOutsideCodes(a.positional[0], imported.image, nullptr, io))
    return kUsage;
  for (const std::string& field : imported.replaced) {
    // Any edit makes the given checksum stale, so its replacement is the expected outcome of every
    // edited export, not news; --exact keeps it for those who archive it.
    if (field == "checksum")
      continue;
    io.err << "mxtool: " << a.positional[0] << ": field \"" << field
           << "\" did not match the fields it follows from and was replaced (--exact keeps it)\n";
  }
  const FileResult written =
      WriteFileAtomically(a.output, SerializeConfigFile(imported.image, imported.extension));
  if (!written.ok) {
    io.err << "mxtool: " << written.error << "\n";
    return kUsage;
  }
  return kOk;
}

int Check(const Arguments& a, Streams io) {
  if (a.positional.size() != 1 || !a.output.empty())
    return Usage(io, "check needs one FILE.mxs");
  const std::string& path = a.positional[0];
  OpenedFile file;
  if (!OpenAsTheProgramDoes(path, file, io))
    return kUsage;
  const ParameterImage& raw = file.asWritten;
  const ModelIndex model = raw.Get(fld::modelIndex);
  io.out << path << ": " << (IsKnownModel(model) ? ModelCaption(model) : kUnknownCodeText) << ", "
         << ChecksumVerdict(raw) << "\n";
  const std::vector<CodeViolation> outside = ValuesOutsideCodes(raw);
  for (const CodeViolation& v : outside) {
    io.err << "mxtool: " << path << ": warning: " << v.element << " holds " << v.value
           << ", which no interface takes (" << v.allowed << ")\n";
  }
  return a.strict && !outside.empty() ? 1 : kOk;
}

}  // namespace

bool IsFileCommand(const std::string& command) {
  return command == "new" || command == "export" || command == "import" || command == "check";
}

int RunFileCommand(const std::string& command, const std::vector<std::string>& args, Streams io) {
  const Arguments parsed = Parse(args);
  if (!parsed.error.empty())
    return Usage(io, parsed.error);
  if (parsed.exact && command != "export" && command != "import")
    return Usage(io, "--exact is for export and import");
  if (parsed.strict && command != "check")
    return Usage(io, "--strict is for check");
  if (command == "new")
    return New(parsed, io);
  if (command == "export")
    return Export(parsed, io);
  if (command == "import")
    return Import(parsed, io);
  if (command == "check")
    return Check(parsed, io);
  return Usage(io, "unknown command " + command);
}

bool RefuseValuesOutsideCodes(const std::string& name, const ParameterImage& image,
                              const ParameterImage* before, Streams io) {
  std::vector<CodeViolation> given = ValuesOutsideCodes(image);
  if (before) {
    // What the file already held is not this command's doing; `check` reports it.
    const std::vector<CodeViolation> held = ValuesOutsideCodes(*before);
    std::erase_if(given, [&](const CodeViolation& v) {
      return std::any_of(held.begin(), held.end(), [&](const CodeViolation& h) {
        return h.element == v.element && h.value == v.value;
      });
    });
  }
  for (const CodeViolation& v : given) {
    io.err << "mxtool: " << name << ": " << v.element << " cannot be " << v.value
           << ": no interface takes it (" << v.allowed << "); --exact writes it anyway\n";
  }
  return !given.empty();
}

FileResult ReadInput(const std::string& path, std::vector<uint8_t>& bytes, std::size_t limit) {
  return path == "-" ? ReadStandardInput(bytes, limit) : ReadWholeFile(path, bytes, limit);
}

std::string FileCommandsUsage() {
  return "  mxtool new --model M -o FILE.mxs    a new configuration (M: 0..7, a model name such "
         "as\n"
         "                                      \"Mesurix5 Network\", or \"MX5-NTWK-00\")\n"
         "  mxtool export FILE.mxs [--exact]    the file's image as JSON on stdout, as the setup\n"
         "                                      program opens it; --exact: as the file holds it\n"
         "  mxtool import FILE.json -o FILE.mxs [--exact]\n"
         "                                      a configuration file from such JSON; fields that\n"
         "                                      follow from others (commandBytes from "
         "commandText,\n"
         "                                      the checksum, ...) are derived again, with a "
         "warning\n"
         "                                      for each given one that differed, and a text must\n"
         "                                      leave room for its terminating NUL; --exact "
         "writes\n"
         "                                      every given byte as it is\n"
         "  mxtool check FILE.mxs [--strict]    is it a valid configuration file? Values no\n"
         "                                      interface takes are warnings (exit 1 with\n"
         "                                      --strict)\n"
         "  An input FILE of \"-\" is standard input.\n";
}

}  // namespace mx::tool
