#pragma once
// A numeric edit with its spin buttons. The language file gives the edit its
// range (start:step:end:divisor:first stored:stored step:decimals); the edit
// shows a stored byte in that scale. The spin buttons step the shown value and
// wrap around at both ends; a typed value is brought into the range when the
// edit is left. A stored value outside the range shows as it is and is kept
// until the user changes it.
#include "radio_data/list_spec.h"
#include "shell/localize_window.h"

#include <QLineEdit>
#include <QWidget>

#include <optional>

class QToolButton;

namespace qrv {

class CNumericEdit : public QLineEdit, public CRangedEdit {
    Q_OBJECT
public:
    // Digits only, at most maxLength of them.
    explicit CNumericEdit(int maxLength, QWidget* parent = nullptr);

    void SetRange(const CRangeItem& range) override;
    const CRangeItem& Range() const { return m_range; }
    void SetStored(int stored);
    // nullopt while the text is empty.
    std::optional<int> Stored() const;
    // One step of the spin buttons: the new value is written and selected.
    void Step(bool up);
    // Whether the shown value was outside the range and was brought into it.
    bool BringIntoRange();

private:
    std::optional<long long> Shown() const;
    void Show(long long value);

    CRangeItem m_range{0, 1, 255, 1, 0, 1, 0};
};

// The up and down arrows beside a numeric edit.
class CSpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit CSpinButtons(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    void Stepped(bool up);

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace qrv
