#pragma once
// The language file's texts are UTF-8; widgets take QString.
#include <QString>

#include <string>

namespace qrv {

inline QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

inline std::string S(const QString& text)
{
    return text.toStdString();
}

} // namespace qrv
