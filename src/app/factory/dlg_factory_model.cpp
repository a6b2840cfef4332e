#include "factory/dlg_factory_model.h"

#include "factory/factory_context.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_link.h"
#include "records/frequency.h"
#include "records/radio_info_data.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace qrv {

namespace {

constexpr int kModelNameLabel = 4810;
constexpr int kSerialNumberLabel = 4814;
constexpr int kLowerLabel = 4818;
constexpr int kUpperLabel = 4820;
constexpr int kSignallingLabel = 4847;
constexpr int kBandFlagLabel = 4849;
constexpr int kRangeIdLabel = 4851;
constexpr int kFirmwareLabel = 4853;
constexpr int kLanguageLabel = 4855;
constexpr int kModelIdLabel = 4857;

constexpr int kMaxRangeId = 255;
constexpr std::uint8_t kErased = 0xFF;
constexpr int kFractionDigits = 5;

// "449.99999" -> 44999999 units, exactly; nullopt for anything but up to three
// digits with at most five decimals.
std::optional<std::uint32_t> UnitsOfText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})(?:\\.(\\d{0,5}))?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString fraction = match.captured(2).leftJustified(kFractionDigits, QLatin1Char('0'));
    return match.captured(1).toUInt() * kUnitsPerMHz + fraction.toUInt();
}

bool InFactoryWindow(const std::optional<std::uint32_t>& units)
{
    return units && *units >= CDlgFactoryModel::kLowestLimit && *units <= CDlgFactoryModel::kHighestLimit;
}

QString FrequencyField(const std::optional<std::uint32_t>& units)
{
    return units ? Q(FrequencyTextFromUnits(*units)) : QString();
}

void SelectData(QComboBox& combo, std::uint8_t value)
{
    combo.setCurrentIndex(combo.findData(QVariant::fromValue(static_cast<long long>(value))));
}

// The range text of the block's limits ("430-449"); empty while a limit is erased.
std::string RangeTextOf(const CRadioInfoData& info)
{
    const auto lower = info.LowerFrequency();
    const auto upper = info.UpperFrequency();
    if (!lower || !upper)
        return {};
    return MakeRangeText(static_cast<int>(*lower / kUnitsPerMHz), static_cast<int>(*upper / kUnitsPerMHz));
}

} // namespace

