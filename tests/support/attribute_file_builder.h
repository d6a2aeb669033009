#pragma once
// Writes the bytes of a recorder's "Attribute.atr" from its fields, so that each test case states what it
// means instead of copying bytes. Defaults: a valid PAL file starting at 10:00:00:00, 0 marks, no clip table.
#include <string>
#include <vector>

namespace vorlane::test {

struct ClipTableEntry {
  char number = '1';             // the clip number's byte ('1' is clip 1, ':' clip 10)
  std::string duration = "0";    // duration digits as written
  std::string lineEnd = "\r\n";
};

struct AttributeFields {
  std::string mark = "1000";
  std::string length = "00000000";  // 8 bytes
  std::string standard = "PAL";     // "PAL" or "NTC"
  int frames = 0, seconds = 0, minutes = 0, hours = 10;  // written as two-digit packed pairs
  bool dropFrame = false;           // bit 0x40 of the frames byte
  std::string author = "DU-1";      // up to 8 bytes, NUL-filled
  std::string markCount = "000";    // 3 bytes
  int markEntries = 0;              // mark list entries actually written
  std::string tableCount;           // empty: no clip table at all
  std::vector<ClipTableEntry> table;
};

inline std::string Pair(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

inline std::string AttributeFileBytes(const AttributeFields& f) {
  const std::string crlf = "\r\n";
  std::string framesPair = Pair(f.frames);
  if (f.dropFrame) framesPair[0] = static_cast<char>(framesPair[0] + 4);
  std::string bytes = f.mark + crlf + f.length + crlf + f.standard + crlf + framesPair + Pair(f.seconds) +
                      Pair(f.minutes) + Pair(f.hours);
  bytes.resize(186, ' ');
  std::string author = f.author;
  author.resize(8, '\0');
  bytes += author + std::string(5, ' ') + f.markCount + "    " + crlf;
  for (int mark = 0; mark < f.markEntries; ++mark) bytes += "M" + std::string(16, static_cast<char>('0' + mark % 10)) + crlf;
  if (!f.tableCount.empty()) bytes += f.tableCount + crlf;
  for (const ClipTableEntry& entry : f.table) bytes += std::string{entry.number, ' '} + entry.duration + entry.lineEnd;
  return bytes;
}

}  // namespace vorlane::test
