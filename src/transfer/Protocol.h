#pragma once
// What two copies of the program must agree on to move a file: the port, the invitation key and
// the messages of the dialogue. Changing any of these breaks transfers with older copies.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon::transfer {

inline constexpr uint16_t kTransferPort = 1129;

// The key text of the invitation cipher; every copy of the program holds the same one.
inline constexpr std::string_view kInvitationKey = "rM51X9";

inline constexpr std::string_view kTagOpen = "[!FileTransfer:";
inline constexpr std::string_view kTagClose = "!]";

// Messages on the connection. They carry no length and no terminator.
inline constexpr std::string_view kSizeMessage = "flsz:";     // sender: + size in decimal
inline constexpr std::string_view kNameMessage = "flnm:";     // sender: + file name
inline constexpr std::string_view kEndMessage = "ende:";      // sender: + name, after the data
inline constexpr std::string_view kSizeReadMessage = "rcfs";  // receiver: size read
inline constexpr std::string_view kReadyMessage = "fine";     // receiver: output file open

// The unit in which a sender reads and sends the file; the last block is what remains. The wire
// only sees a stream of the announced number of bytes, so a sender may hand over several blocks
// at once.
inline constexpr size_t kBlockSize = 8000;

// The longest size text taken: a 64-bit count of bytes has at most 19 digits.
inline constexpr size_t kMaxSizeDigits = 19;

// Far beyond any real file name; a longer name message is refused rather than buffered.
inline constexpr size_t kMaxOfferedName = 1024;

// The size and name messages end nowhere on the wire, and TCP may split them. The peer sends
// nothing more until it gets an answer, so a message is complete once its bytes have stopped
// arriving for this long.
inline constexpr int64_t kMessageQuietMs = 200;

// The rate is shown once a second while data moves, the progress a few times a second.
inline constexpr int64_t kRateIntervalMs = 1000;
inline constexpr int64_t kProgressIntervalMs = 250;

}  // namespace quillon::transfer
