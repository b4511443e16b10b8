#include "convert/ean/ElementString.h"

#include <algorithm>
#include <utility>

#include "codec/Cp932.h"

namespace orbelin::convert::ean {

namespace {

constexpr char kGroupSeparator = '\x1D';

bool isLineEnd(std::string_view ch) { return ch == "\r" || ch == "\n"; }

class Splitter {
 public:
  Splitter(std::string_view bytes, const AiTable& table) : m_bytes(bytes), m_table(table) {
    // ASCII is the same in code page 932, so only other identifiers need converting.
    m_converted.reserve(table.size());
    m_aiBytes.reserve(table.size());
    for (const AiRow& row : table) {
      if (std::all_of(row.ai.begin(), row.ai.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
        m_aiBytes.emplace_back(row.ai);
      } else {
        m_aiBytes.emplace_back(m_converted.emplace_back(codec::toCp932(row.ai)));
      }
      m_longestAi = std::max(m_longestAi, m_aiBytes.back().size());
    }
  }

  SplitElementString run() {
    while (m_pos < m_bytes.size() && step()) {
    }
    if (!readingData()) m_result.discarded += m_aiBuffer;
    return std::move(m_result);
  }

 private:
  // Handles the character at m_pos; false when parsing stops.
  bool step() {
    const std::size_t length = codec::charLengthAt(m_bytes, m_pos);
    const std::string_view ch = m_bytes.substr(m_pos, length);
    m_pos += length;
    m_fieldBytes += static_cast<long>(length);
    const bool groupSeparator = ch.size() == 1 && ch[0] == kGroupSeparator;
    if (groupSeparator || (readingData() && m_fieldBytes > m_table[field().row].maxLen)) {
      if (!readingData()) m_result.discarded += m_aiBuffer;
      m_field = kNone;
      m_aiBuffer.clear();
      if (isLineEnd(ch)) return stopWithTail(m_pos - length);
      if (groupSeparator) return true;
    } else if (readingData()) {
      if (isLineEnd(ch) && m_bytes.size() - m_pos <= 1) {
        m_result.tail += ch;
      } else {
        field().data += ch;
      }
      return true;
    }
    if (isLineEnd(ch)) {
      m_result.tail += std::exchange(m_aiBuffer, {});
      return stopWithTail(m_pos - length);
    }
    m_aiBuffer += ch;
    return matchIdentifier();
  }

  bool matchIdentifier() {
    if (m_aiBuffer.size() > m_longestAi) return true;  // characters of an unknown identifier pile up here
    const auto match = std::find(m_aiBytes.begin(), m_aiBytes.end(), m_aiBuffer);
    if (match == m_aiBytes.end()) return true;
    const auto row = static_cast<std::size_t>(match - m_aiBytes.begin());
    m_field = newField(row);
    m_fieldBytes = 0;
    field().order = m_nextOrder++;
    const int plus = m_table[row].plus;
    if (plus > 0) {
      if (m_bytes.size() - m_pos < static_cast<std::size_t>(plus)) {
        field().aiText = m_aiBuffer;
        return stopWithTail(m_pos);
      }
      // Whole characters only, so that a double-byte character is never split.
      const std::size_t start = m_pos;
      while (m_pos - start < static_cast<std::size_t>(plus)) m_pos += codec::charLengthAt(m_bytes, m_pos);
      m_aiBuffer += m_bytes.substr(start, m_pos - start);
    }
    field().aiText = m_aiBuffer;
    return true;
  }

  std::size_t newField(std::size_t row) {
    m_result.fields.push_back(FoundField{row, {}, {}, 0});
    return m_result.fields.size() - 1;
  }

  bool readingData() const { return m_field != kNone; }
  FoundField& field() { return m_result.fields[m_field]; }

  bool stopWithTail(std::size_t from) {
    m_result.tail += m_bytes.substr(from);
    return false;
  }

  std::string_view m_bytes;
  const AiTable& m_table;
  std::vector<std::string> m_converted;   // reserved up front: m_aiBytes points into it
  std::vector<std::string_view> m_aiBytes;  // the identifier of every row, in code page 932
  std::size_t m_longestAi = 0;
  std::size_t m_pos = 0;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t m_field = kNone;  // the field whose data is being read; kNone while reading an identifier
  long m_fieldBytes = 0;
  std::string m_aiBuffer;
  int m_nextOrder = 1;
  SplitElementString m_result;
};

}  // namespace

SplitElementString splitElementString(std::string_view bytes, const AiTable& table) {
  return Splitter(bytes, table).run();
}

}  // namespace orbelin::convert::ean
