#include "PtyFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <map>
#include <stdexcept>

#include "convert/codec/Cp932.h"

namespace orbelin::test {

namespace {

QCoreApplication& application() {
  static int argc = 1;
  static char name[] = "qtserial_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

}  // namespace

Pty::Pty() {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) throw std::runtime_error("openpty failed");
  m_device = name;
}

Pty::~Pty() {
  hangUp();
  if (m_slave >= 0) ::close(m_slave);
}

void Pty::write(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto wrote = ::write(m_master, bytes.data() + done, bytes.size() - done);
    if (wrote <= 0) throw std::runtime_error("write to the pty master failed");
    done += static_cast<std::size_t>(wrote);
  }
}

std::string Pty::readAvailable() {
  std::string bytes;
  pollfd ready{m_master, POLLIN, 0};
  while (m_master >= 0 && ::poll(&ready, 1, 0) == 1 && (ready.revents & POLLIN) != 0) {
    char c = 0;
    if (::read(m_master, &c, 1) != 1) break;
    bytes += c;
  }
  return bytes;
}

void Pty::hangUp() {
  if (m_master >= 0) ::close(m_master);
  m_master = -1;
  // Without our own slave handle the program's is the last one, so it sees the hang-up.
  if (m_slave >= 0) ::close(m_slave);
  m_slave = -1;
}

PtyFixture::PtyFixture() { application(); }

PtyFixture::~PtyFixture() { port.close(); }

void PtyFixture::mapPorts(const std::vector<std::pair<int, std::string>>& devices) {
  std::map<int, std::string> byNumber(devices.begin(), devices.end());
  std::string ini = "[PORTS]\r\n";
  for (int n = 1; n <= 16; ++n) {
    const auto found = byNumber.find(n);
    ini += std::to_string(n) + "=" + (found != byNumber.end() ? found->second : (dir / "missing").string()) + "\r\n";
  }
  writeFile(paths.ini(), ini);
}

bool PtyFixture::runUntil(const std::function<bool()>& done, int guardMs) {
  return loop.waitUntil(clock.monotonicMs() + guardMs, done);
}

std::string PtyFixture::typed() const {
  std::string text;
  for (const auto& line : transcript.lines()) {
    if (line.starts_with("ime ")) text += static_cast<char>(std::stoi(line.substr(4)));
  }
  return text;
}

std::vector<std::string> PtyFixture::errorLines() const {
  const std::string text = codec::fromCp932(readFile(paths.errorLog()));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    lines.push_back(text.substr(start + 18, end - start - 18));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

}  // namespace orbelin::test
