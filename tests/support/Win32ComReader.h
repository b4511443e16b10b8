#pragma once

// The reader's end of the line under Wine (with-wine.sh --serial): COM2, the other end
// of the pty pair that the program opens as COM1.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace orbelin::test {

class ComReader {
 public:
  ComReader()
      : m_handle(CreateFileA("\\\\.\\COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~ComReader() {
    if (ready()) CloseHandle(m_handle);
  }
  ComReader(const ComReader&) = delete;
  ComReader& operator=(const ComReader&) = delete;

  bool ready() const { return m_handle != INVALID_HANDLE_VALUE; }
  /// Writes all bytes, a line's buffer at a time.
  void write(const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
      DWORD wrote = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 256));
      if (!WriteFile(m_handle, bytes.data() + done, chunk, &wrote, nullptr)) {
        ADD_FAILURE() << "COM2 refused the reader's bytes";
        return;
      }
      done += wrote;
    }
  }
  /// True once byte has come from the program.
  bool received(char byte) {
    COMSTAT status{};
    DWORD errors = 0;
    if (!ClearCommError(m_handle, &errors, &status) || status.cbInQue == 0) return false;
    std::string bytes(status.cbInQue, '\0');
    DWORD got = 0;
    ReadFile(m_handle, bytes.data(), status.cbInQue, &got, nullptr);
    return bytes.find(byte) != std::string::npos;
  }

 private:
  HANDLE m_handle;
};

}  // namespace orbelin::test
