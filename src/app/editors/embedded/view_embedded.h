#pragma once
// The embedded message view: it edits the codeplug's four messages like any
// other page, and by itself reads the block from the radio (the user decides
// whether the radio's replace the codeplug's) or writes the block (after the
// radio password) or a new password to the radio.
#include "editors/common/editor_view.h"
#include "editors/embedded/embedded_radio.h"
#include "presentation/form_numbers.h"

namespace qrv {

class CEmbeddedMessagePage;

class CViewEmbedded : public CEditorView {
    Q_OBJECT
public:
    static constexpr int kForm = form::kEmbedded;

    explicit CViewEmbedded(CEditorContext& context, QWidget* parent = nullptr);

    void OnNotification(const CNotification& notification, QObject* origin) override;
    void StorePages() override;
    // An ordinary read of the codeplug ended while this view was open.
    void OnCodeplugRead();

    CEmbeddedMessagePage* Page() const { return m_page; }
    // The radio's range when it was identified (see RadioIdentified).
    const FreqRangeRec& RadioRange() const { return m_radio.RadioRange(); }

signals:
    // The radio was identified while reading: the settings now hold its model,
    // signalling and range, and the main window follows (range list, other
    // windows, status bar). Sent even when the block read fails afterwards.
    void RadioIdentified();

private:
    void ReadFromRadio();
    void WriteToRadio();
    void ChangePassword();

    CEmbeddedMessagePage* m_page;
    CEmbeddedRadio m_radio;
};

} // namespace qrv
