// Why the module may have refused a file: it only answers with no picture, so the host
// looks at the file itself.
#pragma once

#include <string>

// The likely reason, for a message: "no such file", "is a directory", "not readable",
// "empty", "4 GiB or larger", or, when the file looks loadable, "picture too large or
// could not be made".
std::string RefusalReason(const std::string& path);
