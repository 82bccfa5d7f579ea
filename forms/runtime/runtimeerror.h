#pragma once

#include <QString>
#include <exception>

namespace forms {

// A run-time error of the forms runtime: overflow, type mismatch, a failed
// file operation. It carries the classic error number and its text.
class RuntimeError : public std::exception
{
public:
    RuntimeError(int number, QString description);

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    static RuntimeError overflow();
    static RuntimeError typeMismatch();

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace forms
