#pragma once
// What a message tells the user, which decides the icon of its box.
namespace qrv {

enum class MessageKind {
    Success, // the information icon
    Warning, // the warning icon: a value adjusted, a question before a change, a file left out
    Failure, // the critical icon: what was asked for did not happen
};

MessageKind KindOfMessage(int number);

} // namespace qrv
