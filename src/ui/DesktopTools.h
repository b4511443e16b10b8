#pragma once

#include <QString>
#include <optional>

namespace orbelin::ui {

/// The desktop's programs that the About box starts.
class DesktopTools {
 public:
  virtual ~DesktopTools() = default;
  /// The installed system-information tool, if any.
  virtual std::optional<QString> systemInfoTool() = 0;
  /// Starts program with a normal window; false when it could not be started.
  virtual bool start(const QString& program) = 0;
  /// Opens a document with the desktop's viewer; false when that failed.
  virtual bool openDocument(const QString& path) = 0;
};

/// Looks for the tools on the search path, starts them detached and opens documents
/// through the desktop's URL handler.
class SystemDesktopTools : public DesktopTools {
 public:
  std::optional<QString> systemInfoTool() override;
  bool start(const QString& program) override;
  bool openDocument(const QString& path) override;
};

}  // namespace orbelin::ui
