#pragma once
// The numbered texts of a window: its caption, the texts of its labels and
// buttons, the lists of its combo and list boxes, the ranges of its numeric
// edits and the per-model disabling, all looked up in the language file by
// the control number a widget carries.
#include "radio_data/list_spec.h"

#include <QtGlobal>

class QComboBox;
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

// An edit that shows a stored number scaled and stepped (a frequency offset, a
// time): the language file gives its range as start:step:end:divisor:first
// stored value:stored step:decimals.
class CRangedEdit {
public:
    virtual ~CRangedEdit() = default;
    virtual void SetRange(const CRangeItem& range) = 0;
};

// OK, Cancel and Help, numbered so that LocalizeWindow gives them their texts.
QDialogButtonBox* MakeDialogButtons(QWidget* parent);

// Empties the combo box and fills it from a value-list text, each line with
// its item number as data; an empty text leaves the box as it is.
void FillCombo(QComboBox& combo, const std::string& listText);

// The caption is the S02 text of the window's number; every numbered
// descendant gets its S02 text (labels and buttons), its list (combo and list
// boxes) or its range (numeric edits); a direct child whose number has a
// non-zero per-model value is disabled.
void LocalizeWindow(QWidget& window, const CSettings& settings, int number);

} // namespace qrv
