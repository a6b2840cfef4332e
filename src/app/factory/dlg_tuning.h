#pragma once
// Tuning: the list of adjustable entries a user level may tune. Opening an
// entry reads the value of its first point and shows the Tune Sub Item dialog.
#include "factory/tuning_table.h"

#include <QDialog>

#include <memory>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qrv {

class CDlgTuneSubItem;
class CRadioData;
class CRadioLink;
class CSettings;

class CDlgTuning : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 7002;
    static constexpr int kList = 7055;
    static constexpr int kTable = 7056;

    // link: connected, the radio in the adjustment mode.
    CDlgTuning(CSettings& settings, CRadioData& radioData, CRadioLink& link, QWidget* parent = nullptr);
    ~CDlgTuning() override;

    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }
    const CTuningTable& Table() const { return m_table; }

    // What a double-click on an entry does.
    void OpenItem(QListWidgetItem* item);
    // The Tune Sub Item dialog for an entry, its first value read; nullptr
    // (the message shown) when the entry cannot be tuned or the radio failed.
    std::unique_ptr<CDlgTuneSubItem> MakeSubItem(QListWidgetItem* item);

private:
    void FilterForLevel();

    CSettings& m_settings;
    CRadioData& m_data;
    CRadioLink& m_link;
    CTuningTable m_table;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace qrv
