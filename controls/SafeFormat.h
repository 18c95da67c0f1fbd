// printf-style expansion that checks every specifier against the argument it takes, so that a message whose
// specifiers and arguments disagree fails loudly instead of reading whatever lies on the stack.
#pragma once

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

using FormatArg = std::variant<int, double, std::string>;

class EFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Understands %d %i %u %x %X %c (integers), %e %f %g %E %G (doubles), %s (strings) and %%, each with the
// usual flags, width and precision. Surplus arguments are ignored, as the class library's Format does.
// Throws EFormatError for an unknown specifier, a missing argument or an argument of the wrong kind.
std::string SafeFormat(const std::string& format, const std::vector<FormatArg>& args);
