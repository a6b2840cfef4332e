#include "dump_writer.h"

#include "util/text_format.h"

namespace qrv::cli {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out.push_back(' ');
        out += Format("%02X", bytes[i]);
    }
    return out;
}

std::string CDumpWriter::Caption(int number, const char* fallback) const
{
    std::string caption = number > 0 ? m_settings.GetText(number) : std::string();
    // A caption must be a plain text, not a value list.
    if (caption.empty() || caption.find(';') != std::string::npos)
        caption = fallback;
    return caption;
}

void CDumpWriter::Listed(const char* key, int caption, int list, long long value)
{
    const std::string text = m_settings.GetItemText(list, value);
    QJsonObject field;
    field[QStringLiteral("value")] = static_cast<qint64>(value);
    field[QStringLiteral("text")] = Q(text);
    m_object[QString::fromLatin1(key)] = field;
    Line(Caption(caption, key), text.empty() ? Format("(%lld)", value) : text);
}

void CDumpWriter::Number(const char* key, int caption, long long value)
{
    m_object[QString::fromLatin1(key)] = static_cast<qint64>(value);
    Line(Caption(caption, key), std::to_string(value));
}

void CDumpWriter::Text(const char* key, int caption, const std::string& value)
{
    m_object[QString::fromLatin1(key)] = Q(value);
    Line(Caption(caption, key), value);
}

void CDumpWriter::Flag(const char* key, int caption, bool value)
{
    m_object[QString::fromLatin1(key)] = value;
    Line(Caption(caption, key), value ? "on" : "off");
}

void CDumpWriter::OptionalNumber(const char* key, int caption, std::optional<long long> value)
{
    m_object[QString::fromLatin1(key)] = value ? QJsonValue(static_cast<qint64>(*value)) : QJsonValue();
    Line(Caption(caption, key), value ? std::to_string(*value) : "---");
}

void CDumpWriter::Raw(const char* key, const std::vector<std::uint8_t>& bytes)
{
    m_object[QString::fromLatin1(key)] = Q(HexBytes(bytes));
    Line("bytes", HexBytes(bytes));
}

QJsonObject CDumpWriter::Take()
{
    QJsonObject out = m_object;
    m_object = QJsonObject();
    return out;
}

void CDumpWriter::Heading(const std::string& title)
{
    m_text += "\n" + title + "\n";
    m_indent = "  ";
}

void CDumpWriter::SubHeading(const std::string& title)
{
    m_text += "  " + title + "\n";
    m_indent = "    ";
}

void CDumpWriter::Line(const std::string& caption, const std::string& value)
{
    m_text += m_indent + caption + ": " + value + "\n";
}

} // namespace qrv::cli
