// The model and language dialogs as a user meets them: what they list, where
// they start, what a choice changes and what OK hands back.
#include "test_dialogs.h"

#include "dialogs/dlg_language.h"
#include "dialogs/dlg_model.h"
#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "test_support.h"
#include "ui_test_registry.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <initializer_list>

#include <string>
#include <vector>

namespace qrv {

namespace {

// Three identifiers: A with two names and two ranges, B with a gap in its
// ranges (Freq1 missing), C with no section at all.
constexpr const char* kCatalogue = "[Setting]\n"
                                   "ModelID=A,B,C\n"
                                   "A=Name1,Name2\n"
                                   "B=Name3\n"
                                   "C=Name4\n"
                                   "[A]\n"
                                   "Number=2\n"
                                   "Freq0=400, 470, 400, 470, 1\n"
                                   "Freq1=136, 174, 136, 174, 128\n"
                                   "[B]\n"
                                   "Number=3\n"
                                   "Freq0=350, 390, 350, 390, 2\n"
                                   "Freq2=450, 520, 450, 520, 3\n";

// A program directory with the shipped data, or with the catalogue above, on the given identity.
struct CFixture {
    test::CProgramDir program;
    CDocumentIdentity document = program.Settings().RememberedModel();

    CFixture() = default;
    CFixture(const std::string& modelDat, const std::string& id, const std::string& name, const std::string& range,
             int signal)
    {
        if (!modelDat.empty())
            test::WriteText(program.Path() / "Model.dat", modelDat);
        Identity(id, name, range, signal);
    }
    void Identity(const std::string& id, const std::string& name, const std::string& range, int signal)
    {
        document = {id, name, range, signal, CSettings::kProgramVersion};
    }
    CSettings& Settings() { return program.Settings(); }
};

QStringList Strings(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

QStringList Texts(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

QList<int> Data(const QComboBox& combo)
{
    QList<int> data;
    for (int i = 0; i < combo.count(); ++i)
        data << combo.itemData(i).toInt();
    return data;
}

// What the combo box does when the user picks an entry; false when there is no such entry.
bool Choose(QComboBox& combo, const QString& text)
{
    const int index = combo.findText(text, Qt::MatchExactly);
    if (index < 0)
        return false;
    combo.setCurrentIndex(index);
    emit combo.activated(index);
    return true;
}

QWidget* Numbered(const QWidget& root, int number)
{
    for (QWidget* widget : root.findChildren<QWidget*>())
        if (ControlNumber(widget) == number)
            return widget;
    return nullptr;
}

QString TextOf(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QStringLiteral("<no text control>");
}

// Runs the dialog modally and clicks one of its buttons as the user would.
int ExecAndClick(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    QTimer click;
    click.setSingleShot(true);
    QObject::connect(&click, &QTimer::timeout, &dialog, [&dialog, which] {
        if (auto* box = dialog.findChild<QDialogButtonBox*>())
            QTest::mouseClick(box->button(which), Qt::LeftButton);
    });
    // A click that closes nothing fails the test instead of hanging it.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, &dialog, [&dialog] { dialog.done(-1); });
    click.start(0);
    giveUp.start(5000);
    return dialog.exec();
}

} // namespace

void DialogsTest::ModelDialogIsLocalized()
{
    for (const int language : {0, 1}) {
        CFixture f;
        f.Settings().SelectLanguage(language);
        const CDlgModel dialog(f.Settings(), f.document);
        QCOMPARE(dialog.windowTitle(), QString::fromStdString(f.Settings().GetText(CDlgModel::kForm)));
        for (const int number : {CDlgModel::kModelNameLabel, CDlgModel::kRangeLabel, CDlgModel::kSignalLabel, kOkButton,
                                 kCancelButton, kHelpButton}) {
            const std::string expected = f.Settings().GetText(number);
            QVERIFY2(!expected.empty(), "the language file names every control of the dialog");
            QCOMPARE(TextOf(Numbered(dialog, number)), QString::fromStdString(expected));
        }
        QCOMPARE(Numbered(dialog, CDlgModel::kModelNameList), dialog.ModelNameList());
        QCOMPARE(Numbered(dialog, CDlgModel::kRangeList), dialog.RangeList());
        QCOMPARE(Numbered(dialog, CDlgModel::kSignalList), dialog.SignalList());
        // The signalling list is the language file's list, with the entry numbers as item data.
        QStringList texts;
        QList<int> numbers;
        for (const CComboLine& line : f.Settings().FillCombo(CDlgModel::kSignalList)) {
            texts << QString::fromStdString(line.text);
            numbers << static_cast<int>(line.data);
        }
        QCOMPARE(texts.size(), 4);
        QCOMPARE(Texts(*dialog.SignalList()), texts);
        QCOMPARE(Data(*dialog.SignalList()), numbers);
    }
    CFixture english;
    const CDlgModel dialog(english.Settings(), english.document);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Model"));
    QCOMPARE(dialog.SignalList()->itemText(0), QStringLiteral("None"));
}

void DialogsTest::ModelDialogListsTheCatalogue()
{
    // The shipped Model.dat: one identifier with three names and three ranges.
    CFixture shipped;
    const CDlgModel model(shipped.Settings(), shipped.document);
    QCOMPARE(Texts(*model.ModelNameList()), Strings({"QL-210", "QL-220", "QL-230"}));
    QCOMPARE(Texts(*model.RangeList()), Strings({"400-470", "136-174", "350-390"}));
    QCOMPARE(Data(*model.RangeList()), (QList<int>{1, 128, 2}));
    QCOMPARE(model.RangeCount(), 3);

    // Names in the order of the identifiers, then of each identifier's list;
    // ranges of the current identifier only, a missing key skipped.
    CFixture own(kCatalogue, "B", "Name3", "450-520", 0);
    const CDlgModel b(own.Settings(), own.document);
    QCOMPARE(Texts(*b.ModelNameList()), Strings({"Name1", "Name2", "Name3", "Name4"}));
    QCOMPARE(Texts(*b.RangeList()), Strings({"350-390", "450-520"}));
    QCOMPARE(Data(*b.RangeList()), (QList<int>{2, 3}));
    QCOMPARE(b.RangeCount(), 3);
    QCOMPARE(b.RangeList()->currentIndex(), 1);
}

void DialogsTest::ModelDialogStartsOnTheCurrentValues()
{
    struct Case {
        const char* name;
        const char* range;
        int signal;
        int nameIndex;
        int rangeIndex;
        int signalIndex;
        const char* confirmedName;
        const char* confirmedRange;
    };
    const Case cases[] = {
        {"QL-210", "400-470", 0, 0, 0, 0, "QL-210", "400-470"},
        {"QL-230", "350-390", 3, 2, 2, 3, "QL-230", "350-390"},
        {"QL-220", "136-174", 2, 1, 1, 2, "QL-220", "136-174"},
        // The lists search by prefix: the first entry that begins with the value.
        {"QL-2", "136", 1, 0, 1, 1, "QL-210", "136-174"},
        // Nothing matches: no name; the first range is shown, and OK takes it (never an empty range).
        {"Other", "999-1000", 1, -1, 0, 1, "", "400-470"},
        // A signal without a text: the empty prefix matches the first entry.
        {"QL-210", "400-470", 9, 0, 0, 0, "QL-210", "400-470"},
    };
    for (const Case& c : cases) {
        CFixture f;
        f.Identity("QL210", c.name, c.range, c.signal);
        CDlgModel dialog(f.Settings(), f.document);
        const QByteArray row = QByteArray(c.name) + ' ' + c.range;
        QVERIFY2(dialog.ModelNameList()->currentIndex() == c.nameIndex, row.constData());
        QVERIFY2(dialog.RangeList()->currentIndex() == c.rangeIndex, row.constData());
        QVERIFY2(dialog.SignalList()->currentIndex() == c.signalIndex, row.constData());
        // Until the user does something the dialog holds the current values.
        QCOMPARE(dialog.ModelID(), std::string("QL210"));
        QCOMPARE(dialog.ModelName(), std::string(c.name));
        QCOMPARE(dialog.FreqRange(), std::string(c.range));
        QCOMPARE(dialog.Signal(), c.signal);

        dialog.Confirm();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ModelID(), std::string("QL210"));
        QCOMPARE(dialog.ModelName(), std::string(c.confirmedName));
        QCOMPARE(dialog.FreqRange(), std::string(c.confirmedRange));
        QCOMPARE(dialog.Signal(), dialog.SignalList()->itemData(c.signalIndex).toInt());
    }
}

void DialogsTest::AnotherIdentifierRefillsTheRanges()
{
    CFixture f(kCatalogue, "A", "Name1", "136-174", 1);
    CDlgModel dialog(f.Settings(), f.document);
    QCOMPARE(Texts(*dialog.RangeList()), Strings({"400-470", "136-174"}));
    QCOMPARE(dialog.RangeList()->currentIndex(), 1);
    QCOMPARE(dialog.SignalList()->currentIndex(), 1);

    QVERIFY(Choose(*dialog.ModelNameList(), QStringLiteral("Name3")));
    QCOMPARE(dialog.ModelID(), std::string("B"));
    QCOMPARE(dialog.ModelName(), std::string("Name3"));
    QCOMPARE(dialog.RangeCount(), 3);
    QCOMPARE(Texts(*dialog.RangeList()), Strings({"350-390", "450-520"}));
    QCOMPARE(dialog.RangeList()->currentIndex(), 0);
    QCOMPARE(dialog.FreqRange(), std::string("350-390"));
    // A new model starts on the first signalling entry.
    QCOMPARE(dialog.SignalList()->currentIndex(), 0);
    QCOMPARE(dialog.Signal(), 0);
    QVERIFY(dialog.SignalList()->isEnabled());

    QVERIFY(Choose(*dialog.RangeList(), QStringLiteral("450-520")));
    QCOMPARE(dialog.FreqRange(), std::string("450-520"));
    QVERIFY(Choose(*dialog.SignalList(), dialog.SignalList()->itemText(3)));
    QCOMPARE(dialog.Signal(), 3);

    dialog.Confirm();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.ModelID(), std::string("B"));
    QCOMPARE(dialog.ModelName(), std::string("Name3"));
    QCOMPARE(dialog.FreqRange(), std::string("450-520"));
    QCOMPARE(dialog.Signal(), 3);
}

void DialogsTest::AnotherNameOfTheSameIdentifierKeepsTheRanges()
{
    CFixture f(kCatalogue, "A", "Name1", "136-174", 0);
    CDlgModel dialog(f.Settings(), f.document);
    QVERIFY(Choose(*dialog.ModelNameList(), QStringLiteral("Name2")));
    QCOMPARE(dialog.ModelID(), std::string("A"));
    QCOMPARE(dialog.ModelName(), std::string("Name2"));
    QCOMPARE(Texts(*dialog.RangeList()), Strings({"400-470", "136-174"}));
    QCOMPARE(dialog.RangeList()->currentIndex(), 1);
    QCOMPARE(dialog.FreqRange(), std::string("136-174"));
    QCOMPARE(dialog.SignalList()->currentIndex(), 0);

    dialog.Confirm();
    QCOMPARE(dialog.ModelID(), std::string("A"));
    QCOMPARE(dialog.ModelName(), std::string("Name2"));
    QCOMPARE(dialog.FreqRange(), std::string("136-174"));
    QCOMPARE(dialog.Signal(), 0);
}

void DialogsTest::AModelWithoutRangesFallsBack()
{
    // C has no section; D has a section whose count promises ranges it lacks.
    const std::string catalogue = std::string(kCatalogue) + "[D]\nNumber=2\n";
    const std::string withD = "[Setting]\nModelID=A,D\nA=Name1\nD=Name5\n" + catalogue.substr(catalogue.find("[A]"));
    struct Case {
        std::string modelDat;
        const char* startId;
        const char* startName;
        const char* chosenName; // nullptr: start on the model without ranges
        const char* expectedId;
    };
    const Case cases[] = {
        {catalogue, "C", "Name4", nullptr, "C"},
        {catalogue, "A", "Name1", "Name4", "C"},
        {withD, "D", "Name5", nullptr, "D"},
        {withD, "A", "Name1", "Name5", "D"},
    };
    for (const Case& c : cases) {
        CFixture f(c.modelDat, c.startId, c.startName, "", 0);
        CDlgModel dialog(f.Settings(), f.document);
        if (c.chosenName != nullptr)
            QVERIFY(Choose(*dialog.ModelNameList(), QString::fromLatin1(c.chosenName)));
        QCOMPARE(Texts(*dialog.RangeList()), QStringList{QStringLiteral("136-174")});
        QCOMPARE(Data(*dialog.RangeList()), QList<int>{0x80});
        dialog.Confirm();
        QCOMPARE(dialog.ModelID(), std::string(c.expectedId));
        QCOMPARE(dialog.FreqRange(), std::string("136-174"));
    }
}

void DialogsTest::WithoutTheSettingSectionTheNameIsEmpty()
{
    CFixture f("[QL210]\nNumber=1\nFreq0=400, 470, 400, 470, 1\n", "QL210", "QL-210", "400-470", 0);
    CDlgModel dialog(f.Settings(), f.document);
    QCOMPARE(dialog.ModelNameList()->count(), 0);
    QCOMPARE(Texts(*dialog.RangeList()), QStringList{QStringLiteral("400-470")});
    dialog.Confirm();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.ModelName(), std::string());
    QCOMPARE(dialog.ModelID(), std::string("QL210"));
    QCOMPARE(dialog.FreqRange(), std::string("400-470"));
}

