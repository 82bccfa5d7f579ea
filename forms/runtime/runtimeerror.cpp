#include "forms/runtime/runtimeerror.h"

#include <utility>

namespace forms {

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number),
      m_description(std::move(description)),
      m_what(QStringLiteral("Errore di run-time '%1': %2").arg(number).arg(m_description).toUtf8())
{ }

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(6, QStringLiteral("Overflow"));
}

RuntimeError RuntimeError::typeMismatch()
{
    return RuntimeError(13, QStringLiteral("Tipo non corrispondente"));
}

} // namespace forms
