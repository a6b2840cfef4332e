#pragma once
// The embedded message view: it reads the message block from the radio when
// it first shows, edits the four messages, and writes the block (after the
// radio password) or a new password back to the radio by itself. When the
// read fails the view is of no use: it disables itself and closes its window.
#include "editors/common/editor_view.h"
#include "editors/embedded/embedded_radio.h"
#include "presentation/form_numbers.h"

class QTimer;

namespace qrv {

class CEmbeddedMessagePage;

class CViewEmbedded : public CEditorView {
    Q_OBJECT
public:
    static constexpr int kForm = form::kEmbedded;
    // After the window shows, before the radio is read.
    static constexpr int kReadDelayMs = 10;

    explicit CViewEmbedded(CEditorContext& context, QWidget* parent = nullptr);

    void OnNotification(const CNotification& notification, QObject* origin) override;
    void StorePages() override;
    // An ordinary read of the codeplug ended while this view was open.
    void OnCodeplugRead();

    // Whether the block was read from the radio; until then nothing can be edited.
    bool IsRead() const { return m_read; }
    CEmbeddedMessagePage* Page() const { return m_page; }
    // The radio's range when it was identified (see RadioIdentified).
    const FreqRangeRec& RadioRange() const { return m_radio.RadioRange(); }

signals:
    // The radio was identified while reading: the settings now hold its model,
    // signalling and range, and the main window follows (range list, other
    // windows, status bar). Sent even when the block read fails afterwards.
    void RadioIdentified();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ReadFromRadio();
    void WriteToRadio();
    void ChangePassword();
    void GiveUp();

    CEmbeddedMessagePage* m_page;
    QTimer* m_readTimer;
    CEmbeddedRadio m_radio;
    bool m_shown = false;
    bool m_read = false;
};

} // namespace qrv
