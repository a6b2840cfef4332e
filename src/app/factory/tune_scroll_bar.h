#pragma once
// A horizontal scroll bar that tells when the user has finished scrolling:
// the radio takes one value per gesture, not one per step. While the mouse
// is held on the bar (dragging the thumb, holding an arrow) the changes wait
// for the release; a key press or a wheel turn ends a scroll at once.
#include <QScrollBar>

namespace qrv {

class CTuneScrollBar : public QScrollBar {
    Q_OBJECT
public:
    CTuneScrollBar(int lineStep, int pageStep, QWidget* parent = nullptr);

    // A value the program shows (read from the radio): no scroll ends.
    void ShowValue(int value);

signals:
    void ScrollEnded(int value);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Changed();
    void Finish();

    bool m_showing = false;
    bool m_held = false;
    bool m_pending = false;
};

} // namespace qrv
