#include "app/Unit_AliasRegistry.h"

void TAliasRegistry::AddStandardAlias(const QString& name, const QString& path, const QString& driver)
{
    m_ini.WriteString(name, "PATH", path);
    m_ini.WriteString(name, "DEFAULT DRIVER", driver);
}

void TAliasRegistry::GetAliasParams(const QString& name, QStringList& params) const
{
    for (const QString& key : m_ini.ReadSection(name))
        params << key + '=' + m_ini.ReadString(name, key, QString());
}

void TAliasRegistry::ModifyAlias(const QString& name, const QStringList& params)
{
    for (const QString& line : params) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            m_ini.WriteString(name, line.left(eq), line.mid(eq + 1));
    }
}
