#include "settings/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "codec/Cp932.h"

namespace orbelin::settings {

namespace {

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<std::string_view> sectionName(std::string_view line) {
  const std::string_view text = trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const auto close = text.find(']');
  return trim(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

std::optional<std::string_view> keyName(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return trim(line.substr(0, equals));
}

std::string unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// Blanks at either end or enclosing quotes would be lost on reading: quote such a value.
// Line ends would break the file apart, so they are left out.
std::string storedForm(std::string_view value) {
  std::string text;
  for (char ch : value) {
    if (ch != '\r' && ch != '\n') text += ch;
  }
  const bool blankAtEnd = !text.empty() && (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
                                            text.back() == '\t');
  const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
  return (blankAtEnd || quoted) ? '"' + text + '"' : text;
}

std::string cutToCharacters(std::string bytes, std::size_t limit) {
  if (bytes.size() <= limit) return bytes;
  std::size_t end = 0;
  while (end < bytes.size()) {
    const std::size_t next = end + codec::charLengthAt(bytes, end);
    if (next > limit) break;
    end = next;
  }
  bytes.resize(end);
  return bytes;
}

}  // namespace

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
  ProfileDocument document;
  std::size_t start = 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    document.m_lines.emplace_back(line);
    start = end + 1;
  }
  return document;
}

std::optional<ProfileDocument::Entry> ProfileDocument::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const auto name = sectionName(m_lines[i]);
    if (!name || !equalsIgnoringCase(*name, section)) continue;
    Entry entry{i, i};
    for (std::size_t j = i + 1; j < m_lines.size() && !sectionName(m_lines[j]); ++j) {
      if (!trim(m_lines[j]).empty()) entry.lastLine = j;
    }
    return entry;
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::findKeyLine(const Entry& section, std::string_view key) const {
  for (std::size_t j = section.sectionLine + 1; j <= section.lastLine; ++j) {
    const auto name = keyName(m_lines[j]);
    if (name && equalsIgnoringCase(*name, key)) return j;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileDocument::value(std::string_view section, std::string_view key) const {
  const auto entry = findSection(section);
  if (!entry) return std::nullopt;
  const auto line = findKeyLine(*entry, key);
  if (!line) return std::nullopt;
  const std::string& text = m_lines[*line];
  return unquote(trim(std::string_view(text).substr(text.find('=') + 1)));
}

void ProfileDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string line = std::string(key) + "=" + storedForm(value);
  const auto entry = findSection(section);
  if (!entry) {
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(line);
    return;
  }
  if (const auto keyLine = findKeyLine(*entry, key)) {
    // Keep the key's spelling as the file has it.
    const std::string& old = m_lines[*keyLine];
    m_lines[*keyLine] = old.substr(0, old.find('=')) + "=" + storedForm(value);
    return;
  }
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(entry->lastLine + 1), line);
}

std::string ProfileDocument::serialize() const {
  std::string bytes;
  for (const auto& line : m_lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

ProfileDocument loadProfile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ProfileDocument::parse(bytes);
}

ProfileWriteResult saveProfile(const ProfileDocument& document, const std::filesystem::path& file) {
  namespace fs = std::filesystem;
  // The save renames a new file over the old one, which the folder allows even when the file
  // itself is read-only: honour the file's own write permission, for every user alike.
  std::error_code statusError;
  const fs::file_status existing = fs::status(file, statusError);
  const bool exists = !statusError && fs::exists(existing);
  if (exists && (existing.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return {false, "cannot write " + file.filename().string() + ": " + std::strerror(EACCES)};
  }
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return {false, "cannot create " + temporary.filename().string() + ": " + std::strerror(errno)};
    const std::string bytes = document.serialize();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return {false, "cannot write " + temporary.filename().string()};
    }
  }
  std::error_code error;
  if (exists) fs::permissions(temporary, existing.permissions(), error);
  if (!error) fs::rename(temporary, file, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return {false, error.message()};
  }
  return {true, {}};
}

std::string profileRead(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize, const std::filesystem::path& file) {
  const auto value = loadProfile(file).value(section, key);
  const std::size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
  return cutToCharacters(value ? *value : std::string(defaultValue), limit);
}

ProfileWriteResult loadProfileForUpdate(const std::filesystem::path& file, ProfileDocument& document) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    document = {};
    return {true, {}};
  }
  std::ifstream in(file, std::ios::binary);
  if (error || !std::filesystem::is_regular_file(status) || !in) {
    return {false, "cannot read " + file.filename().string()};
  }
  document = ProfileDocument::parse(std::string{std::istreambuf_iterator<char>(in), {}});
  return {true, {}};
}

ProfileWriteResult profileWrite(std::string_view section, std::string_view key, std::string_view value,
                                const std::filesystem::path& file) {
  ProfileDocument document;
  if (auto loaded = loadProfileForUpdate(file, document); !loaded.ok) return loaded;
  document.setValue(section, key, value);
  return saveProfile(document, file);
}
}  // namespace orbelin::settings
