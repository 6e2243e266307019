#include "ColumnStream.h"

#include "NumText.h"
#include "TableErrors.h"

#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <limits>

namespace veldo {
namespace {

const char* const kInvalidValue = "Invalid property value";
const char* const kReadError = "Stream read error";
const char* const kInvalidJson = "Invalid column stream value";
const QString kFloatKey = QStringLiteral("Float");

TStreamValue Make(TStreamValue::Kind kind)
{
    TStreamValue v;
    v.kind = kind;
    return v;
}

void AppendJsonValue(const QJsonValue& item, TStreamValues& out);

void AppendJsonArray(const QJsonArray& array, TStreamValues& out)
{
    for (const QJsonValue& item : array)
        AppendJsonValue(item, out);
}

void AppendJsonValue(const QJsonValue& item, TStreamValues& out)
{
    if (item.isBool()) {
        TStreamValue v = Make(TStreamValue::Kind::Boolean);
        v.boolean = item.toBool();
        out.push_back(v);
    } else if (item.isString()) {
        TStreamValue v = Make(TStreamValue::Kind::String);
        v.text = item.toString();
        out.push_back(v);
    } else if (item.isDouble()) {
        const double d = item.toDouble();
        if (d != std::floor(d) || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
            throw EReadError(kInvalidJson);
        TStreamValue v = Make(TStreamValue::Kind::Integer);
        v.integer = static_cast<int>(d);
        out.push_back(v);
    } else if (item.isArray()) {
        out.push_back(Make(TStreamValue::Kind::ListBegin));
        AppendJsonArray(item.toArray(), out);
        out.push_back(Make(TStreamValue::Kind::ListEnd));
    } else if (item.isObject() && item.toObject().size() == 1 && item.toObject().value(kFloatKey).isString()) {
        const auto real = parseFloat(item.toObject().value(kFloatKey).toString().toStdString());
        if (!real)
            throw EReadError(kInvalidJson);
        TStreamValue v = Make(TStreamValue::Kind::Float);
        v.real = *real;
        out.push_back(v);
    } else {
        throw EReadError(kInvalidJson);
    }
}

} // namespace

bool operator==(const TStreamValue& a, const TStreamValue& b)
{
    if (a.kind != b.kind)
        return false;
    switch (a.kind) {
    case TStreamValue::Kind::Integer:
        return a.integer == b.integer;
    case TStreamValue::Kind::Float:
        return a.real == b.real;
    case TStreamValue::Kind::String:
        return a.text == b.text;
    case TStreamValue::Kind::Boolean:
        return a.boolean == b.boolean;
    default:
        return true;
    }
}

void TColumnStreamWriter::WriteInteger(int value)
{
    TStreamValue v = Make(TStreamValue::Kind::Integer);
    v.integer = value;
    values_.push_back(v);
}

void TColumnStreamWriter::WriteFloat(long double value)
{
    TStreamValue v = Make(TStreamValue::Kind::Float);
    v.real = value;
    values_.push_back(v);
}

void TColumnStreamWriter::WriteString(const QString& value)
{
    TStreamValue v = Make(TStreamValue::Kind::String);
    v.text = value;
    values_.push_back(v);
}

void TColumnStreamWriter::WriteBoolean(bool value)
{
    TStreamValue v = Make(TStreamValue::Kind::Boolean);
    v.boolean = value;
    values_.push_back(v);
}

void TColumnStreamWriter::WriteListBegin() { values_.push_back(Make(TStreamValue::Kind::ListBegin)); }

void TColumnStreamWriter::WriteListEnd() { values_.push_back(Make(TStreamValue::Kind::ListEnd)); }

const TStreamValue& TColumnStreamReader::Take(TStreamValue::Kind kind)
{
    if (NextValue() != kind)
        throw EReadError(kInvalidValue);
    return values_[pos_++];
}

TStreamValue::Kind TColumnStreamReader::NextValue() const
{
    if (AtEnd())
        throw EReadError(kReadError);
    return values_[pos_].kind;
}

int TColumnStreamReader::ReadInteger() { return Take(TStreamValue::Kind::Integer).integer; }

long double TColumnStreamReader::ReadFloat()
{
    // An integer value is accepted where a float is expected, as the writer of
    // whole numbers may have chosen the shorter form.
    if (NextValue() == TStreamValue::Kind::Integer)
        return values_[pos_++].integer;
    return Take(TStreamValue::Kind::Float).real;
}

QString TColumnStreamReader::ReadString() { return Take(TStreamValue::Kind::String).text; }

bool TColumnStreamReader::ReadBoolean() { return Take(TStreamValue::Kind::Boolean).boolean; }

void TColumnStreamReader::ReadListBegin() { Take(TStreamValue::Kind::ListBegin); }

void TColumnStreamReader::ReadListEnd() { Take(TStreamValue::Kind::ListEnd); }

bool TColumnStreamReader::EndOfList() const { return NextValue() == TStreamValue::Kind::ListEnd; }

QJsonArray StreamToJson(const TStreamValues& values)
{
    std::vector<QJsonArray> open(1);
    for (const TStreamValue& v : values) {
        switch (v.kind) {
        case TStreamValue::Kind::Integer:
            open.back().append(v.integer);
            break;
        case TStreamValue::Kind::Float:
            open.back().append(QJsonObject{{kFloatKey, QString::fromStdString(formatGeneral18(v.real))}});
            break;
        case TStreamValue::Kind::String:
            open.back().append(v.text);
            break;
        case TStreamValue::Kind::Boolean:
            open.back().append(v.boolean);
            break;
        case TStreamValue::Kind::ListBegin:
            open.emplace_back();
            break;
        case TStreamValue::Kind::ListEnd:
            if (open.size() < 2)
                throw EReadError(kInvalidJson);
            {
                QJsonArray inner = std::move(open.back());
                open.pop_back();
                open.back().append(inner);
            }
            break;
        }
    }
    if (open.size() != 1)
        throw EReadError(kInvalidJson);
    return open.front();
}

TStreamValues StreamFromJson(const QJsonArray& array)
{
    TStreamValues values;
    AppendJsonArray(array, values);
    return values;
}

} // namespace veldo
