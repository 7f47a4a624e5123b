#pragma once
// Root of the in-memory document objects. A document window keeps one object for its whole
// life and resets it with Init for every document it shows, so Init is the one virtual
// operation of the tree; every override runs the inherited Init first.
#include <QString>

class TKopeObject {
public:
    virtual ~TKopeObject() = default;
    TKopeObject(const TKopeObject&) = delete;
    TKopeObject& operator=(const TKopeObject&) = delete;

    virtual void Init();

    // The program's folder, ending in "/".
    const QString& AppPath() const { return m_AppPath; }

protected:
    // Only the concrete documents are built; their constructors end by running Init, which
    // in C++ cannot be dispatched to a derived class from a base constructor.
    TKopeObject() = default;

private:
    QString m_AppPath;
};
