#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

// The program's own error. what() is the UTF-8 text the user sees in the
// standard error report; whoever raises it words it for the user.
class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The standard report's text for an error message: the message, with "."
// added when its last character sorts after "." (every Japanese message does).
std::string ReportText(std::string_view message);

inline constexpr const char* kOutOfResources = "システム リソースが足りません";

}  // namespace core