CDlgFactoryModel::CDlgFactoryModel(CFactoryContext& context)
    : QDialog(context.parent), m_context(context), m_settings(context.settings), m_info(context.data.RadioInfo())
{
    setObjectName(QStringLiteral("factoryModelDialog"));
    SetControlNumber(this, kForm);
    if (m_context.makeLink)
        m_link = m_context.makeLink();
    auto* layout = new QVBoxLayout(this);

    auto* tuneSwitch = new QGroupBox(Q(m_settings.GetText(kTuneSwitchGroup)), this);
    SetControlNumber(tuneSwitch, kTuneSwitchGroup);
    auto* switchRow = new QHBoxLayout(tuneSwitch);
    m_open = new QRadioButton(tuneSwitch);
    SetControlNumber(m_open, kSwitchOpen);
    m_close = new QRadioButton(tuneSwitch);
    SetControlNumber(m_close, kSwitchClose);
    m_close->setChecked(true); // a radio leaves the factory with the switch closed
    auto* writeSwitch = new QPushButton(tuneSwitch);
    SetControlNumber(writeSwitch, kWriteTuneSwitchButton);
    switchRow->addWidget(m_open);
    switchRow->addWidget(m_close);
    switchRow->addStretch(1);
    switchRow->addWidget(writeSwitch);
    layout->addWidget(tuneSwitch);

    auto* model = new QGroupBox(Q(m_settings.GetText(kModelGroup)), this);
    SetControlNumber(model, kModelGroup);
    auto* grid = new QGridLayout(model);
    int row = 0;
    m_name = AddEdit(*grid, row++, kModelNameLabel, kModelName, kModelNameWidth);
    m_band = AddCombo(*grid, row++, kBandFlagLabel, kBandFlag);
    m_rangeId = AddEdit(*grid, row++, kRangeIdLabel, kRangeId, 3);
    m_rangeId->setValidator(new QIntValidator(0, kMaxRangeId, m_rangeId));
    m_lower = AddEdit(*grid, row++, kLowerLabel, kLowerFrequency, kFrequencyWidth);
    m_upper = AddEdit(*grid, row++, kUpperLabel, kUpperFrequency, kFrequencyWidth);
    for (QLineEdit* edit : {m_lower, m_upper})
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\d{0,3}(\\.\\d{0,5})?$")), edit));
    m_signal = AddCombo(*grid, row++, kSignallingLabel, kSignallingType);
    m_serial = AddEdit(*grid, row++, kSerialNumberLabel, kSerialNumber, kSerialNumberWidth);
    m_firmware = AddEdit(*grid, row++, kFirmwareLabel, kFirmware, 0);
    m_modelId = AddEdit(*grid, row++, kModelIdLabel, kModelId, 0);
    // The factory write does not send the serial number: an edit would never reach the radio.
    for (QLineEdit* shownOnly : {m_serial, m_firmware, m_modelId})
        shownOnly->setReadOnly(true);
    // The voice language is not part of this radio's identity block.
    QComboBox* language = AddCombo(*grid, row, kLanguageLabel, kLanguage);
    language->hide();
    grid->itemAtPosition(row, 0)->widget()->hide();
    layout->addWidget(model);

    auto* buttons = new QHBoxLayout;
    auto* read = new QPushButton(this);
    SetControlNumber(read, kReadButton);
    auto* write = new QPushButton(this);
    SetControlNumber(write, kWriteButton);
    auto* close = new QPushButton(this);
    SetControlNumber(close, kCloseButton);
    buttons->addStretch(1);
    buttons->addWidget(read);
    buttons->addWidget(write);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    LocalizeWindow(*this, m_settings, kForm);
    EnableForLevel();
    LoadFields();

    for (QLineEdit* edit : {m_name, m_lower, m_upper})
        edit->installEventFilter(this);
    connect(writeSwitch, &QPushButton::clicked, this, &CDlgFactoryModel::WriteTuneSwitch);
    connect(read, &QPushButton::clicked, this, &CDlgFactoryModel::Read);
    connect(write, &QPushButton::clicked, this, &CDlgFactoryModel::Write);
    connect(close, &QPushButton::clicked, this, &CDlgFactoryModel::CloseDialog);
}

CDlgFactoryModel::~CDlgFactoryModel() = default;

QLineEdit* CDlgFactoryModel::AddEdit(QGridLayout& grid, int row, int label, int control, int width)
{
    auto* text = new QLabel(grid.parentWidget());
    SetControlNumber(text, label);
    auto* edit = new QLineEdit(grid.parentWidget());
    SetControlNumber(edit, control);
    if (width > 0)
        edit->setMaxLength(width);
    text->setBuddy(edit);
    grid.addWidget(text, row, 0);
    grid.addWidget(edit, row, 1);
    return edit;
}

QComboBox* CDlgFactoryModel::AddCombo(QGridLayout& grid, int row, int label, int control)
{
    auto* text = new QLabel(grid.parentWidget());
    SetControlNumber(text, label);
    auto* combo = new QComboBox(grid.parentWidget());
    SetControlNumber(combo, control);
    text->setBuddy(combo);
    grid.addWidget(text, row, 0);
    grid.addWidget(combo, row, 1);
    return combo;
}

void CDlgFactoryModel::EnableForLevel()
{
    const bool factory = m_settings.GetUserLevel() == CSettings::kFactoryLevel;
    for (QWidget* field : std::initializer_list<QWidget*>{m_band, m_rangeId, m_lower, m_upper, m_signal})
        field->setEnabled(factory);
}

void CDlgFactoryModel::LoadFields()
{
    m_name->setText(Q(m_info.ModelName()));
    SelectData(*m_band, m_info.BandFlag());
    const std::uint8_t rangeId = m_info.FrequencyRangeId();
    m_rangeId->setText(rangeId == kErased ? QString() : QString::number(rangeId));
    m_lower->setText(FrequencyField(m_info.LowerFrequency()));
    m_upper->setText(FrequencyField(m_info.UpperFrequency()));
    SelectData(*m_signal, m_info.SignallingType());
    m_serial->setText(Q(m_info.SerialNumber()));
    for (const QLineEdit* edit : {m_name, m_rangeId, m_lower, m_upper})
        m_shownText[edit] = edit->text();
    for (const QComboBox* combo : {m_band, m_signal})
        m_shownIndex[combo] = combo->currentIndex();
}

