// Opens a web address with the desktop's URL opener (xdg-open), without waiting for it.
#pragma once

#include <string>

namespace quorplay {

// False when the opener could not be started.
bool OpenUrl(const std::string& url);

}  // namespace quorplay
