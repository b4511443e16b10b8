#include "convert/ean/Gs1FindingText.h"

#include <array>
#include <utility>

#include "codec/Cp932.h"

namespace orbelin::convert::ean {

namespace {

using L = Gs1Linter;

constexpr std::string_view kGs1Line = "[GS1] ";
constexpr std::string_view kDroppedLine = "[破棄] ＧＳ１データの検査で不合格です: ";

constexpr std::array<std::pair<Gs1Linter, std::string_view>, 38> kCheckTexts{{
    {L::Csum, "チェックディジットが正しくありません"},
    {L::CsumAlpha, "チェック文字が正しくありません"},
    {L::CsetNumeric, "数字以外の文字があります"},
    {L::Cset82, "使えない文字があります"},
    {L::Cset39, "使えない文字があります"},
    {L::Cset64, "使えない文字があります"},
    {L::HasNonDigit, "数字以外の文字が一つもありません"},
    {L::NonZero, "すべて 0 です"},
    {L::Zero, "0 でなければなりません"},
    {L::NoZeroPrefix, "先頭が 0 です"},
    {L::Hyphen, "ハイフン以外の文字があります"},
    {L::YesNo, "0 か 1 でなければなりません"},
    {L::Winding, "0、1、9 のどれかでなければなりません"},
    {L::Iso5218, "性別コード（0、1、2、9）ではありません"},
    {L::Yymmdd, "日付が正しくありません"},
    {L::Yymmd0, "日付が正しくありません"},
    {L::Yyyymmdd, "日付が正しくありません"},
    {L::Yyyymmd0, "日付が正しくありません"},
    {L::Hh, "時刻が正しくありません"},
    {L::Mi, "時刻が正しくありません"},
    {L::Ss, "時刻が正しくありません"},
    {L::Hhmi, "時刻が正しくありません"},
    {L::Iso3166, "国コード（ISO 3166）ではありません"},
    {L::Iso3166999, "国コード（ISO 3166）ではありません"},
    {L::Iso3166Alpha2, "国コード（ISO 3166 英字２文字）ではありません"},
    {L::Iso4217, "通貨コード（ISO 4217）ではありません"},
    {L::Iban, "IBAN が正しくありません"},
    {L::Latitude, "緯度が範囲外です"},
    {L::Longitude, "経度が範囲外です"},
    {L::PieceOfTotal, "個数と総数が正しくありません"},
    {L::PosInSeqSlash, "順番と総数が正しくありません"},
    {L::Pcenc, "パーセントエンコードが正しくありません"},
    {L::CompanyPrefix, "事業者コードが正しくありません"},
    {L::ImporterIdx, "輸入者インデックスが正しくありません"},
    {L::MediaType, "メディア種別コードではありません"},
    {L::PackageType, "包装種別コードではありません"},
    {L::CouponCode, "クーポンコードの形式が正しくありません"},
    {L::CouponPosOffer, "クーポンコードの形式が正しくありません"},
}};

std::string_view checkText(Gs1Linter linter) {
  for (const auto& [which, text] : kCheckTexts) {
    if (which == linter) return text;
  }
  return "検査に通りません";
}

}  // namespace

std::string gs1FindingText(const Gs1Finding& finding) {
  switch (finding.problem) {
    case Gs1Problem::UnknownAi: return "存在しないＡＩです";
    case Gs1Problem::TooShort: return "桁数が足りません";
    case Gs1Problem::TooLong: return "桁数が多すぎます";
    case Gs1Problem::BadCharacter: return "使えない文字があります";
    case Gs1Problem::FailedCheck: return std::string(checkText(finding.linter));
    case Gs1Problem::DayZeroRefused: return "日付の日が 00 です（このＡＩでは日を省略できません）";
    case Gs1Problem::MissingPartner:
      return "一緒に必要な " + finding.partners +
             (finding.partners.find(' ') == std::string::npos ? " がありません" : " のどれもありません");
    case Gs1Problem::ExcludedPartner: return finding.partners + " とは一緒に使えません";
    case Gs1Problem::RepeatedDifferent: return "違う値で繰り返されています";
  }
  return {};
}

std::string gs1FindingLine(const Gs1Finding& finding, std::span<const Gs1FieldToCheck> fields) {
  const Gs1FieldToCheck& field = fields[finding.field];
  std::string line = "(" + codec::fromCp932(field.ai) + ") " + gs1FindingText(finding);
  if (finding.aboutData() || finding.problem == Gs1Problem::RepeatedDifferent) {
    line += ": " + codec::fromCp932(field.data);
  }
  return line;
}

std::vector<std::string> gs1CheckLogLines(std::span<const Gs1Finding> findings,
                                          std::span<const Gs1FieldToCheck> fields, bool blocked) {
  std::vector<std::string> lines;
  std::string dropped;
  for (const Gs1Finding& finding : findings) {
    if (blocked && finding.aboutData()) {
      dropped += (dropped.empty() ? "" : " / ") + gs1FindingLine(finding, fields);
    } else {
      lines.push_back(std::string(kGs1Line) + gs1FindingLine(finding, fields));
    }
  }
  if (!dropped.empty()) lines.insert(lines.begin(), std::string(kDroppedLine) + dropped);
  return lines;
}

}  // namespace orbelin::convert::ean
