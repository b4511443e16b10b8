#include "platform/qtserial/PortPermission.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace orbelin::platform::qtserial {

namespace {

std::string userName() {
  if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr) return entry->pw_name;
  if (const char* name = std::getenv("USER"); name != nullptr && *name != '\0') return name;
  return "$USER";
}

std::string groupName(gid_t group) {
  if (const struct group* entry = ::getgrgid(group); entry != nullptr) return entry->gr_name;
  return std::to_string(group);
}

/// True when the group database lists user in group, whatever this process was given at
/// login.
bool listedInGroup(const std::string& user, gid_t group) {
  const passwd* entry = ::getpwnam(user.c_str());
  if (entry == nullptr) return false;
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (::getgrouplist(user.c_str(), entry->pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count));
    if (::getgrouplist(user.c_str(), entry->pw_gid, groups.data(), &count) < 0) return false;
  }
  groups.resize(static_cast<std::size_t>(count));
  for (const gid_t each : groups) {
    if (each == group) return true;
  }
  return false;
}

std::string octalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

}  // namespace

std::optional<std::string> permissionAdvice(const std::string& device) {
  struct stat status {};
  if (::stat(device.c_str(), &status) != 0) return std::nullopt;
  if (::access(device.c_str(), R_OK | W_OK) == 0 || errno != EACCES) return std::nullopt;
  const std::string user = userName();
  const std::string group = groupName(status.st_gid);
  const bool groupMayUse = (status.st_mode & S_IRGRP) != 0 && (status.st_mode & S_IWGRP) != 0;
  if (groupMayUse && status.st_gid != 0) {
    if (listedInGroup(user, status.st_gid)) {
      return "ユーザー " + user + " はグループ " + group + " に登録されていますが、このログインには反映されていません。" +
             "ログアウトしてログインし直してください。";
    }
    return device + " を開く権限がありません（グループ " + group + " のメンバーだけが開けます）。" +
           "次のコマンドでユーザーをグループに加え、ログインし直してください: sudo usermod -aG " + group + " " + user;
  }
  return device + " を開く権限がありません（所有者 " + std::to_string(status.st_uid) + "、グループ " + group +
         "、モード " + octalMode(status.st_mode) + "）。udev 規則でこのユーザーに読み書きを許可してください。";
}

}  // namespace orbelin::platform::qtserial
