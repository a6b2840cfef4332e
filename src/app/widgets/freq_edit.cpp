#include "widgets/freq_edit.h"

#include "records/frequency.h"
#include "shell/qt_text.h"

#include <QRegularExpressionValidator>

namespace qrv {

namespace {

constexpr int kMaxCharacters = 9;

} // namespace

CFreqEdit::CFreqEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kMaxCharacters);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), this));
    connect(this, &QLineEdit::returnPressed, this, &CFreqEdit::Commit);
}

void CFreqEdit::SetRange(int lowerMHz, int upperMHz)
{
    m_lowerUnits = UnitsFromMHz(lowerMHz);
    m_upperUnits = UnitsFromMHz(upperMHz);
}

void CFreqEdit::SetValue(std::uint32_t word)
{
    m_word = word;
    std::uint32_t units = 0;
    if (const auto u = UnitsFromFrequencyWord(word)) {
        units = *u;
        m_stepCode = ApplyRaster(units);
    } else {
        m_stepCode = kNoStepCode;
    }
    setText(Q(FrequencyText(word)));
    setModified(false);
}

void CFreqEdit::SetValue(std::uint32_t word, std::uint8_t stepCode)
{
    SetValue(word);
    m_stepCode = stepCode;
}

void CFreqEdit::Commit()
{
    const CFreqEntry entry = EnterFrequency(S(text()), m_lowerUnits, m_upperUnits, m_emptyAllowed);
    const bool changed = entry.word != m_word || entry.stepCode != m_stepCode;
    m_word = entry.word;
    m_stepCode = entry.stepCode;
    setText(Q(FrequencyText(m_word)));
    setModified(false);
    if (entry.clamped)
        emit OutOfRange();
    if (changed)
        emit ValueCommitted();
}

void CFreqEdit::focusOutEvent(QFocusEvent* event)
{
    if (isModified())
        Commit();
    QLineEdit::focusOutEvent(event);
}

} // namespace qrv
