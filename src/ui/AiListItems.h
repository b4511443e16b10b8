#pragma once

#include <QString>
#include <functional>
#include <string>

#include "convert/ean/AiRow.h"
#include "ui/UiContext.h"

class QListWidget;

namespace orbelin::ui {

/// The list text of a table row: the AI padded with blanks to four characters and cut
/// to four, ":", then its name.
QString aiItemText(const convert::ean::AiRow& row);
/// The AI of a list text: its first four characters without trailing blanks.
std::string aiOfItem(const QString& text);
/// Appends the rows' texts to list.
void addAiItems(QListWidget& list, const convert::ean::AiTable& rows);
/// Moves the selected item of from to the end of to; nothing without a selection.
void moveSelectedItem(QListWidget& from, QListWidget& to);
/// Runs work on the AI table; a failure is logged and shown under title with text, and
/// false returned.
bool runAiTableWork(UiContext& context, const char* title, const char* text, const std::function<void()>& work);

}  // namespace orbelin::ui
