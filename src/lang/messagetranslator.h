#pragma once

#include <QString>
#include <QTranslator>

// The Spanish text of a message the program writes in English where it arises (file, picture,
// settings and start errors and their reasons); empty when the text has none.
QString SpanishMessage(const char *english);

// The number of messages with a Spanish text, and the English text of message `index`.
int MessageCount();
const char *EnglishMessage(int index);

// Gives the Spanish texts of the program's messages while installed; the program installs it
// when Spanish is chosen. Texts of other contexts (Qt's own) are left alone.
class MessageTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};
