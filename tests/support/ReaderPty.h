#pragma once

#include <filesystem>
#include <string>

namespace orbelin::test {

/// A pseudo terminal standing in for a barcode reader: the program opens the slave
/// device by name, the test writes to the master as the reader would. When link is
/// given, the program is told that path, a symbolic link to the pty, as a USB reader's
/// stable name is.
class ReaderPty {
 public:
  explicit ReaderPty(std::filesystem::path link = {});
  ~ReaderPty();
  ReaderPty(const ReaderPty&) = delete;
  ReaderPty& operator=(const ReaderPty&) = delete;

  /// The slave's name; empty when no pty could be had (a test failure is recorded).
  const std::string& device() const { return m_device; }
  /// True once the program has set its own line settings on the pty.
  bool openedByProgram() const;
  /// Writes all bytes to the master, waiting while the line is full.
  void write(const std::string& bytes) const;
  /// What the program wrote to the device and the master has not read yet; never blocks.
  std::string readAvailable() const;
  /// Bytes written and not read by the program yet.
  int unread() const;
  /// The reader goes away as an unplugged USB reader does: its end of the line is closed
  /// and its name removed.
  void vanish();

 private:
  int m_master = -1;
  int m_slave = -1;
  std::string m_device;
  std::filesystem::path m_link;
};

}  // namespace orbelin::test
