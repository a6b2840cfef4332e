#include "factory/tune_scroll_bar.h"

#include <QMouseEvent>

namespace qrv {

CTuneScrollBar::CTuneScrollBar(int lineStep, int pageStep, QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setSingleStep(lineStep);
    setPageStep(pageStep);
    // A value, not a view: Right, Up, Page Up and the wheel turned up raise it.
    setInvertedControls(false);
    connect(this, &QScrollBar::valueChanged, this, &CTuneScrollBar::Changed);
    // A thumb let go without the mouse (accessibility) ends the scroll too.
    connect(this, &QScrollBar::sliderReleased, this, [this] {
        if (!m_held)
            Finish();
    });
}

void CTuneScrollBar::ShowValue(int value)
{
    m_showing = true;
    setValue(value);
    m_showing = false;
}

void CTuneScrollBar::Changed()
{
    if (m_showing)
        return;
    if (m_held || isSliderDown()) {
        m_pending = true;
        return;
    }
    emit ScrollEnded(value());
}

void CTuneScrollBar::mousePressEvent(QMouseEvent* event)
{
    m_held = event->button() == Qt::LeftButton || m_held;
    QScrollBar::mousePressEvent(event);
}

void CTuneScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    if (event->buttons() & Qt::LeftButton)
        return; // another button let go; the drag goes on
    m_held = false;
    Finish();
}

void CTuneScrollBar::Finish()
{
    if (!m_pending)
        return;
    m_pending = false;
    emit ScrollEnded(value());
}

} // namespace qrv
