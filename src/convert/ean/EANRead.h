#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "report/FailureReporter.h"
#include "convert/ean/AiRow.h"
#include "convert/ean/AiTableCache.h"
#include "convert/ean/BarcodeInfoSink.h"
#include "settings/Settings.h"

namespace orbelin::convert::ean {

/// The monitor listing's line for data that could not be decoded.
inline constexpr std::string_view kDiscardedListing = "【破棄】";

/// Decodes a GS1 record into its Application Identifier fields and returns the text to
/// type. The record is decoded when it begins with the start code (EANStartCD; an empty
/// start code matches nothing), with EANSymbology "1" when it begins with the symbology
/// identifier of a carrier of element strings (]C1, ]e0, ]d2, ]Q3, ]J1), and with
/// EANDigitalLink "1" when it is a GS1 Digital Link URI (after ]Q1 or ]d1, if any). With
/// EANSymbology "1" a record that begins with the identifier of a plain GS1 number (]E0,
/// ]E3, ]E4, ]I1) is returned without it. Any other record is returned unchanged, and in
/// neither case is the database opened. Otherwise the EAN128 table is read from the
/// database file, the fields are split off, put in order (EANSort: by SetNo; otherwise as
/// they appeared, a repeated identifier once, at its last place), formatted (EANSend,
/// EANAISelect, EANDecimal, EANDate) and joined by the EANSeparate character, and the
/// unparsed tail follows. The field listing goes to
/// monitor. Characters that make up no known identifier are dropped: they go to
/// discarded (when given) and the monitor's listing says so. A failure (database not
/// readable, a setting that is no number) is reported as "EANRead" and gives the empty
/// string, so nothing is typed for the record. The fields are checked against the GS1
/// rules by EANCheck (see DecodedFieldCheck): the monitor's line of a field says what is
/// wrong with it, checkNotes (when given) receives the COMRECV.LOG lines, and a record
/// that EANCheck "2" blocks gives the empty string.
std::string EANRead(std::string_view record, const settings::Settings& settings,
                    const std::filesystem::path& database, report::FailureReporter& reporter,
                    BarcodeInfoSink& monitor, std::string* discarded = nullptr,
                    std::vector<std::string>* checkNotes = nullptr);

/// The same through a cache of the database file's table: read again only when the file
/// changed.
std::string EANRead(std::string_view record, const settings::Settings& settings, AiTableCache& database,
                    report::FailureReporter& reporter, BarcodeInfoSink& monitor, std::string* discarded = nullptr,
                    std::vector<std::string>* checkNotes = nullptr);

/// The same with the table already read.
std::string EANRead(std::string_view record, const settings::Settings& settings, const AiTable& table,
                    report::FailureReporter& reporter, BarcodeInfoSink& monitor, std::string* discarded = nullptr,
                    std::vector<std::string>* checkNotes = nullptr);

}  // namespace orbelin::convert::ean
