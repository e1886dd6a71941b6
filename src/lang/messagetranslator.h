#pragma once

#include <QTranslator>

// The Spanish of every Quiltra::tr text, compiled from quiltra_es.ts into the program; the
// program installs it when Spanish is chosen. Texts it does not hold (Qt's own) are left alone.
class MessageTranslator : public QTranslator {
public:
    explicit MessageTranslator(QObject *parent = nullptr);
};
