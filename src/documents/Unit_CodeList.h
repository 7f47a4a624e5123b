#pragma once
// A diagnosis code list as the documents keep it: the text ",1,5,9," (a leading comma and a
// comma after each Diagnosis identifier), "," being the empty list. The list is a set of
// whole codes: code 1 is not "found" in ",11," and removing 9 from ",19,9," leaves ",19,".
#include <QString>

class TCodeList {
public:
    static constexpr const char* EmptyText = ",";

    const QString& Text() const { return m_text; }
    bool Contains(const QString& code) const;
    // Appends the code unless it is already an element; an empty code empties the list.
    void Add(const QString& code);
    // Removes exactly that element; an empty or absent code changes nothing.
    void Remove(const QString& code);
    void Clear() { m_text = QString::fromLatin1(EmptyText); }

private:
    QString m_text = QString::fromLatin1(EmptyText);
};
