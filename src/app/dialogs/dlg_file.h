#pragma once
// The open and save dialog for data files: the platform's file dialog with a
// preview panel below it that shows the identity kept in a data file's header
// and its comment. Opening previews the selected file; saving previews the
// codeplug about to be saved and takes the comment typed for it.
#include "radio_data/data_file.h"

#include <QFileDialog>

class QLineEdit;
class QPlainTextEdit;

namespace qrv {

class CSettings;

class CDlgFile : public QFileDialog {
    Q_OBJECT
public:
    static constexpr int kPreview = 152;

    CDlgFile(bool openMode, const CSettings& settings, const QString& initialPath, QWidget* parent = nullptr);

    // Save mode: the identity of the codeplug about to be saved.
    void SetHeader(const DataFileHeader& header);
    // Open mode: what the selected file holds; empty fields for anything else.
    void ShowPreviewOf(const QString& path);
    std::string Comment() const;

    QString ModelText() const;
    QString RangeText() const;
    QString VersionText() const;
    QPlainTextEdit* CommentBox() const { return m_comment; }

    // The language file's filter ("text|pattern|...||") as file-dialog filters.
    static QStringList NameFilters(const CSettings& settings);

private:
    void ShowHeader(const DataFileHeader& header);
    void ClearPreview();

    bool m_openMode;
    QLineEdit* m_model = nullptr;
    QLineEdit* m_range = nullptr;
    QLineEdit* m_version = nullptr;
    QPlainTextEdit* m_comment = nullptr;
};

} // namespace qrv
