#pragma once
// Helpers shared by the record tests: filled and patterned images, byte
// slices, the checkers the field and block tables go through, and settings
// on a small language file.
#include "radio_data/invalid_log.h"
#include "records/channel_data.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

namespace qrv::test {

using Bytes = std::vector<std::uint8_t>;

inline Image FilledImage(std::uint8_t value)
{
    Image image;
    image.fill(value);
    return image;
}

// Byte i holds (i * factor + offset) mod 256: neighbouring bytes differ.
inline Image PatternImage(unsigned factor, unsigned offset)
{
    Image image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * factor + offset) & 0xFF);
    return image;
}

// image with bytes copied in from offset.
inline Image Overlaid(Image image, std::size_t offset, const Bytes& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

inline Image ImageWith(std::size_t offset, const Bytes& bytes, std::uint8_t fill = 0xFF)
{
    return Overlaid(FilledImage(fill), offset, bytes);
}

// count bytes of an image, block or record from offset (all that follow by default).
template <typename Container> Bytes Slice(const Container& bytes, std::size_t offset = 0, std::size_t count = 0)
{
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    return Bytes(begin, count == 0 ? bytes.end() : begin + static_cast<std::ptrdiff_t>(count));
}

// bytes, then fill up to width.
inline Bytes Padded(Bytes bytes, std::size_t width, std::uint8_t fill = 0xFF)
{
    bytes.resize(std::max(width, bytes.size()), fill);
    return bytes;
}

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// Whether two images are equal, naming the first offset where they are not.
inline ::testing::AssertionResult SameImage(const Image& actual, const Image& expected)
{
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin());
    if (a == actual.end())
        return ::testing::AssertionSuccess();
    ::testing::Message where;
    where << "offset 0x" << std::hex << (a - actual.begin()) << ": 0x" << int(*a) << " instead of 0x" << int(*e);
    return ::testing::AssertionFailure() << where;
}

// Storing a loaded table into an erased image gives back exactly its records
// from source at start, recordSize bytes each, and reports start as its place.
template <typename Records, typename Store>
::testing::AssertionResult StoresBack(Store store, const Records& records, const Image& source, std::uint16_t start,
                                      std::size_t recordSize)
{
    Image stored = FilledImage(0xFF);
    std::uint16_t tableStart = 0;
    store(stored, records, tableStart);
    if (tableStart != start)
        return ::testing::AssertionFailure() << "table stored at 0x" << std::hex << tableStart;
    return SameImage(stored, ImageWith(start, Slice(source, start, recordSize * records.size())));
}

// How the tables reach a record: new, loaded from an image, stored into one.
// A record of a table is the first one, its bytes from the table's start.
template <typename T> struct RecordIo {
    static std::unique_ptr<T> New() { return std::make_unique<T>(); }
    static std::unique_ptr<T> Load(const Image& image)
    {
        if constexpr (requires { T::kTableStart; }) {
            std::array<std::uint8_t, T::kRecordSize> bytes{};
            std::copy_n(image.begin() + T::kTableStart, T::kRecordSize, bytes.begin());
            return std::make_unique<T>(bytes);
        } else {
            auto record = New();
            record->LoadFromImage(image);
            return record;
        }
    }
    static void Store(const T& record, Image& image)
    {
        if constexpr (requires { T::kTableStart; })
            std::copy(record.Record().begin(), record.Record().end(), image.begin() + T::kTableStart);
        else
            record.StoreToImage(image);
    }
};
template <> inline std::unique_ptr<CChannelData> RecordIo<CChannelData>::New()
{
    return std::make_unique<CChannelData>(std::size_t{0});
}

// A row of the block table: a new block stored into an erased image holds its
// default bytes from its offset and nothing else; loaded from a patterned image
// and stored into an erased one, it gives back its area bar the forced bytes.
struct BlockRow {
    const char* name;
    ::testing::AssertionResult (*check)(const BlockRow&);
    std::size_t at;
    Bytes defaults;
    std::size_t forcedAt = 0;
    Bytes forced = {};
};

template <typename T>::testing::AssertionResult BlockRoundTrips(const BlockRow& row)
{
    Image stored = FilledImage(0xFF);
    RecordIo<T>::Store(*RecordIo<T>::New(), stored);
    if (auto same = SameImage(stored, ImageWith(row.at, row.defaults)); !same)
        return same << " (new)";
    const Image pattern = PatternImage(29, 7);
    stored = FilledImage(0xFF);
    RecordIo<T>::Store(*RecordIo<T>::Load(pattern), stored);
    const Image expected = ImageWith(row.at, Slice(pattern, row.at, row.defaults.size()));
    return SameImage(stored, Overlaid(expected, row.forcedAt, row.forced)) << " (round trip)";
}

