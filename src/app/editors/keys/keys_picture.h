#pragma once
// A drawing of the radio as the keys view shows it: the body with its
// antenna, knob and top key, and the two side keys on the left edge, each
// placed level with its pair of combos and joined to them by leader lines.
#include <QWidget>

#include <array>

namespace qrv {

class CKeysPicture : public QWidget {
    Q_OBJECT
public:
    // The combos in the order SK1 short, SK1 long, SK2 short, SK2 long; they
    // stand to the left of the picture.
    using KeyCombos = std::array<const QWidget*, 4>;

    explicit CKeysPicture(QWidget* parent = nullptr);
    void SetKeyCombos(const KeyCombos& combos) { m_combos = combos; }

    QSize sizeHint() const override { return {200, 380}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The height of a combo's centre in the picture; fallback while it has no place yet.
    int ComboY(std::size_t index, int fallback) const;

    KeyCombos m_combos{};
};

} // namespace qrv
