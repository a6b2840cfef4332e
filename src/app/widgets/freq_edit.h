#pragma once
// The frequency edit: digits and the decimal point, at most nine characters.
// When it loses the focus (or Enter is pressed) the text becomes a frequency
// word: clamped to the range (OutOfRange is emitted so the page can say so),
// put on a raster, and shown again with five decimals.
#include <QLineEdit>

#include <cstdint>

namespace qrv {

class CFreqEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFreqEdit(QWidget* parent = nullptr);

    // The bounds in whole MHz (the model's frequency range).
    void SetRange(int lowerMHz, int upperMHz);
    // 0xFFFFFFFF shows an empty text. The step code is the raster's unless
    // given: a record's stored code is kept as it is until the user types.
    void SetValue(std::uint32_t word);
    void SetValue(std::uint32_t word, std::uint8_t stepCode);
    std::uint32_t Value() const { return m_word; }
    // 0xFF while empty.
    std::uint8_t StepCode() const { return m_stepCode; }
    void SetEmptyAllowed(bool allowed) { m_emptyAllowed = allowed; }
    // Takes the typed text now (what losing the focus does).
    void Commit();

signals:
    // The typed frequency was outside the range and was clamped.
    void OutOfRange();
    // Commit produced another value than before.
    void ValueCommitted();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::uint32_t m_word = 0xFFFFFFFF;
    std::uint8_t m_stepCode = 0xFF;
    std::uint32_t m_lowerUnits = 0;
    std::uint32_t m_upperUnits = 0xFFFFFFFF;
    bool m_emptyAllowed = true;
};

} // namespace qrv
