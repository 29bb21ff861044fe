#include "bridges/spell_counts.h"

#include <limits>

namespace lmx::spell {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view without_mark(std::string_view line) {
  return line.starts_with(kByteOrderMark) ? line.substr(kByteOrderMark.size()) : line;
}

// Piece `n` of a line split at spaces and tabs, or empty.
std::string_view piece(std::string_view line, std::size_t n) {
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return {};
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (n-- == 0) return line.substr(start, i - start);
  }
}

}  // namespace

bool count_fits(std::int64_t count, std::uint64_t file_size) {
  return count < 1 || static_cast<std::uint64_t>(count) <= file_size / 2;
}

std::int64_t count_value(std::string_view text) {
  constexpr std::int64_t kFar = std::numeric_limits<std::int64_t>::max() / 10;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value >= kFar ? kFar : 10 * value + (text[i] - '0');
  return negative ? -value : value;
}

bool word_count_fits(std::string_view first_line, std::uint64_t file_size) {
  return count_fits(count_value(without_mark(first_line)), file_size);
}

const bridges::CountedTable* overcounted_table(std::string_view line, bool first_line, std::uint64_t file_size) {
  if (first_line) line = without_mark(line);
  for (const bridges::CountedTable& table : bridges::kHunspellCountedTables)
    if (line.starts_with(table.keyword) && !count_fits(count_value(piece(line, table.count_piece)), file_size))
      return &table;
  return nullptr;
}

}  // namespace lmx::spell
