#pragma once
// The model dialog: the model name, frequency range and signalling of a new
// codeplug, chosen from the models Model.dat lists.
#include "presentation/caption_numbers.h"
#include "radio_data/model_catalog.h"

#include <QDialog>

#include <string>

class QComboBox;

namespace qrv {

class CSettings;

class CDlgModel : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 1070;
    static constexpr int kModelNameLabel = 1071;
    static constexpr int kModelNameList = 1072;
    static constexpr int kRangeLabel = 1073;
    static constexpr int kRangeList = 1074;
    static constexpr int kSignalLabel = 1075;
    static constexpr int kSignalList = caption::kSignalTypeList;

    // Starts on the document's model identifier, name, range and signalling.
    CDlgModel(const CSettings& settings, const CDocumentIdentity& document, QWidget* parent = nullptr);

    // The choice; after OK these are what the user confirmed.
    const std::string& ModelID() const { return m_catalog.ModelID(); }
    const std::string& ModelName() const { return m_catalog.ModelName(); }
    const std::string& FreqRange() const { return m_catalog.RangeText(); }
    int Signal() const { return m_catalog.Signal(); }
    // The catalogue's range count of the chosen model (-1 before the dialog is filled).
    int RangeCount() const { return m_rangeCount; }

    QComboBox* ModelNameList() const { return m_names; }
    QComboBox* RangeList() const { return m_ranges; }
    QComboBox* SignalList() const { return m_signals; }

    // What OK does: takes the shown name, range and signalling and ends the dialog with OK.
    void Confirm();

private:
    void FillModelNames();
    void FillRanges();
    void OnModelNameChosen(int index);
    void OnRangeChosen(int index);
    void OnSignalChosen(int index);
    void SelectFirstSignal();

    const CSettings& m_settings;
    CModelCatalog m_catalog; // holds the dialog's current choice
    int m_rangeCount = -1;
    QComboBox* m_names = nullptr;
    QComboBox* m_ranges = nullptr;
    QComboBox* m_signals = nullptr;
};

} // namespace qrv
