#include "lang/messagetranslator.h"

MessageTranslator::MessageTranslator(QObject *parent) : QTranslator(parent)
{
    // Built into the program by src/lang/CMakeLists.txt; without it a Spanish user would read
    // English without a word why.
    if (!load(QStringLiteral(":/i18n/quiltra_es.qm")))
        qWarning("The Spanish translations :/i18n/quiltra_es.qm are missing from the program");
}
