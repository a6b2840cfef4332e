#pragma once
// What the editor tests share: a program directory with the shipped data at a
// user level, the default codeplug loaded, an editor context, the message
// boxes and notifications the editors produced, an editor window on it, a
// user's choices and typing, rows of data-driven tests, and channels with odd
// but legal contents.
#include "editors/common/editor_context.h"
#include "editors/common/editor_view.h"
#include "radio_data/messages.h"
#include "radio_data/model_catalog.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_link.h"
#include "records/channel_data.h"
#include "records/personality_data.h"
#include "session/codeplug_session.h"
#include "shell/localize_window.h"
#include "shell/message_box.h"
#include "sim_byte_port.h"
#include "sim_radio.h"
#include "test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qrv::test {

using Bytes = std::vector<std::uint8_t>;

// The widget of that control number under root (nullptr when none).
template <typename T> T* Control(const QWidget& root, int number)
{
    for (T* widget : root.findChildren<T*>())
        if (ControlNumber(widget) == number)
            return widget;
    return nullptr;
}

inline Bytes BytesAt(const Image& image, std::size_t offset, std::size_t size)
{
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(offset);
    return Bytes(begin, begin + static_cast<std::ptrdiff_t>(size));
}

inline Image WithBytes(Image image, std::size_t offset, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

inline Bytes Hex(const char* text)
{
    const QByteArray bytes = QByteArray::fromHex(text);
    return Bytes(bytes.begin(), bytes.end());
}

// The message boxes shown while it lives, answered by the test and recorded.
struct CMessageRecorder {
    std::vector<int> messages;
    QStringList texts; // of the messages, in order
    QMessageBox::StandardButton answer = QMessageBox::Yes;

    CMessageRecorder()
    {
        SetMessageBoxHandler([this](int number, const QString& text) {
            messages.push_back(number);
            texts.push_back(text);
            return answer;
        });
    }
    ~CMessageRecorder() { SetMessageBoxHandler(nullptr); }
    CMessageRecorder(const CMessageRecorder&) = delete;
    CMessageRecorder& operator=(const CMessageRecorder&) = delete;
};

// The settings of the model at a user level and range, as Settings.ini holds them.
inline void WriteSettings(const CProgramDir& program, int userLevel, const std::string& range)
{
    WriteText(program.Path() / "Settings.ini", "[Setting]\nModelName=QL-210\nModelID=QL210\nFreqRange=" + range +
                                                   "\n[User Mode]\nLevel=" + std::to_string(userLevel) + "\n");
}

struct CEditorFixture : CMessageRecorder {
    CProgramDir program;
    std::unique_ptr<CCodeplugSession> files;
    CRadioData* data = nullptr;
    std::unique_ptr<CEditorContext> context;
    std::vector<CNotification> notifications;

    explicit CEditorFixture(int userLevel = 0, const std::string& range = "400-470")
    {
        WriteSettings(program, userLevel, range);
        CSettings& settings = program.Reopen();
        files = std::make_unique<CCodeplugSession>(settings);
        data = &files->Data();
        // A fixed stamp: two fixtures made a second apart load the same bytes.
        std::tm stamp{};
        stamp.tm_year = 2011 - 1900;
        stamp.tm_mon = 2;
        stamp.tm_mday = 5;
        files->LoadDefaultImage(stamp);
        context = std::make_unique<CEditorContext>(*data, settings);
        QObject::connect(context.get(), &CEditorContext::Notified,
                         [this](const CNotification& n, QObject*) { notifications.push_back(n); });
    }

    CSettings& Settings() { return program.Settings(); }
    CFreqRangeList& Ranges() { return files->Ranges(); }

    // A radio of the settings' model and range, holding the current codeplug,
    // that the editors reach through the context (as the "Simulated radio" port).
    sim::CSimRadio& Radio()
    {
        if (!radio) {
            sim::CSimIdentity identity;
            const CDocumentIdentity& document = data->Identity();
            identity.modelName = document.modelName;
            identity.modelId = Settings().GetModelText(msg::kAcceptedModelId);
            identity.range = sim::CSimIdentity::RangeBlock(Ranges().FlagsOf(document.freqRange), document.LowerLimit(),
                                                           document.UpperLimit());
            radio = std::make_unique<sim::CSimRadio>(identity);
            radio->Memory() = Stored();
            context->SetRadioAccess(
                [this] { return std::make_unique<CRadioLink>(std::make_unique<sim::CSimBytePort>(*radio)); },
                [] {
                    return CPortChoice{"sim", {}};
                });
        }
        return *radio;
    }
    std::unique_ptr<sim::CSimRadio> radio;
    // The image as a save or a write would produce it now.
    Image Stored()
    {
        Image image{};
        data->StoreToImage(image);
        return image;
    }
    Bytes StoredAt(std::size_t offset, std::size_t size) { return BytesAt(Stored(), offset, size); }
    // Bytes put into the codeplug before a window opens.
    void Load(std::size_t offset, const Bytes& bytes) { data->LoadFromImage(WithBytes(Stored(), offset, bytes)); }
    // The view hears the notifications as the main window passes them on.
    void Hear(CEditorView& view) const
    {
        QObject::connect(context.get(), &CEditorContext::Notified, &view,
                         [v = &view](const CNotification& n, QObject* origin) { v->OnNotification(n, origin); });
    }
    bool Heard(CNotification::Kind kind, std::uint32_t value) const
    {
        return std::any_of(notifications.begin(), notifications.end(),
                           [&](const CNotification& n) { return n.kind == kind && n.data == value; });
    }
};

// A user typing over an edit's text (nothing empties it) and leaving it with Enter.
inline void TypeInto(QLineEdit& edit, const QString& text)
{
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
    QTest::keyClick(&edit, Qt::Key_Return);
}

// A user's step on a control: picks the entry with that text in a combo
// (types it into an editable one), types the text into an edit, clicks a
// button. False when the control is missing or disabled, or the combo has no
// such entry.
inline bool Act(QWidget* control, const char* text = nullptr)
{
    if (control == nullptr || !control->isEnabled())
        return false;
    auto* combo = qobject_cast<QComboBox*>(control);
    if (combo != nullptr && !combo->isEditable()) {
        const int index = combo->findText(QString::fromUtf8(text));
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else if (auto* edit = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(control)) {
        TypeInto(*edit, QString::fromUtf8(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
    }
    return true;
}

// The step on the numbered control under root.
inline bool Act(const QWidget& root, int number, const char* text = nullptr)
{
    return Act(Control<QWidget>(root, number), text);
}

// What a control shows: a combo's or an edit's text, a check box's state.
inline QString ShownText(const QWidget& control)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return combo->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return edit->text();
    const auto* button = qobject_cast<const QAbstractButton*>(&control);
    return button != nullptr && button->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
}

using ViewMaker = std::function<std::unique_ptr<CEditorView>(CEditorContext&)>;

template <typename View, typename... Args> ViewMaker MakeView(Args... args)
{
    return [=](CEditorContext& context) { return std::make_unique<View>(context, args...); };
}

// An editor window on the fixture's codeplug, hearing the notifications as
// the main window passes them on: made by the maker, or a View of a record table at a position.
template <typename View = CEditorView> struct CViewFixture : CEditorFixture {
    ViewMaker make;
    std::unique_ptr<View> view;

    explicit CViewFixture(int level = 0, ViewMaker maker = {}) : CEditorFixture(level), make(std::move(maker)) {}

    View& Open(int position = 0)
    {
        if constexpr (std::is_abstract_v<View>)
            view = make(*context);
        else
            view = std::make_unique<View>(*context, position);
        Hear(*view);
        return *view;
    }
    // The window closed and opened again on what it stored.
    View& Reopen(int position = 0)
    {
        view->StorePages();
        view.reset();
        return Open(position);
    }
    template <typename T = QComboBox> T* Find(int number) const { return Control<T>(*view, number); }
    bool Act(int number, const char* text = nullptr) const { return test::Act(*view, number, text); }
};

// A data-driven test's rows: one column holding the row, named by its name field.
// Qt knows a row type by its name, so each file's row types need names of their own.
template <typename Row, std::size_t N> void AddRows(const Row (&rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::newRow(row.name) << row;
}

inline std::size_t ChannelByte(int channel, int offset)
{
    return CChannelData::kTableStart + CChannelData::kRecordSize * static_cast<std::size_t>(channel) +
           static_cast<std::size_t>(offset);
}

// A second personality and channels a file may hold: every tone type, tone
// bits no control edits, a receive-only channel on the 5 kHz raster, the range
// limits, extended tones and codes outside the table, flags beside auto start
// scan, the second and a missing personality, a step code off the raster.
inline Image WithOddChannels(Image image)
{
    struct CPut {
        int channel, offset;
        Bytes bytes;
    };
    const CPut puts[] = {
        {0, 12, {0x6B, 0xC0, 0xBC, 0x2A}}, // CDCSS invert 754 without bit 12, none with stray bits
        {0, 17, {0x12, 0x00, 0xBF}},       // 25 kHz, low, every flag but auto start scan
        {1, 4, {0x00, 0x05, 0x10, 0x44, 0xFF, 0xFF, 0xFF, 0xFF}}, // 441.005 receive only
        {1, 16, {0xF2}},
        {2, 18, {0x01, 0x40}},                                    // the second personality, auto start scan
        {3, 4, {0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x47}}, // 400 and 470 MHz
        {4, 12, {0x01, 0x80, 0x01, 0x40}},                        // extended 017 and 63.0 without bit 12
        {5, 18, {0x05}},                                          // no such personality
        {6, 12, {0x0E, 0xD0, 0x0E, 0x50}},                        // CDCSS invert 026 with bit 12
        {7, 4, {0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x44}}, // on both rasters, with 5 kHz step codes
        {7, 16, {0x22}},
        {8, 4, {0x00, 0x05, 0x60, 0x44}}, // 446.005 with the 6.25 kHz step code
        {9, 12, {0xFF, 0x70}},            // a CTCSS code outside the table
    };
    for (const CPut& put : puts)
        image = WithBytes(image, ChannelByte(put.channel, put.offset), put.bytes);
    const auto& personality = CPersonalityData::kDefaultRecord;
    return WithBytes(image, CPersonalityData::kTableStart + CPersonalityData::kRecordSize,
                     Bytes(personality.begin(), personality.end()));
}

} // namespace qrv::test
