#include "attribute_file.h"

#include <array>
#include <cstdint>
#include <optional>

#include "contract/trace_levels.h"
#include "hostlib/corvana.h"
#include "platform/path.h"
#include "platform/text.h"

namespace recorder {
namespace {

constexpr std::string_view kFormatMark = "1000";
constexpr std::size_t kLengthAt = 6, kLengthDigits = 8;
constexpr std::size_t kStandardAt = 16;
constexpr std::size_t kTimecodeAt = 21;
constexpr std::size_t kAuthorAt = 186, kAuthorBytes = 8;
constexpr std::size_t kMarkCountAt = 199, kMarkCountDigits = 3;
constexpr std::size_t kMarkListAt = 208, kMarkEntryBytes = 19;
constexpr long long kMostMarks = 10;
constexpr std::size_t kMostDurationDigits = 5;
constexpr std::size_t kLineEndBytes = 2;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Each byte counts (value - '0') times its power of ten; bytes are not tested for being digits, as the
// recorder's own tools read them.
long long Decimal(std::string_view digits) {
  long long value = 0;
  for (char c : digits) value = value * 10 + (static_cast<unsigned char>(c) - 0x30);
  return value;
}

// Two characters as one packed-decimal byte.
unsigned PackedByte(char high, char low) {
  return ((static_cast<unsigned char>(high) - 0x30u) * 16u + (static_cast<unsigned char>(low) - 0x30u)) & 0xFFu;
}

void AppendHex2(std::u16string& text, unsigned value) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  text += kDigits[(value >> 4) & 0xF];
  text += kDigits[value & 0xF];
}

// The timecode field FFSSMMHH as "HH:MM:SS?FF", the separator by standard and drop-frame flag.
std::u16string TimecodeFromField(std::string_view field, std::u16string_view standard) {
  const unsigned frames = PackedByte(field[0], field[1]);
  const unsigned seconds = PackedByte(field[2], field[3]);
  const unsigned minutes = PackedByte(field[4], field[5]);
  const unsigned hours = PackedByte(field[6], field[7]);
  char16_t separator = (frames & 0x40u) != 0 ? u',' : u'.';
  if (standard == u"PAL") separator = u':';
  std::u16string text;
  AppendHex2(text, hours);
  text += u':';
  AppendHex2(text, minutes);
  text += u':';
  AppendHex2(text, seconds);
  text += separator;
  AppendHex2(text, frames & 0x3Fu);
  return text;
}

std::u16string AuthorText(std::string_view field) {
  std::array<char, kAuthorBytes + 1> author{};
  field.copy(author.data(), kAuthorBytes);
  return platform::MultiByteToWide(author.data(), kAuthorBytes);
}

// Where the clip table's entries start and how many there are; nothing when the count is not one or
// two digits ended by a line end within the bytes.
struct ClipTable {
  std::size_t at = 0;
  long long count = 0;
};
std::optional<ClipTable> FindClipTable(std::string_view bytes, std::size_t at) {
  if (at + 2 <= bytes.size() && IsLineEnd(bytes[at + 1])) return ClipTable{at + 3, Decimal(bytes.substr(at, 1))};
  if (at + 3 <= bytes.size() && IsLineEnd(bytes[at + 2])) return ClipTable{at + 4, Decimal(bytes.substr(at, 2))};
  return std::nullopt;
}

// One clip table entry: its clip number and duration, and where the next entry starts.
struct TableEntry {
  long long clipNumber = 0;
  long long duration = 0;
  std::size_t next = 0;
};
std::optional<TableEntry> ReadTableEntry(std::string_view bytes, std::size_t at) {
  const std::size_t digitsAt = at + 2;
  if (digitsAt > bytes.size()) return std::nullopt;
  std::size_t digits = 0;
  while (digits < kMostDurationDigits && digitsAt + digits < bytes.size() && !IsLineEnd(bytes[digitsAt + digits]))
    ++digits;
  // A duration must end within the bytes read: at a line end or after its fifth digit.
  if (digits < kMostDurationDigits && digitsAt + digits >= bytes.size()) return std::nullopt;
  return TableEntry{static_cast<unsigned char>(bytes[at]) - 0x30LL, Decimal(bytes.substr(digitsAt, digits)),
                    digitsAt + digits + kLineEndBytes};
}

// The start timecode of a later clip: the folder's start moved on by twice the durations before it, in
// the host timecode's own unit.
std::u16string AdvancedTimecode(const std::u16string& start, long long before) {
  Timecode timecode(start.c_str());
  timecode += static_cast<std::int32_t>(2 * before);
  return TimecodeText(timecode).c_str();
}

}  // namespace

