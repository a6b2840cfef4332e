#pragma once
// The Basic page of a channel: spacing, power, and for each direction the
// frequency, the tone type and the CTCSS or CDCSS tone; a button copies the
// receive side to the transmit side.
#include "editors/common/editor_page.h"
#include "records/channel_data.h"

#include <string>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace qrv {

class CFreqEdit;
struct CChannelBinding;

class CChannelBasicPage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = 3656;

    // Control numbers.
    static constexpr int kSpacing = CChannelData::kSpacingList;
    static constexpr int kPower = CChannelData::kPowerList;
    static constexpr int kRxGroup = 3664;
    static constexpr int kRxFrequency = CChannelData::kRxFrequencyEdit;
    static constexpr int kRxType = CChannelData::kRxTypeList;
    static constexpr int kRxCtcss = CChannelData::kRxCtcssCombo;
    static constexpr int kRxCdcss = CChannelData::kRxCdcssCombo;
    static constexpr int kTxGroup = 3673;
    static constexpr int kTxFrequency = CChannelData::kTxFrequencyEdit;
    static constexpr int kTxType = CChannelData::kTxTypeList;
    static constexpr int kTxCtcss = CChannelData::kTxCtcssCombo;
    static constexpr int kTxCdcss = CChannelData::kTxCdcssCombo;
    static constexpr int kCopyReceive = 3682;

    CChannelBasicPage(CEditorContext& context, CChannelBinding& binding, QWidget* parent = nullptr);

protected:
    void LoadControls() override;
    void StoreControls() override;
    // Also a cell of the channel list.
    bool ReloadsOn(const CNotification& notification) const override;

private:
    // One direction: its frequency edit and its three tone combos.
    struct CSide {
        CFreqEdit* frequency = nullptr;
        QComboBox* type = nullptr;
        QComboBox* ctcss = nullptr;
        QComboBox* cdcss = nullptr;
    };

    // A typed tone that is not in its table: the message and the text.
    struct CRefusal {
        int message = 0;
        std::string typed;
    };

    QGroupBox* MakeSide(CSide& side, int groupNumber, int frequencyNumber);
    void LoadSide(const CSide& side, std::uint32_t frequency, std::uint8_t stepCode, std::uint8_t type,
                  const CToneLookup& ctcss, const CToneLookup& cdcss);
    // The tone a combo stands for: the look-up it was shown with while its
    // text is unchanged, else the typed tone; a typed tone outside the table
    // is refused (noted in refused) and the shown one put back.
    CToneLookup TypedTone(QComboBox& combo, bool ctcss, const CToneLookup& shown, CRefusal& refused) const;
    void EnableTones(const CSide& side) const;
    void EnableTransmitFrequency();
    void ReceiveCommitted();
    void CopyReceiveToTransmit();

    CChannelBinding& m_binding;
    QComboBox* m_spacing = nullptr;
    QComboBox* m_power = nullptr;
    CSide m_rx;
    CSide m_tx;
    QPushButton* m_copy = nullptr;
};

} // namespace qrv
