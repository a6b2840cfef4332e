#pragma once
// The numbered texts of a dialog: its caption, the texts of its labels and
// buttons, the lists of its combo boxes and the per-model disabling, all looked
// up in the language file by the control number a widget carries.
#include <QtGlobal>

class QDialogButtonBox;
class QObject;
class QWidget;

namespace qrv {

class CSettings;

inline constexpr const char* kControlNumberProperty = "controlNumber";
// The numbers the language file gives the standard dialog buttons.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;
inline constexpr int kHelpButton = 9;

void SetControlNumber(QObject* object, int number);
// 0 when the object carries no number.
int ControlNumber(const QObject* object);

// OK, Cancel and Help, numbered so that LocalizeDialog gives them their texts.
QDialogButtonBox* MakeDialogButtons(QWidget* parent);

// The caption is the S02 text of the dialog's number; every numbered
// descendant gets its S02 text (labels and buttons) or its list (combo boxes);
// a direct child whose number has a non-zero per-model value is disabled.
void LocalizeDialog(QWidget& dialog, const CSettings& settings, int number);

} // namespace qrv
