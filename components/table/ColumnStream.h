// The column stream: the typed values a table writes for its column definitions
// (the "Col" data) and reads back, with a JSON text form for resources.
#pragma once

#include <QJsonArray>
#include <QString>

#include <cstddef>
#include <vector>

namespace veldo {

struct TStreamValue {
    enum class Kind { Integer, Float, String, Boolean, ListBegin, ListEnd };

    Kind kind = Kind::Integer;
    int integer = 0;
    long double real = 0.0L;
    QString text;
    bool boolean = false;

    friend bool operator==(const TStreamValue& a, const TStreamValue& b);
};

using TStreamValues = std::vector<TStreamValue>;

class TColumnStreamWriter {
public:
    void WriteInteger(int value);
    void WriteFloat(long double value);
    void WriteString(const QString& value);
    void WriteBoolean(bool value);
    void WriteListBegin();
    void WriteListEnd();

    const TStreamValues& Values() const { return values_; }

private:
    TStreamValues values_;
};

// Reads values in order; a value of another kind, or the end of the stream, raises
// EReadError ("Invalid property value", "Stream read error").
class TColumnStreamReader {
public:
    explicit TColumnStreamReader(TStreamValues values) : values_(std::move(values)) {}

    int ReadInteger();
    long double ReadFloat();
    QString ReadString();
    bool ReadBoolean();
    void ReadListBegin();
    void ReadListEnd();
    // True when the next value closes a list.
    bool EndOfList() const;
    // Kind of the next value; raises at the end of the stream.
    TStreamValue::Kind NextValue() const;
    bool AtEnd() const { return pos_ >= values_.size(); }

private:
    const TStreamValue& Take(TStreamValue::Kind kind);

    TStreamValues values_;
    std::size_t pos_ = 0;
};

// JSON form of a stream: an Integer is a JSON integer, a String a JSON string, a
// Boolean a JSON Boolean, a Float an object {"Float": "<number text>"} and a list a
// nested JSON array.
QJsonArray StreamToJson(const TStreamValues& values);
// Raises EReadError "Invalid column stream value" for anything else.
TStreamValues StreamFromJson(const QJsonArray& array);

} // namespace veldo
