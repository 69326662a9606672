#pragma once
// Finding the interface: the stored place first, then every port, rate and framing, then the
// identity texts and, on Network models, the interface's network settings.

#include "link/DeviceLink.h"
#include "link/SerialPort.h"

namespace mx {

// Identification request and the reply limits and silences of each request.
inline constexpr const char* kIdentifyRequest = "<$B";
inline constexpr const char* kSerialNumberRequest = "<$S";
inline constexpr const char* kVersionRequest = "<$V";
inline constexpr const char* kDescriptionRequest = "<$D";
inline constexpr const char* kNetworkRequest = "<$N";
inline constexpr int kIdentifyLimit = 30;
inline constexpr uint32_t kIdentifyTimeoutMs = 300;
inline constexpr int kIdentityLimit = 90;
inline constexpr uint32_t kIdentityTimeoutMs = 500;
inline constexpr int kNetworkLimit = 50;
inline constexpr uint32_t kNetworkTimeoutMs = 500;
inline constexpr uint32_t kMissingPortWaitMs = 100;
inline constexpr uint32_t kLocatedNoticeMs = 2000;

bool ProbeStoredSettings(DeviceLink& link, SerialPort& port);
bool ScanForInterface(DeviceLink& link, SerialPort& port);
// Where Read and Send begin: the stored place, else the scan (unless cancelled meanwhile).
bool LocateInterface(DeviceLink& link, SerialPort& port);
void ReadIdentity(DeviceLink& link, SerialPort& port);
void ReadNetworkStatus(DeviceLink& link, SerialPort& port);
// The address, port and server mode of a valid network status into the image's network fields.
void StoreNetworkSettings(const NetworkStatus& net, ParameterImage& image);
// Probe or scan, then the model switch, the network settings and the stored place.
bool FindInterface(DeviceLink& link);
// The whole Find command: FindInterface, then the found host line settings into the Status page.
bool RunFindCommand(DeviceLink& link);

}  // namespace mx
