#include "printing/dlg_print_tree.h"

#include "presentation/item_tables.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_sections.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "shell/qt_text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>

namespace qrv {

bool CEmptySelectionAllowance::Use()
{
    if (m_left > 0) {
        --m_left;
        return true;
    }
    m_left = kTimes;
    return false;
}

CDlgPrintTree::CDlgPrintTree(const CSettings& settings, const CRadioData& radioData,
                             CEmptySelectionAllowance& allowance, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_allowance(allowance)
{
    SetControlNumber(this, kForm);
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    layout->addLayout(body);

    m_tree = new CNavigationTree(settings, this);
    m_tree->setContextMenuPolicy(Qt::NoContextMenu); // the channel list is no business of printing
    m_tree->setMinimumSize(260, 320);
    m_tree->Rebuild(Q(radioData.Identity().modelName));
    m_tree->SetChildCount(item::kChannel, static_cast<int>(radioData.Channels().size()));
    m_tree->SetChildCount(item::kPersonality, static_cast<int>(radioData.Personalities().size()));
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it)
        MakeMarkable(**it);
    // The settings folder holds four sections: show them at once.
    if (QTreeWidgetItem* folder = m_tree->FindItem(item::kSettingsFolder))
        folder->setExpanded(true);
    body->addWidget(m_tree, 1);

    auto* side = new QVBoxLayout;
    body->addLayout(side);
    for (const int number : {kSelectAllButton, kClearAllButton, kPrintSetupButton}) {
        auto* button = new QPushButton(this);
        SetControlNumber(button, number);
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    side->addStretch(1);
    connect(Button(kSelectAllButton), &QPushButton::clicked, this, [this] { SetAllMarked(true); });
    connect(Button(kClearAllButton), &QPushButton::clicked, this, [this] { SetAllMarked(false); });
    connect(Button(kPrintSetupButton), &QPushButton::clicked, this, &CDlgPrintTree::PrintSetupRequested);

    QDialogButtonBox* buttons = MakeDialogButtons(this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgPrintTree::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LocalizeWindow(*this, settings, kForm);
}

namespace {

int ItemNumber(const QTreeWidgetItem& item)
{
    return item.data(0, CNavigationTree::kItemRole).toInt();
}

bool IsSectionItem(const QTreeWidgetItem& item)
{
    const auto sections = ReportSections();
    return std::any_of(sections.begin(), sections.end(),
                       [&item](const CReportSection& section) { return section.treeCommand == ItemNumber(item); });
}

// A folder whose items are all sections marks them all at once.
bool IsFolderOfSections(const QTreeWidgetItem& item)
{
    if (item.childCount() == 0)
        return false;
    for (int i = 0; i < item.childCount(); ++i)
        if (!IsSectionItem(*item.child(i)))
            return false;
    return true;
}

} // namespace

void CDlgPrintTree::MakeMarkable(QTreeWidgetItem& item)
{
    // Only what prints something can be marked: a single channel or personality,
    // the change log and their like show no check box.
    if (IsSectionItem(item)) {
        item.setFlags((item.flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsAutoTristate);
        item.setCheckState(0, Qt::Unchecked);
    } else if (IsFolderOfSections(item)) {
        item.setFlags(item.flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        item.setCheckState(0, Qt::Unchecked);
    } else {
        item.setFlags(item.flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate));
        item.setData(0, Qt::CheckStateRole, QVariant());
    }
}

bool CDlgPrintTree::IsMarkable(const QTreeWidgetItem& item)
{
    return item.flags().testFlag(Qt::ItemIsUserCheckable);
}

QPushButton* CDlgPrintTree::Button(int number) const
{
    for (QPushButton* button : findChildren<QPushButton*>())
        if (ControlNumber(button) == number)
            return button;
    return nullptr;
}

bool CDlgPrintTree::IsMarked(const QTreeWidgetItem& item)
{
    return item.checkState(0) == Qt::Checked;
}

void CDlgPrintTree::SetAllMarked(bool marked)
{
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it)
        if (IsMarkable(**it))
            (*it)->setCheckState(0, marked ? Qt::Checked : Qt::Unchecked);
}

std::set<int> CDlgPrintTree::SelectedSections() const
{
    std::set<int> marked;
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it)
        if (IsMarked(**it))
            marked.insert(ItemNumber(**it));
    std::set<int> sections;
    for (const CReportSection& section : ReportSections())
        if (marked.contains(section.treeCommand))
            sections.insert(section.formNumber);
    return sections;
}

void CDlgPrintTree::accept()
{
    if (!SelectedSections().empty()) {
        QDialog::accept();
        return;
    }
    if (m_allowance.Use()) {
        ShowMessage(this, m_settings, msg::kSelectItemToPrint);
        return;
    }
    ShowMessage(this, m_settings, msg::kPrintCancelled);
    reject();
}

} // namespace qrv
