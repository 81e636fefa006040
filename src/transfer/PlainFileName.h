#pragma once
#include <string>
#include <string_view>

namespace quillon::transfer {

// The name under which an offered file may be saved in the folder the user chose. The offer
// comes from the other computer, so nothing in it may reach outside that folder or name a device:
// only the part after the last "/", "\" or ":" is kept, control characters and the characters
// Windows forbids in names are dropped, trailing dots and blanks go (Windows ignores them, which
// would make ".." of "..."), a device name such as "CON" gets a "_" in front, and the name is
// shortened to 255 bytes keeping its extension. An empty result becomes "received.bin".
std::string PlainFileName(std::string_view offered_name);

}  // namespace quillon::transfer
