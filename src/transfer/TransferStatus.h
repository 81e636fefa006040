#pragma once
// The status texts the transfer windows show, and the once-a-second progress line.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::transfer {

// Sender, before a receiver connects (shown by the send window itself).
inline constexpr std::string_view kStatusRetrievingAddress = "Retrieving your IP...";
inline constexpr std::string_view kStatusCheckingPorts = "Checking open ports...";
inline constexpr std::string_view kStatusAwaitingConnection = "Awaiting response...";
inline constexpr std::string_view kStatusAddressFailed = "Your IP address could not be retrieved.";

// Sender.
inline constexpr std::string_view kStatusSendingInformation = "Sending File Information";
inline constexpr std::string_view kStatusAwaitingName = "Awaiting response";
inline constexpr std::string_view kStatusSendComplete = "Send Complete";
inline constexpr std::string_view kStatusSendingRate = "Sending... (";
inline constexpr std::string_view kStatusReadFailed = "The file could not be read.";
inline constexpr std::string_view kStatusSendBroken =
    "The connection was closed before the file was sent.";

// Receiver.
inline constexpr std::string_view kStatusConnecting = "Connecting...";
inline constexpr std::string_view kStatusConnected = "Connected!";
inline constexpr std::string_view kStatusReceivingRate = "Receiving... (";
inline constexpr std::string_view kStatusReceived = "File has been received!";
inline constexpr std::string_view kStatusConnectFailed = "The connection could not be made.";
inline constexpr std::string_view kStatusReceiveBroken =
    "The connection was closed before the file was received.";
inline constexpr std::string_view kStatusBadSize = "The sender announced an invalid file size.";
inline constexpr std::string_view kStatusBadName =
    "The sender offered a file name that is too long.";
inline constexpr std::string_view kStatusSaveFailed = "The file could not be opened for writing.";
inline constexpr std::string_view kStatusWriteFailed = "The file could not be written.";
inline constexpr std::string_view kStatusDiskFull =
    "The file could not be written: the disk is full.";
inline constexpr std::string_view kStatusSaveDenied =
    "The file could not be opened for writing: the folder is read-only.";

// Either side.
inline constexpr std::string_view kStatusProtocolError =
    "The other side did not follow the file-transfer protocol.";
inline constexpr std::string_view kStatusCancelled = "The file transfer has been cancelled.";

// The share of `maximum` reached, in whole percent rounded half to even. An empty file is
// complete as soon as it starts, so a maximum of 0 reads 100.
int ProgressPercent(uint64_t value, uint64_t maximum);

// "Sending... (45%) - 16kb per second": `prefix`, the percentage, and the bytes of the last second
// in kilobytes of 1000 bytes, with as many decimals as they need.
std::string RateStatus(std::string_view prefix, uint64_t value, uint64_t maximum,
                       uint64_t bytes_last_second);

}  // namespace quillon::transfer
