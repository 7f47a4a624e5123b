#pragma once
// The document tests drive a document by member name ("ObjCAD=150;ObjDAD=90"): data rows stay
// readable, and one list per document names every stored member with its getter and setter,
// so that each column's pair can be checked for wiring, defaults and what Init resets.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace DocFields {

template <class T> T FromText(const QString& text)
{
    if constexpr (std::is_same_v<T, bool>)
        return text == QLatin1String("1");
    else if constexpr (std::is_same_v<T, double>)
        return text.toDouble();
    else if constexpr (std::is_integral_v<T>)
        return static_cast<T>(text.toLongLong());
    else if constexpr (std::is_same_v<T, QString>)
        return text;
    else if constexpr (std::is_same_v<T, QDateTime>)
        return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODate);
    else if constexpr (std::is_same_v<T, std::optional<int>>)
        return text.isEmpty() ? std::optional<int>() : std::optional<int>(text.toInt());
}

inline QString ToText(bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); }
inline QString ToText(double v) { return QString::number(v); }
inline QString ToText(qlonglong v) { return QString::number(v); }
inline QString ToText(const QString& v) { return v; }
inline QString ToText(const QDateTime& v) { return v.isValid() ? v.toString(Qt::ISODate) : QString(); }
inline QString ToText(const std::optional<int>& v) { return v ? QString::number(*v) : QString(); }
template <class T> QString AsText(const T& v)
{
    if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
        return ToText(static_cast<qlonglong>(v));
    else
        return ToText(v);
}

// One stored member: a valid non-default sample value, and what must be set before it
// (a diastolic pressure needs its systolic one).
template <class Doc> struct TField {
    QString name;
    QString sample;
    QString prerequisite;
    std::function<void(Doc&, const QString&)> set;
    std::function<QString(const Doc&)> get;
};

template <class Doc> const TField<Doc>& Find(const std::vector<TField<Doc>>& fields, const QString& name)
{
    for (const auto& f : fields)
        if (f.name == name)
            return f;
    throw std::invalid_argument(("no member " + name).toStdString());
}

// Applies "Name=value;Name=value" in the order written.
template <class Doc> void Apply(Doc& doc, const std::vector<TField<Doc>>& fields, const QString& assignments)
{
    for (const QString& item : assignments.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        Find(fields, item.left(eq).trimmed()).set(doc, item.mid(eq + 1).trimmed());
    }
}

inline QStringList Names(const QString& assignments)
{
    QStringList names;
    for (const QString& item : assignments.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        names << item.left(item.indexOf(QLatin1Char('='))).trimmed();
    return names;
}

} // namespace DocFields

#define DOC_FIELD_AFTER(Doc, Name, Sample, Prerequisite)                                           \
    DocFields::TField<Doc>                                                                         \
    {                                                                                              \
        QStringLiteral(#Name), QStringLiteral(Sample), QStringLiteral(Prerequisite),               \
            [](Doc& d, const QString& v) {                                                         \
                d.Set##Name(DocFields::FromText<std::decay_t<decltype(d.Name())>>(v));             \
            },                                                                                     \
            [](const Doc& d) { return DocFields::AsText(d.Name()); }                               \
    }
#define DOC_FIELD(Doc, Name, Sample) DOC_FIELD_AFTER(Doc, Name, Sample, "")
