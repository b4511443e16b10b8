#include "platform/FileAppend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orbelin::platform {

namespace {

std::string systemMessage(int error) { return std::strerror(error); }

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

AppendResult appendLine(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return {false, systemMessage(errno)};
  // Another program reading or rotating the file may hold an exclusive lock: that is "busy".
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    return {false, systemMessage(error)};
  }
  // Whole lines or nothing: a write that stops part way (full disk, size limit) is cut back to
  // where the file ended, so the next record does not get glued onto half of this one.
  struct stat before {};
  const bool sized = ::fstat(fd, &before) == 0;
  std::string line(bytes);
  line += "\r\n";
  const bool written = writeAll(fd, line);
  const int writeError = errno;
  if (!written && sized) (void)::ftruncate(fd, before.st_size);
  ::flock(fd, LOCK_UN);
  const bool closed = ::close(fd) == 0;
  if (!written) return {false, systemMessage(writeError)};
  if (!closed) return {false, systemMessage(errno)};
  return {true, {}};
}

}  // namespace orbelin::platform
