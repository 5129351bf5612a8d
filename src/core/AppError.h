#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

// The program's own error. what() is the UTF-8 text the user sees in the
// standard error report; whoever raises it words it for the user. An error the system
// reported keeps the system's code beside the text (0: none).
class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& text, std::uint32_t code = 0) : std::runtime_error(text), code_(code) {}
    std::uint32_t Code() const noexcept { return code_; }

private:
    std::uint32_t code_;
};

// The standard report's text for an error message: the message, with "."
// added when its last character sorts after "." (every Japanese message does).
std::string ReportText(std::string_view message);

inline constexpr const char* kOutOfResources = "システム リソースが足りません";

}  // namespace core
