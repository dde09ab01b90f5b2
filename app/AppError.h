#pragma once

#include <QString>
#include <exception>

// The one error type of the core. Its message is written for the user (Chinese); the windows show it
// in a message box as it stands.
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
