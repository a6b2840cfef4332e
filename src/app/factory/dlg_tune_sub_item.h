#pragma once
// Tune Sub Item: one entry of the tuning list, point by point. The radio
// takes each value as the user finishes scrolling it; OK asks it to keep the
// values ("Vj") and takes them into the codeplug's tune data, Cancel asks it
// to drop them ("Vk") and leaves the tune data as it was.
#include "factory/tuning_table.h"
#include "records/adjustment_data.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <limits>

class QAbstractButton;
class QLabel;
class QLayout;
class QPushButton;
class QTabBar;

namespace qrv {

class CRadioData;
class CRadioLink;
class CSettings;
class CTestFrequencyData;
class CTuneScrollBar;

class CDlgTuneSubItem : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 7004;
    // A tuning value is a 16-bit word: the bar covers every value the radio can report.
    static constexpr int kValueMinimum = 0;
    static constexpr int kValueMaximum = std::numeric_limits<std::uint16_t>::max();
    static constexpr std::uint16_t kVolumeItem = 0x850B;
    static constexpr int kVolumeMaximum = 255;
    static constexpr int kVolumeStart = 128;
    // The test switch's caption names what a press does next.
    static constexpr int kReceiveTestRunning = 7091;
    static constexpr int kReceiveTestStopped = 7092;
    static constexpr int kTransmitTestRunning = 7093;
    static constexpr int kTransmitTestStopped = 7094;

    // How the dialog ended. A failure's message has been shown.
    enum class Outcome { Open, Kept, Dropped, WriteFailed, ReadFailed, NoAnswer };

    // value: what the radio holds for the entry's first point, already read.
    CDlgTuneSubItem(CSettings& settings, CRadioData& radioData, CRadioLink& link, const CTuningTable& table,
                    const CTuningEntry& entry, const QString& name, std::uint16_t value, QWidget* parent = nullptr);

    Outcome Result() const { return m_outcome; }
    TuneGroup Group() const { return m_group; }
    std::uint16_t Item() const { return m_item; }
    // The tuned values, to become the tune data on OK.
    const CAdjustmentData& WorkingCopy() const { return m_working; }

    QAbstractButton* GroupButton(TuneGroup group) const { return m_groupButtons[static_cast<std::size_t>(group)]; }
    QTabBar* Tabs() const { return m_tabs; }
    CTuneScrollBar* ValueBar() const { return m_value; }
    CTuneScrollBar* VolumeBar() const { return m_volume; }
    QLabel* RxText() const { return m_rxText; }
    QLabel* TxText() const { return m_txText; }
    QLabel* ValueText() const { return m_valueText; }
    QLabel* VolumeText() const { return m_volumeText; }
    QPushButton* TxButton() const { return m_tx; }
    QPushButton* SampleButton() const { return m_sample; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    // Cancel, Escape and closing the window.
    void reject() override;

private:
    void Build();
    QWidget* BuildSpacing();
    QLayout* BuildBar(CTuneScrollBar* bar, int minimumNumber, int maximumNumber, int minimum, int maximum);
    void ChooseGroup(TuneGroup group);
    void FillTabs();
    void ChoosePoint(int tab);
    void ShowPoint();
    void ShowValue(std::uint16_t value);
    void ReadValue();
    void Sample();
    void WriteValue(int value);
    void WriteVolume(int value);
    void SwitchTest(bool on);
    void StopTest();
    void ShowTestCaption();
    void Keep();
    void End(Outcome outcome);

    CSettings& m_settings;
    CRadioLink& m_link;
    const CTestFrequencyData& m_frequencies;
    CAdjustmentData& m_tuneData;
    CAdjustmentData m_working;
    CTuningTable m_table;
    CTuningEntry m_entry;
    TuneGroup m_group = TuneGroup::Width;
    std::uint16_t m_item = 0;
    Outcome m_outcome = Outcome::Open;

    std::array<QAbstractButton*, CTuningTable::kGroupCount> m_groupButtons{};
    QTabBar* m_tabs = nullptr;
    QLabel* m_rxText = nullptr;
    QLabel* m_txText = nullptr;
    QLabel* m_valueText = nullptr;
    QLabel* m_volumeText = nullptr;
    CTuneScrollBar* m_value = nullptr;
    CTuneScrollBar* m_volume = nullptr;
    QPushButton* m_tx = nullptr;
    QPushButton* m_sample = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace qrv
