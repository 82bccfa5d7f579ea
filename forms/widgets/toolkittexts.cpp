#include "forms/widgets/toolkittexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace forms {

void useItalianToolkitTexts()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/translations/qtbase_it.qm")))
        QCoreApplication::installTranslator(translator);
}

} // namespace forms
