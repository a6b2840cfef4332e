#include "editors/keys/view_keys.h"

#include "editors/keys/keys_picture.h"
#include "editors/settings/option_controls.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/key_data.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QSignalBlocker>

namespace qrv {

namespace {

static_assert(CKeysPage::kSideKeys == CKeyData::kSideKeyCombos);

// Grid rows: room for the antenna, SK1's pair, a gap, SK2's pair, the rest of the body.
constexpr std::array<int, 4> kKeyRows{1, 2, 4, 5};
constexpr int kTopRowHeight = 110;
constexpr int kGapRow = 3;
constexpr int kGapHeight = 24;
constexpr int kBottomRow = 6;
constexpr int kPictureColumn = 2;

} // namespace

CKeysPage::CKeysPage(CEditorContext& context, QWidget* parent) : CEditorPage(context, kPage, parent)
{
    auto* grid = new QGridLayout(this);
    CKeysPicture::KeyCombos anchors{};
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        m_keys[i] = AddLabelledCombo(*this, *grid, kSideKeys[i], kKeyRows[i]);
        anchors[i] = m_keys[i];
    }
    auto* picture = new CKeysPicture(this);
    SetControlNumber(picture, kPicture);
    picture->SetKeyCombos(anchors);
    grid->addWidget(picture, 0, kPictureColumn, kBottomRow + 1, 1);
    grid->setRowMinimumHeight(0, kTopRowHeight);
    grid->setRowMinimumHeight(kGapRow, kGapHeight);
    grid->setRowStretch(kBottomRow, 1);
    grid->setColumnStretch(kPictureColumn + 1, 1);
    Localize();

    for (QComboBox* combo : m_keys) {
        OfferFunctions(*combo);
        // The refusal comes first, so that what is stored is the corrected choice.
        connect(combo, &QComboBox::activated, this, [this, combo] { RefuseVoxWhileOff(*combo); });
        Watch(combo);
    }
}

void CKeysPage::OfferFunctions(QComboBox& combo)
{
    std::vector<CComboLine> lines = Settings().FillCombo(ControlNumber(&combo));
    if (lines.empty())
        return;
    RemoveNeverOfferedFunctions(lines);
    const QSignalBlocker quiet(combo);
    combo.clear();
    for (const CComboLine& line : lines)
        combo.addItem(Q(line.text), QVariant::fromValue(line.data));
}

void CKeysPage::LoadControls()
{
    const CKeyData& keys = Data().Keys();
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        ShowEntry(*m_keys[i], keys.SideKeyFunction(i));
}

void CKeysPage::StoreControls()
{
    CKeyData& keys = Data().Keys();
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        if (const auto function = ShownByte(*m_keys[i], Settings()))
            keys.SetSideKeyFunction(i, *function);
}

void CKeysPage::RefuseVoxWhileOff(QComboBox& combo)
{
    if (IsLoading())
        return;
    const auto function = ShownByte(combo, Settings());
    if (!function || CKeyData::IsFunctionAllowed(*function, Data().Vox().GainLevel()))
        return;
    combo.setCurrentIndex(0);
    ShowPageMessage(CKeyData::kVoxOffMessage);
}

void CKeysPage::OnNotification(const CNotification& notification)
{
    if (notification.kind != CNotification::Kind::VoxChanged) {
        CEditorPage::OnNotification(notification);
        return;
    }
    // The views hear a notice before the data checks run; the keys react to it
    // here already (it is the same step, done once), so the combos show what
    // the data holds after the checks.
    Data().Keys().OnNotification(notification);
    Load();
}

CViewKeys::CViewKeys(CEditorContext& context, QWidget* parent)
    : CSinglePageView(context, CKeysPage::kPage, new CKeysPage(context), parent)
{
}

} // namespace qrv