void DialogsTest::ThePerModelValueDisablesTheSignalling()
{
    for (const bool disabled : {false, true}) {
        CFixture f;
        const auto language = f.program.Path() / "QRV_E.lng";
        std::string text = test::ReadText(language);
        const std::string key = "S0001076=0";
        const auto at = text.find(key);
        QVERIFY(at != std::string::npos);
        text.replace(at, key.size(), disabled ? "S0001076=1" : key);
        test::WriteText(language, text);
        f.program.Reopen();
        f.Identity("QL210", "QL-210", "400-470", 2);

        CDlgModel dialog(f.Settings(), f.document);
        QCOMPARE(dialog.SignalList()->isEnabled(), !disabled);
        QCOMPARE(dialog.ModelNameList()->isEnabled(), true);
        QVERIFY(Choose(*dialog.ModelNameList(), QStringLiteral("QL-220")));
        QCOMPARE(dialog.SignalList()->isEnabled(), !disabled);
        QCOMPARE(dialog.SignalList()->currentIndex(), 0);
        QCOMPARE(dialog.Signal(), 0);
    }
}

void DialogsTest::ModelDialogButtons()
{
    CFixture f;
    {
        // OK takes the name shown for the prefix, and the range the user chose.
        f.Identity("QL210", "QL-2", "136", 0);
        CDlgModel dialog(f.Settings(), f.document);
        QVERIFY(Choose(*dialog.RangeList(), QStringLiteral("350-390")));
        QCOMPARE(ExecAndClick(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        QCOMPARE(dialog.ModelName(), std::string("QL-210"));
        QCOMPARE(dialog.FreqRange(), std::string("350-390"));
    }
    {
        CDlgModel dialog(f.Settings(), f.document);
        QCOMPARE(ExecAndClick(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
    }
}

void DialogsTest::LanguageDialogListsTheLanguages()
{
    for (const int language : {0, 1}) {
        CFixture f;
        f.Settings().SelectLanguage(language);
        const CDlgLanguage dialog(f.Settings());
        QCOMPARE(dialog.windowTitle(), QString::fromStdString(f.Settings().GetText(CDlgLanguage::kForm)));
        QCOMPARE(TextOf(Numbered(dialog, CDlgLanguage::kLanguageLabel)),
                 QString::fromStdString(f.Settings().GetText(CDlgLanguage::kLanguageLabel)));
        QCOMPARE(Numbered(dialog, CDlgLanguage::kLanguageList), dialog.LanguageList());
        QStringList expected;
        for (const std::string& name : f.Settings().GetList(CDlgLanguage::kLanguageList))
            expected << QString::fromStdString(name);
        QCOMPARE(expected.size(), 2);
        QCOMPARE(Texts(*dialog.LanguageList()), expected);
        // The dialog's positions are the indexes of the language selection.
        QStringList selectable;
        for (const std::string& name : f.Settings().LanguageList())
            selectable << QString::fromStdString(name);
        QCOMPARE(Texts(*dialog.LanguageList()), selectable);
        QCOMPARE(dialog.LanguageList()->currentIndex(), language);
        QCOMPARE(dialog.LanguageIndex(), language);
    }
}

void DialogsTest::LanguageDialogReturnsOnlyAChange()
{
    struct Case {
        int current;
        int chosen; // -1: nothing selected
        int result;
        int index;
    };
    for (const Case c :
         {Case{0, 1, QDialog::Accepted, 1}, Case{1, 0, QDialog::Accepted, 0}, Case{0, 0, QDialog::Rejected, 0},
          Case{1, 1, QDialog::Rejected, 1}, Case{0, -1, QDialog::Rejected, 0}}) {
        CFixture f;
        f.Settings().SelectLanguage(c.current);
        CDlgLanguage dialog(f.Settings());
        dialog.LanguageList()->setCurrentIndex(c.chosen);
        dialog.Confirm();
        const QByteArray row = QByteArray::number(c.current) + " -> " + QByteArray::number(c.chosen);
        QVERIFY2(dialog.result() == c.result, row.constData());
        QVERIFY2(dialog.LanguageIndex() == c.index, row.constData());
    }
}

void DialogsTest::LanguageDialogButtons()
{
    CFixture f;
    {
        CDlgLanguage dialog(f.Settings());
        dialog.LanguageList()->setCurrentIndex(1);
        QCOMPARE(ExecAndClick(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        QCOMPARE(dialog.LanguageIndex(), 1);
    }
    {
        CDlgLanguage dialog(f.Settings());
        dialog.LanguageList()->setCurrentIndex(1);
        QCOMPARE(ExecAndClick(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
    }
}

namespace {

// A numeric edit as the editors have them: it keeps the range it is given.
class CRangeRecorder : public QLineEdit, public CRangedEdit {
public:
    using QLineEdit::QLineEdit;
    void SetRange(const CRangeItem& range) override { taken = range; }
    std::optional<CRangeItem> taken;
};

} // namespace

void DialogsTest::LocalizeWindowFillsEveryKindOfControl()
{
    constexpr int kWindow = 500; // the test language file's window, with its controls 501-509
    test::CProgramDir program;
    test::WriteText(program.Path() / "QRV_E.lng", "[Setting]\nLanguage=English\nLanguageList=English\n"
                                                  "S0200500=Window caption\nS0200501=A label\nS0200502=A button\n"
                                                  "S0200503=0.Off;1.On;5:5:15:1:2:1:0\n"
                                                  "S0200504=0.Off;1.On;5:5:15:1:2:1:0\n"
                                                  "S0200505=0:5:20:10:0:1:1\nS0200507=not a range\n"
                                                  "[QL210]\nS0000503=1\nS0000509=1\n");
    CSettings& settings = program.Reopen();
    QWidget window;
    auto* label = new QLabel(QStringLiteral("template"), &window);
    auto* button = new QPushButton(QStringLiteral("template"), &window);
    auto* combo = new QComboBox(&window);
    auto* list = new QListWidget(&window);
    auto* ranged = new CRangeRecorder(&window);
    auto* unranged = new CRangeRecorder(&window);
    auto* untexted = new QLabel(QStringLiteral("kept"), &window);
    auto* inner = new QWidget(&window);
    auto* nested = new QLabel(inner);
    const std::pair<QWidget*, int> numbers[] = {{label, 501},  {button, 502},   {combo, 503},    {list, 504},
                                                {ranged, 505}, {unranged, 507}, {untexted, 506}, {nested, 509}};
    for (const auto& [widget, number] : numbers)
        SetControlNumber(widget, number);

    LocalizeWindow(window, settings, kWindow);
    QCOMPARE(window.windowTitle(), QStringLiteral("Window caption"));
    QCOMPARE(label->text(), QStringLiteral("A label"));
    QCOMPARE(button->text(), QStringLiteral("A button"));
    QCOMPARE(untexted->text(), QStringLiteral("kept")); // no text: the template's stays
    // A combo box takes named and range items, each with its number as data.
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->itemText(2), QStringLiteral("5"));
    QCOMPARE(combo->itemData(4).toLongLong(), 4LL);
    // A list box takes the named items only, and a second localising does not double them.
    LocalizeWindow(window, settings, kWindow);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("On"));
    QCOMPARE(list->item(1)->data(Qt::UserRole).toLongLong(), 1LL);
    QVERIFY(ranged->taken.has_value());
    QCOMPARE(ranged->taken->end, 20LL);
    QCOMPARE(ranged->taken->divisor, 10LL);
    QCOMPARE(ranged->taken->decimals, 1LL);
    QVERIFY(!unranged->taken.has_value());
    // The per-model value disables a control at any depth, and only that one.
    QVERIFY(!combo->isEnabled());
    QVERIFY(!nested->isEnabled());
    QVERIFY(inner->isEnabled());
    QVERIFY(label->isEnabled());
}

void DialogsTest::Screenshots()
{
    QDir().mkpath(QStringLiteral(QRV_SCREENSHOT_DIR));
    for (const int language : {0, 1}) {
        CFixture f;
        f.Settings().SelectLanguage(language);
        const QString suffix = language == 0 ? QStringLiteral("en") : QStringLiteral("zh");
        CDlgModel model(f.Settings(), f.document);
        model.show();
        QVERIFY(model.grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/model_dialog_%1.png").arg(suffix)));
        CDlgLanguage language_dialog(f.Settings());
        language_dialog.show();
        QVERIFY(language_dialog.grab().save(QStringLiteral(QRV_SCREENSHOT_DIR "/language_dialog_%1.png").arg(suffix)));
    }
}

QRV_REGISTER_UI_TEST(DialogsTest);

} // namespace qrv
