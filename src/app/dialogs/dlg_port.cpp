#include "dialogs/dlg_port.h"

#include "port_list.h"
#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/port_selector.h"
#include "shell/qt_text.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qrv {

CDlgPort::CDlgPort(const CSettings& settings, QWidget* parent) : QDialog(parent)
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    m_group = new QButtonGroup(this);
    std::vector<CPortInfo> ports = ListSerialPorts(true);
    CPortInfo simulated;
    simulated.device = kSimulatedPortName;
    simulated.description = kSimulatedPortName;
    simulated.canOpen = true;
    ports.push_back(simulated);
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const CPortInfo& port = ports[i];
        const QString text = port.device == port.description
                                 ? Q(port.device)
                                 : QStringLiteral("%1  (%2)").arg(Q(port.device), Q(port.description));
        auto* button = new QRadioButton(text, this);
        button->setEnabled(port.canOpen);
        m_group->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
        m_ports.push_back(port.device);
        // A port that cannot be opened now is not kept selected.
        if (port.device == settings.PortName && port.canOpen)
            button->setChecked(true);
    }
    QDialogButtonBox* box = MakeDialogButtons(this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    LocalizeWindow(*this, settings, kForm);
}

void CDlgPort::Choose(int index)
{
    if (QAbstractButton* button = m_group->button(index); button != nullptr && button->isEnabled())
        button->setChecked(true);
}

std::string CDlgPort::PortName() const
{
    const int id = m_group->checkedId();
    return id >= 0 ? m_ports[static_cast<std::size_t>(id)] : std::string();
}

int CDlgPort::PortNumber() const
{
    return m_group->checkedId() + 1;
}

} // namespace qrv
