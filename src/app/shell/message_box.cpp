#include "shell/message_box.h"

#include "radio_data/model_catalog.h"

#include "presentation/message_kinds.h"
#include "radio_data/messages.h"
#include "radio_data/read_failure.h"
#include "radio_data/save_failure.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

namespace qrv {

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::StandardButton Show(QWidget* parent, const CSettings& settings, int number, const QString& text,
                                 QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    if (Handler())
        return Handler()(number, text);
    QMessageBox box(icon, Q(settings.GetText(msg::kMainCaption)), text, buttons, parent);
    // A file name or folder in a message can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::Icon IconOf(int number)
{
    switch (KindOfMessage(number)) {
    case MessageKind::Success:
        return QMessageBox::Information;
    case MessageKind::Failure:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    Handler() = std::move(handler);
}

QMessageBox::StandardButton ShowMessage(QWidget* parent, const CSettings& settings, int number,
                                        QMessageBox::StandardButtons buttons, const QString& argument)
{
    // Formatted even without an argument, so that no "%s" is ever shown.
    std::string text = settings.GetMessage(number);
    bool isNumber = false;
    const long long value = argument.toLongLong(&isNumber);
    text = isNumber && text.find("%d") != std::string::npos ? FormatMessageNumber(text, value)
                                                            : FormatMessageText(text, S(argument));
    return Show(parent, settings, number, Q(text), buttons, IconOf(number));
}

QMessageBox::StandardButton ShowMessageText(QWidget* parent, const CSettings& settings, int number,
                                            const std::string& text)
{
    return Show(parent, settings, number, Q(text), QMessageBox::Ok, IconOf(number));
}

QMessageBox::StandardButton ShowText(QWidget* parent, const CSettings& settings, const QString& text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    return Show(parent, settings, 0, text, buttons, icon);
}

void ShowReadFailure(QWidget* parent, const CSettings& settings, const std::string& file, EReadFailure failure)
{
    const CReadFailureMessage why = DescribeReadFailure(file, failure);
    ShowMessage(parent, settings, why.message, QMessageBox::Ok, Q(why.argument));
}

bool SavedOrSaid(QWidget* parent, const CSettings& settings, const std::string& file, const CSaveResult& saved)
{
    if (saved)
        return true;
    const CSaveFailureMessage why = DescribeSaveFailure(file, saved);
    ShowMessage(parent, settings, why.message, QMessageBox::Ok, Q(why.argument));
    return false;
}

std::function<bool(int lower, int upper)> AskNewRange(QWidget* parent, const CSettings& settings)
{
    return [parent, &settings](int lower, int upper) {
        return ShowText(parent, settings,
                        QString::fromStdString(NewRangeQuestion(settings.LanguageIndex(), lower, upper)),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Information) == QMessageBox::Yes;
    };
}

} // namespace qrv
