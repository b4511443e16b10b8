#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin::settings {

/// An INI file held as its lines of code page 932 bytes. Section and key names match
/// case-insensitively; lines it does not change (comments, unknown sections, other keys)
/// are written back as they were.
class ProfileDocument {
 public:
  /// Parses the bytes of a file (CR LF or LF line ends).
  static ProfileDocument parse(std::string_view bytes);

  /// The value under section/key (first match), without surrounding blanks and quotes.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  /// Replaces the value, or appends the key at the end of its section, or appends the
  /// section at the end of the file.
  void setValue(std::string_view section, std::string_view key, std::string_view value);
  /// The file's bytes, every line ending in CR LF.
  std::string serialize() const;

 private:
  struct Entry {
    std::size_t sectionLine;  // index of the "[name]" line
    std::size_t lastLine;     // last non-blank line of the section
  };
  std::optional<Entry> findSection(std::string_view section) const;
  std::optional<std::size_t> findKeyLine(const Entry& section, std::string_view key) const;

  std::vector<std::string> m_lines;
};

/// Result of a profile write: description is the system's message on failure.
struct ProfileWriteResult {
  bool ok = false;
  std::string description;
};

/// Reads a file as a document. A missing or unreadable file gives an empty document.
ProfileDocument loadProfile(const std::filesystem::path& file);

/// Reads a file that is about to be changed. A missing file gives an empty document; a
/// file that exists but cannot be read fails, so it is never overwritten blindly.
ProfileWriteResult loadProfileForUpdate(const std::filesystem::path& file, ProfileDocument& document);

/// Replaces file by the document atomically: a temporary file in the same folder is
/// written completely, then renamed over the old one.
ProfileWriteResult saveProfile(const ProfileDocument& document, const std::filesystem::path& file);

/// Profile read: the value's code page 932 bytes, cut to bufferSize - 1 bytes without
/// splitting a character, or defaultValue when the key is missing.
std::string profileRead(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize, const std::filesystem::path& file);

/// Profile write of one key (bytes of code page 932).
ProfileWriteResult profileWrite(std::string_view section, std::string_view key, std::string_view value,
                                const std::filesystem::path& file);

}  // namespace orbelin::settings
