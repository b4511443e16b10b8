#include "report/FailureReporter.h"

#include <string>

#include "report/WriteLog.h"

namespace orbelin::report {

namespace {

struct FailureBox {
  std::string_view procedure;
  std::string_view text;
  platform::MessageIcon icon;
};

using platform::MessageIcon;

constexpr FailureBox kFailureBoxes[] = {
    {"RSOpen",
     "ComPortの接続に失敗しました。\r\n起動しているアプリケーション、COMポートの接続状況、設定を確認してください。",
     MessageIcon::Critical},
    {"RSDataRecv", "受信でエラーが発生しました。", MessageIcon::Critical},
    {"EventRecv", "ポーリング処理でエラーが発生しました。", MessageIcon::Warning},
    {"InterchangeStr", "置換処理に失敗しました。", MessageIcon::Warning},
    {"MakeSendData", "転送用データ作成に失敗しました。", MessageIcon::Warning},
    {"EANRead", "ＥＡＮ１２８用ＤＢが読み込めませんでした", MessageIcon::Warning},
    {"KeySendData", "キー入力転送に失敗しました。", MessageIcon::Warning},
    {"DOSKeySendData", "キー入力転送に失敗しました。", MessageIcon::Warning},
    {"LowKeySendData", "キー入力転送に失敗しました。", MessageIcon::Warning},
    {"PutPGPra", "設定ファイルの書き込みに失敗しました。", MessageIcon::Warning},
    {"PutEdy", "編集設定ファイルの書き込みに失敗しました。", MessageIcon::Warning},
};

}  // namespace

void FailureReporter::report(std::string_view procedure, std::string_view source, std::string_view description) {
  report(procedure, source, description, {});
}

void FailureReporter::report(std::string_view procedure, std::string_view source, std::string_view description,
                             std::string_view advice) {
  reportTo(procedure, source, description, advice, false);
}

void FailureReporter::reportAside(std::string_view procedure, std::string_view source, std::string_view description) {
  reportTo(procedure, source, description, {}, true);
}

void FailureReporter::reportTo(std::string_view procedure, std::string_view source, std::string_view description,
                               std::string_view advice, bool aside) {
  std::string line = "[";
  line += procedure;
  line += "] ";
  line += source;
  line += ':';
  line += description;
  WriteLog(line, m_errorLog, m_clock);
  for (const auto& box : kFailureBoxes) {
    if (box.procedure == procedure) {
      const std::string text = advice.empty() ? std::string(box.text)
                                              : std::string(box.text) + "\r\n\r\n" + std::string(advice);
      if (aside) {
        m_messages.showAside(box.icon, procedure, text);
      } else {
        m_messages.show(box.icon, procedure, text);
      }
      return;
    }
  }
}

void FailureReporter::report(std::string_view procedure, const std::exception& failure) {
  report(procedure, kProgramSource, failure.what());
}

void FailureReporter::log(std::string_view text) { WriteLog(text, m_errorLog, m_clock); }

}  // namespace orbelin::report
