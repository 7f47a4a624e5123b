#pragma once
// An INI file whose section and key names compare without regard to letter case.
// Every write goes to the file at once. Lines that are not "key=value" are kept as they
// stand and otherwise ignored. Text is UTF-8.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

class TIniFile {
public:
    explicit TIniFile(QString fileName); // reads the file if it exists; throws EFileError if it cannot
    virtual ~TIniFile() = default;

    const QString& FileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    QDateTime ReadDateTime(const QString& section, const QString& key, const QDateTime& def) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteDateTime(const QString& section, const QString& key, const QDateTime& value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSection(const QString& section) const; // key names in file order
    QStringList ReadSections() const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

private:
    struct Line { QString raw; QString key; QString value; bool isValue = false; };
    struct Section { QString name; std::vector<Line> lines; };

    const Section* Find(const QString& section) const;
    Section* Find(const QString& section);
    const Line* FindKey(const QString& section, const QString& key) const;
    void Load();
    void Save() const;

    QString m_fileName;
    std::vector<Line> m_preamble;
    std::vector<Section> m_sections;
};
