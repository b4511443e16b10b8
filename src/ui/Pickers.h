#pragma once

#include "ui/UiContext.h"

class QLineEdit;
class QWidget;

namespace orbelin::ui {

enum class PickerKind { Key, ControlCode };

/// Shows the key picker or the control-code picker modally, then appends PickerResult
/// to the end of box (nothing when the picker was closed without a choice).
void appendPick(UiContext& context, PickerKind kind, QLineEdit& box, QWidget* parent);

}  // namespace orbelin::ui
