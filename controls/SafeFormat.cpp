#include "SafeFormat.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

struct TSpec {
  std::string text;  // the whole specifier, from '%' to the conversion character
  char conversion = 0;
};

// Reads one specifier starting at the '%' at format[pos]; leaves pos behind it.
TSpec ReadSpec(const std::string& format, size_t& pos) {
  const size_t start = pos++;
  while (pos < format.size() && std::strchr("-+ #0", format[pos])) ++pos;
  while (pos < format.size() && std::isdigit(static_cast<unsigned char>(format[pos]))) ++pos;
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    while (pos < format.size() && std::isdigit(static_cast<unsigned char>(format[pos]))) ++pos;
  }
  if (pos >= format.size()) throw EFormatError("Format '" + format + "': specifier without conversion");
  TSpec spec;
  spec.conversion = format[pos++];
  spec.text = format.substr(start, pos - start);
  return spec;
}

template <typename T>
std::string Print(const std::string& spec, T value) {
  const int length = std::snprintf(nullptr, 0, spec.c_str(), value);
  if (length < 0) throw EFormatError("Format specifier '" + spec + "' cannot be printed");
  std::string out(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(out.data(), out.size(), spec.c_str(), value);
  out.resize(static_cast<size_t>(length));
  return out;
}

const char* KindName(const FormatArg& arg) {
  static const char* const names[] = {"integer", "floating-point", "string"};
  return names[arg.index()];
}

template <typename T>
const T& Expect(const TSpec& spec, const FormatArg& arg) {
  if (const T* value = std::get_if<T>(&arg)) return *value;
  throw EFormatError("Format specifier '" + spec.text + "' does not take a " + KindName(arg) + " argument");
}

std::string Expand(const TSpec& spec, const FormatArg& arg) {
  switch (spec.conversion) {
    case 'd':
    case 'i':
    case 'c':
      return Print(spec.text, Expect<int>(spec, arg));
    case 'u':
    case 'x':
    case 'X':
      return Print(spec.text, static_cast<unsigned>(Expect<int>(spec, arg)));
    case 'e':
    case 'E':
    case 'f':
    case 'g':
    case 'G':
      return Print(spec.text, Expect<double>(spec, arg));
    case 's':
      return Print(spec.text, Expect<std::string>(spec, arg).c_str());
    default:
      throw EFormatError("Unknown format specifier '" + spec.text + "'");
  }
}

}  // namespace

std::string SafeFormat(const std::string& format, const std::vector<FormatArg>& args) {
  std::string out;
  size_t next = 0;
  for (size_t pos = 0; pos < format.size();) {
    if (format[pos] != '%') {
      out += format[pos++];
      continue;
    }
    if (pos + 1 < format.size() && format[pos + 1] == '%') {
      out += '%';
      pos += 2;
      continue;
    }
    const TSpec spec = ReadSpec(format, pos);
    if (next >= args.size())
      throw EFormatError("Format '" + format + "': no argument for specifier '" + spec.text + "'");
    out += Expand(spec, args[next++]);
  }
  return out;
}
