#pragma once
// Factory Mode: the radio's identity block (model name, band flag, range ID
// and limits, signalling type) read from and written to the radio over a link
// of the dialog's own, and the manual tune switch. The serial number is read
// and shown, never written. Every command connects, exchanges and closes the
// port again, leaving the radio in mode 1.
//
// Typed model names and range limits are checked when the field is left
// (a field left as it was shown is not: a radio may well hold limits outside
// the factory window); a field that fails keeps the focus.
#include <QDialog>

#include <cstdint>
#include <map>
#include <memory>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;

namespace qrv {

class CRadioInfoData;
class CRadioLink;
class CSettings;
struct CFactoryContext;
struct CPortChoice;
struct CTransferResult;

class CDlgFactoryModel : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 4805;
    static constexpr int kModelGroup = 4806;
    static constexpr int kTuneSwitchGroup = 4843;
    static constexpr int kSwitchOpen = 4844;
    static constexpr int kSwitchClose = 4845;
    static constexpr int kWriteTuneSwitchButton = 4846;
    static constexpr int kModelName = 4811;
    static constexpr int kBandFlag = 4850;
    static constexpr int kRangeId = 4852;
    static constexpr int kLowerFrequency = 4819;
    static constexpr int kUpperFrequency = 4821;
    static constexpr int kSignallingType = 4848;
    static constexpr int kSerialNumber = 4815;
    static constexpr int kFirmware = 4854;
    static constexpr int kModelId = 4858;
    static constexpr int kLanguage = 4856;
    static constexpr int kReadButton = 4841;
    static constexpr int kWriteButton = 4840;
    static constexpr int kCloseButton = 4842;

    static constexpr int kModelNameWidth = 12;
    static constexpr int kSerialNumberWidth = 16;
    static constexpr int kFrequencyWidth = 9;
    // The factory window of the range limits, in 10 Hz units.
    static constexpr std::uint32_t kLowestLimit = 43000000;
    static constexpr std::uint32_t kHighestLimit = 45000000;

    explicit CDlgFactoryModel(CFactoryContext& context);
    ~CDlgFactoryModel() override;

    // The buttons' work.
    void Read();
    void Write();
    void WriteTuneSwitch();
    // Close: stores the fields and asks which of the changed identity values
    // the settings take over; what is declined is put back into the block.
    void CloseDialog();

    bool ModelNameTaken() const { return m_modelTaken; }
    bool RangeTaken() const { return m_rangeTaken; }
    bool SignalTaken() const { return m_signalTaken; }

    void reject() override; // Esc and the title bar's close button close as Close does

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* AddEdit(QGridLayout& grid, int row, int label, int control, int width);
    QComboBox* AddCombo(QGridLayout& grid, int row, int label, int control);
    void EnableForLevel();
    void LoadFields();
    void StoreFields();
    bool Changed(const QLineEdit* edit) const;
    bool Changed(const QComboBox* combo) const;
    // The leave-field checks; false (message shown) when the field is refused.
    bool CheckField(QLineEdit* edit);
    bool CheckBeforeWrite();
    void Refuse(QLineEdit* edit, int message);
    CPortChoice Ports() const;
    // The radio link of the dialog; without one the user is told there is no radio.
    bool HaveLink();
    void Report(const CTransferResult& result);

    CFactoryContext& m_context;
    CSettings& m_settings;
    CRadioInfoData& m_info;
    std::unique_ptr<CRadioLink> m_link;
    bool m_checking = false; // a field check or the closing is under way: no other check
    bool m_modelTaken = false;
    bool m_rangeTaken = false;
    bool m_signalTaken = false;

    QRadioButton* m_open = nullptr;
    QRadioButton* m_close = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_band = nullptr;
    QLineEdit* m_rangeId = nullptr;
    QLineEdit* m_lower = nullptr;
    QLineEdit* m_upper = nullptr;
    QComboBox* m_signal = nullptr;
    QLineEdit* m_serial = nullptr;
    QLineEdit* m_firmware = nullptr;
    QLineEdit* m_modelId = nullptr;
    std::map<const QLineEdit*, QString> m_shownText;
    std::map<const QComboBox*, int> m_shownIndex;
};

} // namespace qrv
