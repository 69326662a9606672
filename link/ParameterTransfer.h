#pragma once
// Reading and sending the whole parameter image. Both locate the interface first, move the line to
// 9600-N-8-1 for the bulk transfer and check the image's checksum.

#include "link/DeviceLink.h"
#include "link/SerialPort.h"

namespace mx {

inline constexpr const char* kEnterTransferRequest = "<$E";
inline constexpr const char* kLeaveTransferRequest = "<$F";
inline constexpr const char* kReadImageRequest = "<$T";
inline constexpr const char* kSendImageRequest = "<$U";
inline constexpr uint32_t kTransferSwitchWaitMs = 250;
inline constexpr uint32_t kImageSilenceMs = 300;
inline constexpr int kVerdictLimit = 90;

// Sends "<$E" and follows with the port unless the link already runs at 9600-N-8-1. Returns
// whether the speed was switched (and so whether "<$F" must follow).
bool EnterTransferSpeed(DeviceLink& link, SerialPort& port);
// The verdict's silence: 3301 characters of 10 bits at the identification speed, plus 2 s.
uint32_t AcknowledgeTimeoutMs(int identificationBaud);

// Each returns true when the interface's image was received or accepted; every failure has shown
// its message, except a Cancel from outside the scan window (which the host itself reports).
bool ReadParameters(DeviceLink& link);
bool SendParameters(DeviceLink& link);

}  // namespace mx
