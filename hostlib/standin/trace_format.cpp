#include "trace_format.h"

#include <cstdint>

namespace hostlib_standin {
namespace {

struct FieldFormat {
  bool left = false, zero = false, plus = false, space = false, alternate = false;
  int width = 0;
  int precision = -1;
  int longness = 0;  // -1 h, 1 l, 2 ll
};

void Pad(std::u16string& out, const std::u16string& body, const FieldFormat& field, std::size_t signLength = 0) {
  const std::size_t width = field.width > 0 ? static_cast<std::size_t>(field.width) : 0;
  if (body.size() >= width) {
    out += body;
  } else if (field.left) {
    out += body;
    out.append(width - body.size(), u' ');
  } else if (field.zero) {
    // Zeros go between the sign (or "0x") and the digits.
    out.append(body, 0, signLength);
    out.append(width - body.size(), u'0');
    out.append(body, signLength);
  } else {
    out.append(width - body.size(), u' ');
    out += body;
  }
}

std::u16string Digits(std::uint64_t value, unsigned base, bool upper, int precision) {
  const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(set[value % base]));
    value /= base;
  } while (value != 0);
  if (precision == 0 && digits == u"0") digits.clear();
  if (precision > 0 && digits.size() < static_cast<std::size_t>(precision))
    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), u'0');
  return digits;
}

std::int64_t SignedArgument(va_list& args, int longness) {
  if (longness >= 2) return va_arg(args, long long);
  if (longness == 1) return va_arg(args, long);
  const int value = va_arg(args, int);
  return longness < 0 ? static_cast<short>(value) : value;
}

std::uint64_t UnsignedArgument(va_list& args, int longness) {
  if (longness >= 2) return va_arg(args, unsigned long long);
  if (longness == 1) return va_arg(args, unsigned long);
  const unsigned value = va_arg(args, unsigned);
  return longness < 0 ? static_cast<unsigned short>(value) : value;
}

}  // namespace

std::u16string FormatTrace(const char16_t* format, va_list incoming) {
  std::u16string out;
  if (format == nullptr) return out;
  va_list args;
  va_copy(args, incoming);
  for (const char16_t* p = format; *p != u'\0'; ++p) {
    if (*p != u'%') {
      out.push_back(*p);
      continue;
    }
    const char16_t* start = p++;
    FieldFormat field;
    for (;; ++p) {
      if (*p == u'-') field.left = true;
      else if (*p == u'0') field.zero = true;
      else if (*p == u'+') field.plus = true;
      else if (*p == u' ') field.space = true;
      else if (*p == u'#') field.alternate = true;
      else break;
    }
    if (*p == u'*') {
      field.width = va_arg(args, int);
      if (field.width < 0) {
        field.left = true;
        field.width = -field.width;
      }
      ++p;
    } else {
      while (*p >= u'0' && *p <= u'9' && field.width < 10000) field.width = field.width * 10 + (*p++ - u'0');
    }
    if (*p == u'.') {
      ++p;
      field.precision = 0;
      if (*p == u'*') {
        field.precision = va_arg(args, int);
        ++p;
      } else {
        while (*p >= u'0' && *p <= u'9' && field.precision < 10000) field.precision = field.precision * 10 + (*p++ - u'0');
      }
    }
    if (*p == u'h') field.longness = -1, ++p;
    else if (*p == u'l' && p[1] == u'l') field.longness = 2, p += 2;
    else if (*p == u'l') field.longness = 1, ++p;
    // Precision decides the digits, so the zero flag only pads strings and characters with blanks then.
    const bool integerZero = field.zero && field.precision < 0;
    switch (*p) {
      case u'%':
        out.push_back(u'%');
        break;
      case u'd':
      case u'i': {
        const std::int64_t value = SignedArgument(args, field.longness);
        const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        std::u16string sign = value < 0 ? u"-" : field.plus ? u"+" : field.space ? u" " : u"";
        FieldFormat pad = field;
        pad.zero = integerZero;
        Pad(out, sign + Digits(magnitude, 10, false, field.precision), pad, sign.size());
        break;
      }
      case u'u':
      case u'x':
      case u'X': {
        const std::uint64_t value = UnsignedArgument(args, field.longness);
        const unsigned base = *p == u'u' ? 10 : 16;
        std::u16string prefix;
        if (field.alternate && base == 16 && value != 0) prefix = *p == u'X' ? u"0X" : u"0x";
        FieldFormat pad = field;
        pad.zero = integerZero;
        Pad(out, prefix + Digits(value, base, *p == u'X', field.precision), pad, prefix.size());
        break;
      }
      case u'c': {
        FieldFormat pad = field;
        pad.zero = false;
        Pad(out, std::u16string(1, static_cast<char16_t>(va_arg(args, int))), pad);
        break;
      }
      case u's':
      case u'S': {
        std::u16string text;
        if (*p == u's' && field.longness >= 0) {
          const char16_t* wide = va_arg(args, const char16_t*);
          text = wide != nullptr ? wide : u"(null)";
        } else {
          const char* narrow = va_arg(args, const char*);
          if (narrow == nullptr) narrow = "(null)";
          for (; *narrow != '\0'; ++narrow) text.push_back(static_cast<unsigned char>(*narrow));
        }
        if (field.precision >= 0 && text.size() > static_cast<std::size_t>(field.precision)) text.resize(static_cast<std::size_t>(field.precision));
        FieldFormat pad = field;
        pad.zero = false;
        Pad(out, text, pad);
        break;
      }
      default:
        // Unknown or cut-off conversion: copy it as written; a format ending in "%" ends here.
        out.append(start, static_cast<std::size_t>(p - start));
        if (*p == u'\0') {
          va_end(args);
          return out;
        }
        out.push_back(*p);
        break;
    }
  }
  va_end(args);
  return out;
}

}  // namespace hostlib_standin
