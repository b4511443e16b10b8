#include "serial/RecordConverter.h"

#include "convert/CaseWidth.h"
#include "convert/MakeSendData.h"

namespace orbelin::serial {

namespace {

using settings::Setting;

constexpr std::string_view kDroppedGs1Data = "[破棄] ＧＳ１データとして解析できません: ";

}  // namespace

RecordConverter::RecordConverter(const settings::Configuration& configuration, report::FailureReporter& reporter,
                                 ConversionSteps steps, std::function<void(const std::string&)> note)
    : m_configuration(configuration), m_reporter(reporter), m_steps(std::move(steps)), m_note(std::move(note)) {
  if (m_steps.book == nullptr) m_steps.book = &m_passThrough;
}

std::optional<BookResult> RecordConverter::convert(std::string record, std::int64_t nowMs) {
  const auto& settings = m_configuration.settings;
  if (record.empty()) return BookResult{};
  if (settings.isOn(Setting::EANRead) && m_steps.eanRead) {
    std::string discarded;
    std::vector<std::string> checkNotes;
    record = m_steps.eanRead(record, discarded, checkNotes);
    if (!discarded.empty()) m_note(std::string(kDroppedGs1Data) + discarded);
    for (const std::string& line : checkNotes) m_note(line);
  }
  if (settings.get(Setting::ConvMode) != "0") record = convert::ConvertCaseWidth(record, settings.get(Setting::ConvMode));
  if (record.empty()) return BookResult{};
  BookResult result;
  try {
    result = m_steps.book->convert(record, nowMs);
    noteDroppedRows();
  } catch (const std::exception& failure) {
    noteDroppedRows();
    // A setting that fails this record (a wait time that is no number) leaves the port
    // open: the next scan may not need it.
    m_reporter.report("EventRecv", failure);
    return std::nullopt;
  }
  if (result.released) result.released = sendData(*result.released);
  result.record = sendData(result.record);
  return result;
}

std::vector<std::string> RecordConverter::takeExpired(std::int64_t nowMs) {
  std::vector<std::string> rows = m_steps.book->takeExpired(nowMs);
  noteDroppedRows();
  for (std::string& row : rows) row = sendData(row);
  return rows;
}

std::string RecordConverter::sendData(const std::string& record) const {
  const auto& settings = m_configuration.settings;
  const std::string data = convert::MakeSendData(record, settings, m_configuration.tables, m_reporter);
  return convert::EscapeKeyBraces(data, settings);
}

void RecordConverter::noteDroppedRows() {
  for (const std::string& why : m_steps.book->takeDropNotes()) m_note(why);
}

}  // namespace orbelin::serial