// A field's value as its getter gives it and its setter takes it.
using Value = std::variant<long long, std::string>;

template <typename R> Value ValueOf(const R& r)
{
    if constexpr (std::is_arithmetic_v<R>)
        return static_cast<long long>(r);
    else if constexpr (requires { r.has_value(); })
        return r ? ValueOf(*r) : Value("none");
    else
        return std::string(r);
}

// A value as whatever type the setter takes.
struct SetterArg {
    const Value& value;
    template <typename A> operator A() const
    {
        if constexpr (std::is_arithmetic_v<A>)
            return static_cast<A>(std::get<long long>(value));
        else
            return A(std::get<std::string>(value));
    }
};

template <typename T> struct FieldAccess {
    Value (*get)(const T&) = nullptr;
    bool (*set)(T&, const Value&) = nullptr; // false when the record refuses the value
};

// The field of T that getter Get and setter Set reach, both given Index first.
template <typename T, auto Get, auto Set = nullptr, auto... Index> FieldAccess<T> Field()
{
    FieldAccess<T> access{[](const T& r) { return ValueOf((r.*Get)(Index...)); }};
    if constexpr (!std::is_null_pointer_v<decltype(Set)>) { // a member pointer is no constant under -fsanitize
        access.set = [](T& r, const Value& v) {
            if constexpr (std::is_void_v<decltype((r.*Set)(Index..., SetterArg{v}))>) {
                (r.*Set)(Index..., SetterArg{v});
                return true;
            } else {
                return static_cast<bool>((r.*Set)(Index..., SetterArg{v}));
            }
        };
    }
    return access;
}

// Load: the image holds bytes at `at` -> the getter gives value. Store: the
// setter takes value (the bytes there were `from`, when given) -> the stored
// image holds bytes there and nothing else changed. refused: a value the
// setter says false to, and that changes nothing.
enum class Way { Both, Load, Store };

template <typename T> struct FieldRow {
    const char* name;
    FieldAccess<T> field;
    Value value;
    std::size_t at;
    Bytes bytes;
    Way way = Way::Both;
    std::optional<Value> refused = std::nullopt;
    Bytes from = {};
};

// Checks each row against the image a new record stores alone.
template <typename T, std::size_t N> void ExpectFieldTable(const FieldRow<T> (&rows)[N])
{
    Image base = FilledImage(0xFF);
    RecordIo<T>::Store(*RecordIo<T>::New(), base);
    for (const FieldRow<T>& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.name << " at 0x" << std::hex << row.at);
        const Image before = Overlaid(base, row.at, row.from);
        const auto stored = [&](const Value& value, bool accepted) {
            auto record = RecordIo<T>::Load(before);
            EXPECT_EQ(row.field.set(*record, value), accepted);
            Image image = FilledImage(0xFF);
            RecordIo<T>::Store(*record, image);
            return image;
        };
        if (row.way != Way::Store) {
            EXPECT_EQ(row.field.get(*RecordIo<T>::Load(Overlaid(base, row.at, row.bytes))), row.value);
        }
        if (row.way != Way::Load) {
            EXPECT_TRUE(SameImage(stored(row.value, true), Overlaid(before, row.at, row.bytes)));
        }
        if (row.refused) {
            EXPECT_TRUE(SameImage(stored(*row.refused, false), before));
        }
    }
}

template <typename... Tables> void ExpectFields(const Tables&... tables)
{
    (ExpectFieldTable(tables), ...);
}

// Records that stand for channels and DTMF systems where references to them are resolved.
struct Records {
    explicit Records(std::size_t count) : owned(count)
    {
        for (const auto& record : owned)
            refs.push_back(&record);
    }
    std::uint32_t Id(std::size_t i) const { return owned[i].TreeId(); }
    std::vector<CDataRecord> owned;
    CRecordRefs refs;
};

// An invalid-log entry as control, title, text and key, to compare whole.
using EntryFields = std::tuple<int, std::string, std::string, std::uint32_t>;
inline EntryFields Fields(const CInvalidEntry& entry)
{
    return {entry.control, entry.title, entry.text, entry.key};
}

// Read-only settings on a language file of the test's own (the given entries
// after the English header), so that tests do not depend on the shipped
// wording; installed as the program-wide settings while the object lives.
class CTestTexts {
public:
    explicit CTestTexts(const std::string& entries)
    {
        WriteText(m_dir.Path() / "QRV_E.lng", "[Setting]\r\nLanguage=English\r\nLanguageList=English\r\n" + entries);
        m_dir.Reopen();
    }
    CSettings& Settings() { return m_dir.Settings(); }

private:
    CProgramDir m_dir{false};
};

} // namespace qrv::test
