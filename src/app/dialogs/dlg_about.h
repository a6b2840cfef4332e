#pragma once
// About: the program's name and version, the model in use and where the
// program keeps its data (what a dealer reads out to support).
#include <QDialog>

namespace qrv {

class CSettings;
struct CDocumentIdentity;

class CDlgAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 100;
    static constexpr int kVersionLabel = 1303;
    static constexpr int kDataDirectoryLabel = 1304;
    static constexpr int kModelLabel = 1305;

    // document: the model and range the program works on now.
    CDlgAbout(const CSettings& settings, const CDocumentIdentity& document, QWidget* parent = nullptr);
};

} // namespace qrv
