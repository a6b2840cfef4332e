#pragma once
// The Communication Port dialog: the system's serial ports by their own
// names, with what the system says of each and, for one that cannot be
// opened, why and what to do; a device path the user types (a
// pseudo-terminal, a /dev/serial/by-id link); and the simulated radio.
#include "port_list.h"
#include "radio_data/messages.h"

#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;
class QLineEdit;
class QVBoxLayout;

namespace qrv {

class CSettings;

// A port as the user reads it: its name, then what the system says it is.
QString PortLabel(const CSettings& settings, const CPortInfo& port);

class CDlgPort : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 150;
    static constexpr int kOtherPort = 1040; // the choice of a typed device path
    // The texts of a port that cannot be opened, and of its serial number.
    static constexpr int kNoPermission = 1333;
    static constexpr int kCannotOpen = 1334;
    static constexpr int kSerialNumber = msg::kSerialNumberText;

    // The ports listed are the system's (probed now) unless given.
    CDlgPort(const CSettings& settings, QWidget* parent = nullptr);
    CDlgPort(const CSettings& settings, std::vector<CPortInfo> ports, QWidget* parent = nullptr);

    // The chosen port's device ("" when none) and its 1-based place in the list (0 when none or typed).
    std::string PortName() const;
    int PortNumber() const;
    const std::vector<std::string>& Ports() const { return m_ports; }
    void Choose(int index);
    // What the dialog says of a listed port under its name ("" when nothing).
    QString DetailsOf(int index) const;
    QLineEdit* OtherPortEdit() const { return m_other; }

private:
    void AddPort(QVBoxLayout& layout, const CPortInfo& port, bool remembered);
    QString Details(const CPortInfo& port) const;

    const CSettings& m_settings;
    std::vector<std::string> m_ports;
    std::vector<QString> m_details;
    QButtonGroup* m_group = nullptr;
    QLineEdit* m_other = nullptr;
    int m_otherId = -1;
};

} // namespace qrv
