#include "sim/SimulatorOptions.h"

#include <cstdlib>
#include <utility>

#include "core/ConfigFile.h"
#include "core/ImageOperations.h"

namespace mx::sim {
namespace {

bool ParseLine(const std::string& text, int& baud, char& parity, char& dataBits) {
  // BAUD-P-D-1, as the identification reply writes it.
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos || text.size() != dash + 6 || text[dash + 2] != '-' ||
      text[dash + 4] != '-' || text[dash + 5] != '1')
    return false;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + dash)
    return false;
  if (value != 1200 && value != 2400 && value != 4800 && value != 9600 && value != 19200 &&
      value != 38400 && value != 57600 && value != 115200)
    return false;
  parity = text[dash + 1];
  dataBits = text[dash + 3];
  if (!((parity == 'N' && dataBits == '8') ||
        ((parity == 'E' || parity == 'O') && dataBits == '7')))
    return false;
  baud = static_cast<int>(value);
  return true;
}

bool ParseFault(const std::string& text, Fault& fault) {
  if (text == "silent")
    fault = Fault::Silent;
  else if (text == "garbled")
    fault = Fault::Garbled;
  else if (text == "refuse")
    fault = Fault::Refuse;
  else if (text == "badsum")
    fault = Fault::BadSum;
  else if (text == "short")
    fault = Fault::Short;
  else if (text == "mute")
    fault = Fault::Mute;
  else
    return false;
  return true;
}

// The image's host baud field holds only the interface's own five speeds; faster host lines are
// the simulator's (SimulatorConfig::lineBaud) and the image keeps 9600.
constexpr int kFastestImageBaud = 19200;

void ApplyLine(SimulatorConfig& config, int baud, char parity, char dataBits) {
  config.lineBaud = baud > kFastestImageBaud ? baud : 0;
  config.image.Set(fld::hostBaud, static_cast<uint16_t>(baud > kFastestImageBaud ? 9600 : baud));
  config.image.Set(fld::hostParity, parity);
  config.image.Set(fld::hostDataBits, dataBits);
  config.image.Set(fld::hostStopBits, '1');
}

bool ParseRate(const std::string& text, double& hz) {
  char* end = nullptr;
  hz = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size() && hz > 0 && hz <= 10000;
}

bool ParseStreamEnding(const std::string& text, StreamEnding& ending) {
  static const std::pair<const char*, StreamEnding> kNames[] = {
      {"cr", StreamEnding::Cr},     {"crlf", StreamEnding::CrLf},     {"lf", StreamEnding::Lf},
      {"none", StreamEnding::None}, {"binary", StreamEnding::Binary},
  };
  for (const auto& [name, value] : kNames) {
    if (text == name) {
      ending = value;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string SimulatorUsage() {
  return "usage: mxsim --link PATH [--model M] [--line BAUD-P-D-1] [--serial TEXT] [--firmware "
         "TEXT]\n"
         "             [--description TEXT] [--network LINE] [--image FILE.mxs]\n"
         "             [--fault silent|garbled|refuse|badsum|short|mute] [--pace] [--stream HZ]\n"
         "  --line   the interface's host line: 1200..115200 baud, N-8, E-7 or O-7, 1 stop bit\n"
         "  --pace   bytes go both ways at the line's speed instead of at once\n"
         "  --stream HZ readings a second without being asked (paced; a rate the line cannot\n"
         "           carry is thinned)\n"
         "  --stream-end cr|crlf|lf|none|binary  how each reading ends (cr); binary sends\n"
         "           random bytes instead\n";
}

bool ParseSimulatorOptions(const std::vector<std::string>& args, SimulatorOptions& options,
                           std::string& error) {
  const ModelInfo* model = nullptr;
  bool lineGiven = false;
  int baud = 9600;
  char parity = 'N';
  char dataBits = '8';
  std::string imagePath;
  SimulatorConfig& config = options.config;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--pace") {
      options.paced = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = option.rfind("--", 0) == 0 ? option + " needs a value" : "unknown argument " + option;
      return false;
    }
    const std::string& value = args[++i];
    if (option == "--stream-end") {
      if (!ParseStreamEnding(value, config.streamEnding)) {
        error = "unknown line end " + value + " (cr, crlf, lf, none or binary)";
        return false;
      }
    } else if (option == "--stream") {
      if (!ParseRate(value, options.streamHz)) {
        error = "bad rate " + value + " (readings a second, above 0 and up to 10000)";
        return false;
      }
    } else if (option == "--link") {
      options.linkPath = value;
    } else if (option == "--model") {
      model = ModelByAnyName(value);
      if (!model) {
        error = "unknown model " + value;
        return false;
      }
    } else if (option == "--line") {
      if (!ParseLine(value, baud, parity, dataBits)) {
        error = "bad line settings " + value + " (1200..115200, N-8, E-7 or O-7, 1 stop bit)";
        return false;
      }
      lineGiven = true;
    } else if (option == "--serial") {
      config.serialNumber = value;
    } else if (option == "--firmware") {
      config.version = value;
    } else if (option == "--description") {
      config.description = value;
    } else if (option == "--network") {
      config.networkLine = value;
    } else if (option == "--image") {
      imagePath = value;
    } else if (option == "--fault") {
      if (!ParseFault(value, config.fault)) {
        error = "unknown fault " + value;
        return false;
      }
    } else {
      error = "unknown option " + option;
      return false;
    }
  }
  if (options.linkPath.empty()) {
    error = "--link PATH is required";
    return false;
  }
  if (imagePath.empty()) {
    config.model = model ? model->index : 0;
    config.image = DefaultSimulatorImage(config.model, 9600, parity, dataBits);
    ApplyLine(config, baud, parity, dataBits);
    StoreChecksum(config.image);
    return true;
  }
  std::vector<uint8_t> bytes;
  const FileResult read = ReadWholeFile(imagePath, bytes, kConfigFileSize);
  ExtensionBlock extension;
  if (!read.ok) {
    error = imagePath + ": " + read.error;
    return false;
  }
  if (ParseConfigFile(bytes, config.image, extension) != ConfigParse::Ok) {
    error = imagePath + ": " + std::string(kInvalidConfigFileText);
    return false;
  }
  ApplyLoadFixups(config.image);
  const ModelIndex fileModel = config.image.Get(fld::modelIndex);
  config.model = model ? model->index : (IsKnownModel(fileModel) ? fileModel : 0);
  if (lineGiven)
    ApplyLine(config, baud, parity, dataBits);
  config.image.Set(fld::modelIndex, static_cast<int8_t>(config.model));
  StoreChecksum(config.image);
  return true;
}

}  // namespace mx::sim
