#pragma once
// Writes the dump's sections and fields once, into a JSON tree and a text
// listing at the same time, so the two outputs never disagree.
#include "radio_data/settings.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>
#include <string>
#include <vector>

namespace qrv::cli {

class CDumpWriter {
public:
    explicit CDumpWriter(const CSettings& settings) : m_settings(settings) {}

    // A field shown through a value list: {"value": n, "text": "..."}.
    void Listed(const char* key, int caption, int list, long long value);
    // A plain number, a text, a flag, or a number that may be absent (null).
    void Number(const char* key, int caption, long long value);
    void Text(const char* key, int caption, const std::string& value);
    void Flag(const char* key, int caption, bool value);
    void OptionalNumber(const char* key, int caption, std::optional<long long> value);
    void Raw(const char* key, const std::vector<std::uint8_t>& bytes);
    void Json(const char* key, const QJsonValue& value) { m_object[QString::fromLatin1(key)] = value; }

    // Ends the current object: returns it and starts a new one.
    QJsonObject Take();
    // Section and record headings of the text listing.
    void Heading(const std::string& title);
    void SubHeading(const std::string& title);
    void Line(const std::string& caption, const std::string& value);

    const std::string& TextOutput() const { return m_text; }
    std::string Caption(int number, const char* fallback) const;

private:
    const CSettings& m_settings;
    QJsonObject m_object;
    std::string m_text;
    std::string m_indent;
};

QString Q(const std::string& s);
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

} // namespace qrv::cli
