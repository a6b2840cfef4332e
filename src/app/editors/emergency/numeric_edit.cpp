#include "editors/emergency/numeric_edit.h"

#include "records/emergency_data.h"
#include "shell/qt_text.h"

#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qrv {

CNumericEdit::CNumericEdit(int maxLength, QWidget* parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    setMaxLength(maxLength);
    setAlignment(Qt::AlignRight);
}

void CNumericEdit::SetRange(const CRangeItem& range)
{
    if (range.IsUsable() && range.step > 0 && range.start <= range.end)
        m_range = range;
}

std::optional<long long> CNumericEdit::Shown() const
{
    bool ok = false;
    const double value = text().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return std::llround(value * static_cast<double>(m_range.divisor));
}

void CNumericEdit::Show(long long value)
{
    setText(Q(m_range.TextOf(value)));
}

void CNumericEdit::SetStored(int stored)
{
    // Stored = first + (shown - start) / step * stored step, turned round.
    Show((stored - m_range.firstNumber) * m_range.step / m_range.numberStep + m_range.start);
    setModified(false);
}

std::optional<int> CNumericEdit::Stored() const
{
    const auto shown = Shown();
    if (!shown)
        return std::nullopt;
    const long long stored = m_range.firstNumber + (*shown - m_range.start) / m_range.step * m_range.numberStep;
    return static_cast<int>(std::clamp<long long>(stored, 0, 0xFF));
}

void CNumericEdit::Step(bool up)
{
    const long long value = Shown().value_or(m_range.start);
    Show(SpinEmergencyValue(static_cast<int>(std::clamp<long long>(value, -0xFFFF, 0xFFFF)),
                            static_cast<int>(m_range.step), static_cast<int>(m_range.start),
                            static_cast<int>(m_range.end), up));
    selectAll();
}

bool CNumericEdit::BringIntoRange()
{
    const auto value = Shown();
    if (!value)
        return false;
    const long long inRange = std::clamp(*value, m_range.start, m_range.end);
    Show(inRange); // also "007" becomes "7"
    return inRange != *value;
}

CSpinButtons::CSpinButtons(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored); // halves of the edit's height
        layout->addWidget(button);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { emit Stepped(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Stepped(false); });
}

} // namespace qrv
