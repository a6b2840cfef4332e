#pragma once
// What Compare with Radio found: the range message when the codeplug's range
// lies outside the radio's, and a line for each field a write would change,
// the radio's value first. The list can be copied or saved as text.
#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace qrv {

class CSettings;

class CDlgCompareResult : public QDialog {
    Q_OBJECT
public:
    CDlgCompareResult(const CSettings& settings, const std::vector<std::string>& lines, QWidget* parent = nullptr);

    QPlainTextEdit* List() const { return m_list; }
    // Writes the list as text; false after the message that says why not.
    bool SaveTo(const QString& path);

private:
    const CSettings& m_settings;
    QPlainTextEdit* m_list = nullptr;
};

// Shows the outcome of a comparison: the message that the radio holds the
// codeplug when there is nothing to list, else the list.
void ShowComparison(QWidget* parent, const CSettings& settings, const std::vector<std::string>& lines);

} // namespace qrv
