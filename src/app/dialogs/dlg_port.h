#pragma once
// The Communication Port dialog: the system's serial ports (only those that
// open now can be chosen) and the simulated radio.
#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;

namespace qrv {

class CSettings;

class CDlgPort : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 150;

    CDlgPort(const CSettings& settings, QWidget* parent = nullptr);

    // The chosen port's name ("" when none) and its 1-based number (0 when none).
    std::string PortName() const;
    int PortNumber() const;
    const std::vector<std::string>& Ports() const { return m_ports; }
    void Choose(int index);

private:
    std::vector<std::string> m_ports;
    QButtonGroup* m_group = nullptr;
};

} // namespace qrv
