#pragma once
// The signalling page of a personality: the transmit optional signalling
// (bits 0-3 of byte 6) and the signalling systems, which live in memory only.
// The personality sheet builds it but does not show it.
#include "editors/common/editor_page.h"
#include "records/personality_data.h"

class QComboBox;

namespace qrv {

class CPersonalityData;

class CPersonalitySignalPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = 2313;
    static constexpr int kRxSignalling = 2402;
    static constexpr int kRxSystem = 2404;
    static constexpr int kTxOptionalSignalling = CPersonalityData::kTxOptionalSignallingList;
    static constexpr int kTxSystem = 2409;
    static constexpr int kTxSignalling = 2413;

    explicit CPersonalitySignalPage(CEditorContext& context, QWidget* parent = nullptr);

    void Bind(CPersonalityData* personality) { m_personality = personality; }

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    QComboBox* AddCombo(int control, int row);

    CPersonalityData* m_personality = nullptr;
    QComboBox* m_txOptional = nullptr;
    QComboBox* m_rxSystem = nullptr;
    QComboBox* m_txSystem = nullptr;
};

} // namespace qrv
