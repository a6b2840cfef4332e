#pragma once
// Every field of every record of the codeplug, decoded and shown with the
// language file's texts, as text for people and as JSON for scripts.
#include <QJsonObject>

#include <string>

namespace qrv::cli {

class CCliContext;

QJsonObject DumpJson(CCliContext& context);
std::string DumpText(CCliContext& context);

} // namespace qrv::cli
