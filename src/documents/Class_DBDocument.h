#pragma once
// What every stored document has: the Document row (identifier, date, number, kind, patient)
// and the change notification its window listens to.
//
// Change notification is a plain std::function rather than a Qt signal: a document has one
// listener (its window's redisplay), stays free of QObject, and the core needs no moc for it.
#include "documents/Class_KopeObject.h"
#include "documents/Unit_DocumentMember.h"
#include <QDateTime>
#include <functional>

class TDBDocument : public TKopeObject {
public:
    using TNotifyEvent = std::function<void()>;

    // Resets the Document row members. The listener is kept: the window registers it once and
    // reuses the object for the next document.
    void Init() override;

    VELTA_DOC_MEMBER(int, DocLID, 0)        // 0: not stored yet
    VELTA_DOC_MEMBER(QDateTime, DocDate, {}) // the examination
    VELTA_DOC_MEMBER(QString, DocNumber, {})
    VELTA_DOC_MEMBER(QString, DocCode, {})
    VELTA_DOC_MEMBER(quint8, DtpGID, 0)     // 1 sheet, 2 card; each kind's Init sets it
    VELTA_DOC_MEMBER(int, PrnLID, -1)

public:
    // Loading brackets its assignments so that the window is not redrawn for every value.
    // Virtual because the screening card keeps a depth of its own that survives Init and
    // notifies when the outermost bracket ends.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual bool IsUpdating() const;

    // Calls the listener unless an update is in progress.
    void Changed();

    const TNotifyEvent& OnChange() const { return m_OnChange; }
    void SetOnChange(TNotifyEvent listener) { m_OnChange = std::move(listener); }

protected:
    TDBDocument() = default;

private:
    int m_updateDepth = 0;
    TNotifyEvent m_OnChange;
};
