#include "documents/Class_DBDocument.h"
#include "app/Unit_Clock.h"

void TDBDocument::Init()
{
    TKopeObject::Init();
    m_DocLID = 0;
    m_DocDate = TClock::Now();
    m_DocNumber.clear();
    m_DocCode.clear();
    m_DtpGID = 0;
    m_PrnLID = -1;
    m_updateDepth = 0;
}

void TDBDocument::BeginUpdate() { ++m_updateDepth; }

void TDBDocument::EndUpdate()
{
    // An unmatched EndUpdate must not leave a negative depth that would swallow the next
    // BeginUpdate.
    if (m_updateDepth > 0)
        --m_updateDepth;
}

bool TDBDocument::IsUpdating() const { return m_updateDepth > 0; }

void TDBDocument::Changed()
{
    if (!IsUpdating() && m_OnChange)
        m_OnChange();
}
