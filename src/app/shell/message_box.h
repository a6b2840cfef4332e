#pragma once
// Every message box of the program: the text is the language file's S01
// message, the caption the main window's caption (S02 00128), and the icon
// says what the message tells: success, warning or failure. Tests answer
// boxes through a handler instead of a screen.
#include "util/atomic_file.h"
#include "util/file_read.h"

#include <QMessageBox>

#include <functional>
#include <string>

namespace qrv {

class CSettings;

using MessageBoxHandler = std::function<QMessageBox::StandardButton(int number, const QString& text)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

QMessageBox::StandardButton ShowMessage(QWidget* parent, const CSettings& settings, int number,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        const QString& argument = {});
// The same for a message whose text the program has composed already.
QMessageBox::StandardButton ShowMessageText(QWidget* parent, const CSettings& settings, int number,
                                            const std::string& text);
// The same for a text the program makes itself (the new-range question).
QMessageBox::StandardButton ShowText(QWidget* parent, const CSettings& settings, const QString& text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::Icon icon);
// Why the file (as the user named it) could not be read.
void ShowReadFailure(QWidget* parent, const CSettings& settings, const std::string& file, EReadFailure failure);
// Whether the file was saved; when not, after the message that says why.
bool SavedOrSaid(QWidget* parent, const CSettings& settings, const std::string& file, const CSaveResult& saved);
// The question whether to take a radio's new frequency range (true for Yes).
std::function<bool(int lower, int upper)> AskNewRange(QWidget* parent, const CSettings& settings);

} // namespace qrv