void ApplyAttributeBytes(std::string_view bytes, contract::ClipInfo& clip, int clipIndex) {
  if (bytes.substr(0, kFormatMark.size()) != kFormatMark) return;
  // A file cut before its mark list is not a recording's description: the clip keeps what it had.
  if (bytes.size() < kMarkListAt) return;

  // The 8-digit total is taken at full width; the record holds 32 bits.
  clip.length = static_cast<std::int32_t>(Decimal(bytes.substr(kLengthAt, kLengthDigits)));
  const std::string_view standard = bytes.substr(kStandardAt, 3);
  if (standard == "PAL") clip.standard = u"PAL";
  if (standard == "NTC") clip.standard = u"NTSC";
  clip.tcIn = TimecodeFromField(bytes.substr(kTimecodeAt, 8), clip.standard);
  clip.clipAuthor = AuthorText(bytes.substr(kAuthorAt, kAuthorBytes));

  long long marks = Decimal(bytes.substr(kMarkCountAt, kMarkCountDigits));
  if (marks < 0 || marks > kMostMarks) marks = kMostMarks;
  const std::optional<ClipTable> table =
      FindClipTable(bytes, kMarkListAt + static_cast<std::size_t>(marks) * kMarkEntryBytes);
  if (!table) return;

  long long before = 0;
  std::size_t at = table->at;
  for (long long entry = 0; entry < table->count; ++entry) {
    const std::optional<TableEntry> read = ReadTableEntry(bytes, at);
    if (!read) return;
    if (read->clipNumber == clipIndex + 1LL) {
      clip.length = static_cast<std::int32_t>(read->duration);
      if (clipIndex != 0) clip.tcIn = AdvancedTimecode(clip.tcIn, before);
    }
    before += read->duration;
    at = read->next;
  }
}

void ReadAttributeFile(platform::Files& files, std::u16string_view folder, contract::ClipInfo& clip, int clipIndex) {
  std::u16string path(folder);
  if (!platform::EndsWithSeparator(path)) path += platform::PathSeparator();
  path += u"Attribute.atr";
  const std::optional<std::string> bytes = ReadMetadataFile(files, path);
  if (!bytes) {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"failed to open %s \n", path.c_str());
    return;
  }
  HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"Reading %d Bytes from  %s \n",
            static_cast<int>(bytes->size()), path.c_str());
  ApplyAttributeBytes(*bytes, clip, clipIndex);
}

bool FileIsReadable(platform::Files& files, std::u16string_view path) {
  return files.ReadBytesDenyingWrite(path, 0).has_value();
}

std::optional<std::string> ReadMetadataFile(platform::Files& files, std::u16string_view path) {
  return files.ReadBytesDenyingWrite(path, kMetadataReadBytes);
}

std::u16string MediaFileDate(platform::Files& files, std::u16string_view path) {
  const std::optional<platform::FileEntry> entry = files.Attributes(path);
  return FileDate(entry ? entry->lastWriteTime : 0);
}

std::u16string FileDate(platform::FileTime time) {
  constexpr std::uint64_t kTicksPerDay = 864'000'000'000ULL;
  constexpr long long kDaysFrom1601To1970 = 134'774;
  // Civil date from days since 1970-01-01 (proleptic Gregorian).
  const long long z = static_cast<long long>(time / kTicksPerDay) - kDaysFrom1601To1970 + 719'468;
  const long long era = (z >= 0 ? z : z - 146'096) / 146'097;
  const long long dayOfEra = z - era * 146'097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shifted = (5 * dayOfYear + 2) / 153;
  const long long day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  const long long month = shifted < 10 ? shifted + 3 : shifted - 9;
  const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  auto padded = [](long long value, std::size_t width) {
    std::u16string text = platform::FormatInt(value);
    if (text.size() < width) text.insert(0, width - text.size(), u'0');
    return text;
  };
  return padded(day, 2) + u"." + padded(month, 2) + u"." + padded(year, 4);
}

}  // namespace recorder
