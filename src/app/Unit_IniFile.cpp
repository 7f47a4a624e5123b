#include "app/Unit_IniFile.h"
#include "app/Unit_Exceptions.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}

TIniFile::TIniFile(QString fileName) : m_fileName(std::move(fileName)) { Load(); }

void TIniFile::Load()
{
    m_preamble.clear();
    m_sections.clear();
    QFile f(m_fileName);
    if (!f.exists())
        return;
    if (!f.open(QIODevice::ReadOnly))
        throw EFileError(QString("Не удаётся прочитать файл настроек \"%1\": %2").arg(m_fileName, f.errorString()));
    const QString text = QString::fromUtf8(f.readAll());
    std::vector<Line>* target = &m_preamble;
    for (QString raw : text.split('\n')) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString t = raw.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            m_sections.push_back(Section{t.mid(1, t.size() - 2).trimmed(), {}});
            target = &m_sections.back().lines;
            continue;
        }
        Line line;
        line.raw = raw;
        const int eq = raw.indexOf('=');
        if (eq > 0 && !t.startsWith(';') && !t.startsWith('#')) {
            line.key = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
            line.isValue = !line.key.isEmpty();
        }
        target->push_back(line);
    }
    // A final newline leaves an empty last line: do not grow the file on every save.
    std::vector<Line>& last = m_sections.empty() ? m_preamble : m_sections.back().lines;
    if (!last.empty() && last.back().raw.isEmpty() && !last.back().isValue)
        last.pop_back();
}

void TIniFile::Save() const
{
    QString out;
    auto emitLines = [&out](const std::vector<Line>& lines) {
        for (const Line& l : lines)
            out += (l.isValue ? l.key + '=' + l.value : l.raw) + '\n';
    };
    emitLines(m_preamble);
    for (const Section& s : m_sections) {
        out += '[' + s.name + "]\n";
        emitLines(s.lines);
    }
    const QFileInfo info(m_fileName);
    QDir().mkpath(info.absolutePath());
    QSaveFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(out.toUtf8()) < 0 || !f.commit())
        throw EFileError(QString("Не удаётся записать файл настроек \"%1\": %2").arg(m_fileName, f.errorString()));
}

const TIniFile::Section* TIniFile::Find(const QString& section) const
{
    for (const Section& s : m_sections)
        if (SameName(s.name, section))
            return &s;
    return nullptr;
}

TIniFile::Section* TIniFile::Find(const QString& section)
{
    return const_cast<Section*>(static_cast<const TIniFile*>(this)->Find(section));
}

const TIniFile::Line* TIniFile::FindKey(const QString& section, const QString& key) const
{
    // A section may appear more than once in a hand-edited file: all its parts count.
    for (const Section& s : m_sections)
        if (SameName(s.name, section))
            for (const Line& l : s.lines)
                if (l.isValue && SameName(l.key, key))
                    return &l;
    return nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const Line* l = FindKey(section, key);
    return l ? l->value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const Line* l = FindKey(section, key);
    if (!l)
        return def;
    bool ok = false;
    const int v = l->value.toInt(&ok);
    return ok ? v : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QDateTime TIniFile::ReadDateTime(const QString& section, const QString& key, const QDateTime& def) const
{
    const Line* l = FindKey(section, key);
    if (!l)
        return def;
    const QDateTime v = QDateTime::fromString(l->value, "yyyy-MM-dd hh:mm:ss");
    return v.isValid() ? v : def;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    // Values are single lines: a line break would split the key.
    QString v = value;
    v.replace('\r', ' ').replace('\n', ' ');
    for (Section& s : m_sections)
        if (SameName(s.name, section))
            for (Line& l : s.lines)
                if (l.isValue && SameName(l.key, key)) {
                    l.value = v;
                    Save();
                    return;
                }
    Section* s = Find(section);
    if (!s) {
        m_sections.push_back(Section{section, {}});
        s = &m_sections.back();
    }
    Line line;
    line.key = key;
    line.value = v;
    line.isValue = true;
    // Keep the new key before any trailing blank lines of the section.
    auto pos = s->lines.end();
    while (pos != s->lines.begin() && !(pos - 1)->isValue && (pos - 1)->raw.trimmed().isEmpty())
        --pos;
    s->lines.insert(pos, line);
    Save();
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteDateTime(const QString& section, const QString& key, const QDateTime& value)
{
    WriteString(section, key, value.toString("yyyy-MM-dd hh:mm:ss"));
}

bool TIniFile::SectionExists(const QString& section) const { return Find(section) != nullptr; }
bool TIniFile::ValueExists(const QString& section, const QString& key) const { return FindKey(section, key); }

QStringList TIniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    for (const Section& s : m_sections)
        if (SameName(s.name, section))
            for (const Line& l : s.lines)
                if (l.isValue)
                    keys << l.key;
    return keys;
}

QStringList TIniFile::ReadSections() const
{
    QStringList names;
    for (const Section& s : m_sections)
        names << s.name;
    return names;
}

void TIniFile::EraseSection(const QString& section)
{
    std::erase_if(m_sections, [&](const Section& s) { return SameName(s.name, section); });
    Save();
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    for (Section& s : m_sections)
        if (SameName(s.name, section))
            std::erase_if(s.lines, [&](const Line& l) { return l.isValue && SameName(l.key, key); });
    Save();
}
