#pragma once
// Help > Show Serial Trace: the frames of the last radio command as text,
// with a button that saves them to a file (what a user sends when a radio
// will not talk). The program keeps one trace; every radio command's port is
// wrapped with WrapWithTrace so that it lands there.
#include "radio_link/trace_port.h"

#include <QDialog>

#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace qrv {

class CSettings;

// The program-wide trace of the last radio command.
std::shared_ptr<CSerialTrace> ProgramTrace();
// A port of a radio command, recording into the program-wide trace.
std::unique_ptr<CBytePort> WrapWithTrace(std::unique_ptr<CBytePort> port);

class CDlgSerialTrace : public QDialog {
    Q_OBJECT
public:
    CDlgSerialTrace(const CSettings& settings, std::shared_ptr<const CSerialTrace> trace, QWidget* parent = nullptr);

    // Writes the trace as text; false (after the message) when it cannot.
    bool SaveTo(const QString& path);
    QPlainTextEdit* TextBox() const { return m_text; }
    QPushButton* SaveButton() const { return m_save; }

private:
    void OnSave();

    const CSettings& m_settings;
    std::shared_ptr<const CSerialTrace> m_trace;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace qrv
