#pragma once
// The base-band values of the tune data (0x3E9-0x3FF): one set of fields for
// transmit and one for receive, shown one at a time in the same controls.
// The radio is in mode 3 for the dialog's whole life; READ and WRITE move the
// two base-band blocks between the radio and the tune data.
//
// A control is enabled only while "Allow Base Band Tune" is set and the shown
// set has a field for it; bits of the block that no field shows are kept.
#include "records/adjustment_data.h"

#include <QDialog>

#include <map>
#include <span>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QRadioButton;

namespace qrv {

class CRadioLink;
class CSettings;
struct CFactoryContext;
struct CTransferResult;

class CDlgBaseBand : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 7100;
    static constexpr int kAllowCheck = CAdjustmentData::kAllowBaseBandCheck;
    static constexpr int kReceiveButton = 7112;
    static constexpr int kTransmitButton = 7113;
    static constexpr int kCompandorCheck = 7121; // the Compandor field carries no number of its own
    static constexpr int kWriteButton = 7142;
    static constexpr int kReadButton = 7143;

    // link: open, with the radio in mode 3. READ is carried out at once.
    CDlgBaseBand(CFactoryContext& context, CRadioLink& link);

    // The buttons' work.
    void Read();
    void Write();
    // RX (true) or TX: the shown set is stored before the other is shown.
    void ShowSet(bool receive);
    bool ShowsReceive() const { return m_receive; }

private:
    std::span<const CBaseBandField> ShownFields() const;
    void AddCombo(QGridLayout& grid, int row, int column, int label, int control);
    void AddCheck(QGridLayout& grid, int row, int column, int control);
    void LoadShownSet();
    void StoreShownSet();
    void UpdateEnabling();
    void EndOnFailure(const CTransferResult& result);

    CSettings& m_settings;
    CAdjustmentData& m_tune;
    CRadioLink& m_link;
    bool m_receive = false;
    QCheckBox* m_allow = nullptr;
    QRadioButton* m_rx = nullptr;
    QRadioButton* m_tx = nullptr;
    std::map<int, QComboBox*> m_combos; // by control (= value list) number
    std::map<int, QCheckBox*> m_checks;
};

} // namespace qrv
