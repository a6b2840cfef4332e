#include "dialogs/dlg_port.h"

#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/port_selector.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

namespace {

constexpr int kDetailIndent = 24;

} // namespace

QString PortLabel(const CSettings& settings, const CPortInfo& port)
{
    const std::string name = port.device == kSimulatedPortName ? settings.GetMessage(kSimulatedRadioText)
                             : port.name.empty()               ? port.device
                                                               : port.name;
    return port.description.empty() ? Q(name) : QStringLiteral("%1  (%2)").arg(Q(name), Q(port.description));
}

CDlgPort::CDlgPort(const CSettings& settings, QWidget* parent) : CDlgPort(settings, ListSerialPorts(true), parent)
{
}

CDlgPort::CDlgPort(const CSettings& settings, std::vector<CPortInfo> ports, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    m_group = new QButtonGroup(this);
    CPortInfo simulated;
    simulated.device = kSimulatedPortName;
    simulated.name = kSimulatedPortName;
    simulated.canOpen = true;
    ports.push_back(simulated);
    bool listed = false;
    for (const CPortInfo& port : ports) {
        const bool remembered = port.device == settings.PortName;
        listed = listed || remembered;
        AddPort(*layout, port, remembered);
    }

    // Any device path: a pseudo-terminal, a /dev/serial/by-id link, a port the system does not list.
    auto* otherRow = new QHBoxLayout;
    auto* other = new QRadioButton(this);
    SetControlNumber(other, kOtherPort);
    m_otherId = static_cast<int>(m_ports.size());
    m_group->addButton(other, m_otherId);
    m_other = new QLineEdit(this);
    m_other->setObjectName(QStringLiteral("otherPort"));
    m_other->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    connect(m_other, &QLineEdit::textEdited, other, [other] { other->setChecked(true); });
    if (!listed && !settings.PortName.empty()) {
        m_other->setText(Q(settings.PortName));
        other->setChecked(true);
    }
    otherRow->addWidget(other);
    otherRow->addWidget(m_other, 1);
    layout->addLayout(otherRow);

    QDialogButtonBox* box = MakeDialogButtons(this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
    LocalizeWindow(*this, settings, kForm);
}

void CDlgPort::AddPort(QVBoxLayout& layout, const CPortInfo& port, bool remembered)
{
    auto* button = new QRadioButton(PortLabel(m_settings, port), this);
    button->setToolTip(Q(port.device));
    m_group->addButton(button, static_cast<int>(m_ports.size()));
    layout.addWidget(button);
    // A port that cannot be opened stays listed and can be chosen: the line
    // under it says why, and what to do, so that it works once that is done.
    const QString details = Details(port);
    if (!details.isEmpty()) {
        auto* label = new QLabel(details, this);
        label->setWordWrap(true);
        label->setContentsMargins(kDetailIndent, 0, 0, 0);
        layout.addWidget(label);
    }
    m_ports.push_back(port.device);
    m_details.push_back(details);
    if (remembered)
        button->setChecked(true);
}

QString CDlgPort::Details(const CPortInfo& port) const
{
    QStringList parts;
    if (!port.manufacturer.empty())
        parts << Q(port.manufacturer);
    if (!port.serialNumber.empty())
        parts << Q(FormatMessageText(m_settings.GetMessage(kSerialNumber), port.serialNumber));
    QString details = parts.join(QStringLiteral(", "));
    QString problem;
    if (port.problem == PortProblem::NoPermission)
        problem = Q(FormatMessageText(m_settings.GetMessage(kNoPermission), port.owningGroup));
    else if (port.problem == PortProblem::Other)
        problem = Q(FormatMessageText(m_settings.GetMessage(kCannotOpen), port.errorText));
    if (!problem.isEmpty())
        details = details.isEmpty() ? problem : details + QLatin1Char('\n') + problem;
    return details;
}

void CDlgPort::Choose(int index)
{
    if (QAbstractButton* button = m_group->button(index))
        button->setChecked(true);
}

QString CDlgPort::DetailsOf(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < m_details.size() ? m_details[static_cast<std::size_t>(index)]
                                                                            : QString();
}

std::string CDlgPort::PortName() const
{
    const int id = m_group->checkedId();
    if (id == m_otherId)
        return m_other->text().trimmed().toStdString();
    return id >= 0 ? m_ports[static_cast<std::size_t>(id)] : std::string();
}

int CDlgPort::PortNumber() const
{
    const int id = m_group->checkedId();
    return id >= 0 && id != m_otherId ? id + 1 : 0;
}

} // namespace qrv
