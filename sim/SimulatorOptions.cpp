#include "sim/SimulatorOptions.h"

#include <cstdlib>

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
  if (value != 1200 && value != 2400 && value != 4800 && value != 9600 && value != 19200)
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

}  // namespace

std::string SimulatorUsage() {
  return "usage: mxsim --link PATH [--model M] [--line BAUD-P-D-1] [--serial TEXT] [--version "
         "TEXT]\n"
         "             [--description TEXT] [--network LINE] [--image FILE.mxs]\n"
         "             [--fault silent|garbled|refuse|badsum|short|mute] [--pace]\n";
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
    if (option == "--link") {
      options.linkPath = value;
    } else if (option == "--model") {
      model = ModelByAnyName(value);
      if (!model) {
        error = "unknown model " + value;
        return false;
      }
    } else if (option == "--line") {
      if (!ParseLine(value, baud, parity, dataBits)) {
        error = "bad line settings " + value + " (1200..19200, N-8, E-7 or O-7, 1 stop bit)";
        return false;
      }
      lineGiven = true;
    } else if (option == "--serial") {
      config.serialNumber = value;
    } else if (option == "--version") {
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
    config.image = DefaultSimulatorImage(config.model, baud, parity, dataBits);
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
  if (lineGiven) {
    config.image.Set(fld::hostBaud, static_cast<uint16_t>(baud));
    config.image.Set(fld::hostParity, parity);
    config.image.Set(fld::hostDataBits, dataBits);
    config.image.Set(fld::hostStopBits, '1');
  }
  config.image.Set(fld::modelIndex, static_cast<int8_t>(config.model));
  StoreChecksum(config.image);
  return true;
}

}  // namespace mx::sim