bool CDlgFactoryModel::Changed(const QLineEdit* edit) const
{
    const auto shown = m_shownText.find(edit);
    return shown == m_shownText.end() || shown->second != edit->text();
}

bool CDlgFactoryModel::Changed(const QComboBox* combo) const
{
    const auto shown = m_shownIndex.find(combo);
    return combo->currentIndex() >= 0 && (shown == m_shownIndex.end() || shown->second != combo->currentIndex());
}

void CDlgFactoryModel::StoreFields()
{
    // Only what the user changed: storing an erased field back would turn its 0xFF bytes into text padding.
    if (Changed(m_name) && !m_name->text().isEmpty())
        m_info.SetModelName(S(m_name->text()));
    if (Changed(m_band))
        m_info.SetBandFlag(static_cast<std::uint8_t>(m_band->currentData().toUInt()));
    if (Changed(m_rangeId) && m_rangeId->hasAcceptableInput())
        m_info.SetFrequencyRangeId(static_cast<std::uint8_t>(m_rangeId->text().toUInt()));
    if (const auto lower = UnitsOfText(m_lower->text()); Changed(m_lower) && InFactoryWindow(lower))
        m_info.SetLowerFrequency(*lower);
    if (const auto upper = UnitsOfText(m_upper->text()); Changed(m_upper) && InFactoryWindow(upper))
        m_info.SetUpperFrequency(*upper);
    if (Changed(m_signal))
        m_info.SetSignallingType(static_cast<std::uint8_t>(m_signal->currentData().toUInt()));
    // The fields now show what the block holds (a refused text gives way to the stored value).
    LoadFields();
}

void CDlgFactoryModel::Refuse(QLineEdit* edit, int message)
{
    ShowMessage(this, m_settings, message);
    // Back into the field once the focus change that is under way is over.
    QTimer::singleShot(0, edit, [edit] { edit->setFocus(Qt::OtherFocusReason); });
}

bool CDlgFactoryModel::CheckField(QLineEdit* edit)
{
    if (!Changed(edit))
        return true;
    if (edit == m_name && m_name->text().isEmpty()) {
        Refuse(edit, msg::kEmptyModelName);
        return false;
    }
    if ((edit == m_lower || edit == m_upper) && !InFactoryWindow(UnitsOfText(edit->text()))) {
        Refuse(edit, msg::kLimitOutsideWindow);
        return false;
    }
    return true;
}

bool CDlgFactoryModel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !m_checking) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking the focus (a message box among them) is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_checking = true;
            CheckField(static_cast<QLineEdit*>(watched));
            m_checking = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool CDlgFactoryModel::CheckBeforeWrite()
{
    if (m_name->text().isEmpty()) {
        Refuse(m_name, msg::kEmptyModelName);
        return false;
    }
    for (QLineEdit* edit : {m_lower, m_upper})
        if (!CheckField(edit))
            return false;
    const auto lower = UnitsOfText(m_lower->text());
    const auto upper = UnitsOfText(m_upper->text());
    if (lower && upper && *lower > *upper) {
        Refuse(m_lower, msg::kLowerAboveUpper);
        return false;
    }
    return true;
}

void CDlgFactoryModel::CloseDialog()
{
    m_checking = true; // the fields losing the focus as the dialog goes are not checked
    StoreFields();
    const auto ask = [this](int question) {
        return ShowMessage(this, m_settings, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    m_modelTaken = false;
    m_rangeTaken = false;
    m_signalTaken = false;
    const CDocumentIdentity& document = m_context.data.Identity();
    if (m_info.ModelName() != document.modelName) {
        m_modelTaken = ask(msg::kModelNameQuestion);
        if (!m_modelTaken)
            m_info.SetModelName(document.modelName);
    }
    if (const std::string range = RangeTextOf(m_info); !range.empty() && range != document.freqRange) {
        m_rangeTaken = ask(msg::kRangeQuestion);
        if (!m_rangeTaken)
            m_info.SetRangeLimits(document.LowerLimit(), document.UpperLimit());
    }
    if (m_info.SignallingType() != document.signal) {
        m_signalTaken = ask(msg::kSignalQuestion);
        if (!m_signalTaken)
            m_info.SetSignallingType(static_cast<std::uint8_t>(document.signal));
    }
    done(QDialog::Accepted);
}

void CDlgFactoryModel::reject()
{
    CloseDialog();
}

} // namespace qrv
