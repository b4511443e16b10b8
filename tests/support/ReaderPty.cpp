#include "support/ReaderPty.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace orbelin::test {

ReaderPty::ReaderPty(std::filesystem::path link) : m_link(std::move(link)) {
  termios raw{};
  cfmakeraw(&raw);
  raw.c_cflag = (raw.c_cflag & ~(CSIZE | PARENB)) | CS8;
  // A speed the program never sets, so that its own settings show it has the port.
  cfsetspeed(&raw, B38400);
  char name[256] = {};
  if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
    ADD_FAILURE() << "openpty failed";
    return;
  }
  m_device = name;
  // Programs the test starts must not hold the line open: the reader's end closing is
  // what the program has to notice.
  fcntl(m_master, F_SETFD, FD_CLOEXEC);
  fcntl(m_slave, F_SETFD, FD_CLOEXEC);
  if (!m_link.empty()) {
    std::error_code ignored;
    std::filesystem::remove(m_link, ignored);
    std::filesystem::create_symlink(m_device, m_link);
  }
}

ReaderPty::~ReaderPty() { vanish(); }

void ReaderPty::vanish() {
  if (m_master >= 0) ::close(m_master);
  // Without this handle on the slave the program's is the last one, so it sees the
  // hang-up.
  if (m_slave >= 0) ::close(m_slave);
  m_master = m_slave = -1;
  if (!m_link.empty()) {
    std::error_code ignored;
    std::filesystem::remove(m_link, ignored);
    // Once gone, the name may be a new reader's.
    m_link.clear();
  }
}

bool ReaderPty::openedByProgram() const {
  termios now{};
  return m_master >= 0 && tcgetattr(m_master, &now) == 0 && cfgetospeed(&now) == B9600;
}

void ReaderPty::write(const std::string& bytes) const {
  // A burst longer than the line's buffer goes out as the program reads it.
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t wrote = ::write(m_master, bytes.data() + done, bytes.size() - done);
    if (wrote <= 0) {
      ADD_FAILURE() << "the pty refused the reader's bytes";
      return;
    }
    done += static_cast<std::size_t>(wrote);
  }
}

std::string ReaderPty::readAvailable() const {
  std::string bytes;
  pollfd ready{m_master, POLLIN, 0};
  while (m_master >= 0 && ::poll(&ready, 1, 0) == 1 && (ready.revents & POLLIN) != 0) {
    char c = 0;
    if (::read(m_master, &c, 1) != 1) break;
    bytes += c;
  }
  return bytes;
}

int ReaderPty::unread() const {
  int count = -1;
  return ioctl(m_slave, FIONREAD, &count) == 0 ? count : -1;
}

}  // namespace orbelin::test
