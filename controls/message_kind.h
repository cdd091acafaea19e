#pragma once
// Whether a message of the program reports a failure (something could not be done, a file or
// value is wrong) or only informs, so a front end can show it with the matching icon.

#include <string_view>

namespace plumetra {

enum class MessageKind { Information, Failure };

MessageKind messageKind(std::string_view text);

}  // namespace plumetra
