#pragma once
// The program's exception classes. Every error that the program raises itself carries a
// Russian message for the operator; what() gives it as UTF-8 for logs and std handlers.
#include <QString>
#include <QByteArray>
#include <exception>

class TVeltaException : public std::exception {
public:
    explicit TVeltaException(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }
private:
    QString m_message;
    QByteArray m_utf8;
};

// A value typed or stored is not acceptable; the message is shown to the operator.
class AppException : public TVeltaException { using TVeltaException::TVeltaException; };
// The Diagnosis table is empty.
class EAppInfoException : public TVeltaException { using TVeltaException::TVeltaException; };
// An exchange operation failed.
class ERplException : public TVeltaException { using TVeltaException::TVeltaException; };
// The database engine reported an error; the message is the engine's own.
class EDatabaseError : public TVeltaException { using TVeltaException::TVeltaException; };
// A file (settings, alias registry, database file) could not be read or written.
class EFileError : public TVeltaException { using TVeltaException::TVeltaException; };
// A silent abandon: the general error display shows nothing for it.
class EAbort : public TVeltaException {
public:
    EAbort() : TVeltaException(QStringLiteral("Operation aborted")) {}
};

// The message of any exception as the operator should read it.
QString ExceptionText(const std::exception& e);
