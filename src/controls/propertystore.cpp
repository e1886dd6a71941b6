#include "controls/propertystore.h"

#include <QtMath>

qsizetype PropertyStore::indexOf(const QString &key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant PropertyStore::value(const QString &key) const
{
    const qsizetype i = indexOf(key);
    return i < 0 ? QVariant() : m_entries[i].value;
}

void PropertyStore::setValue(const QString &key, const QVariant &value)
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        m_entries.append({key, value});
    else
        m_entries[i].value = value;
}

QStringList PropertyStore::keys() const
{
    QStringList result;
    for (const Entry &entry : m_entries)
        result.append(entry.key);
    return result;
}

void PropertyStore::setColor(const QString &key, ColorValue color)
{
    setValue(key, QVariant::fromValue<qint32>(qint32(color.value())));
}

void PropertyStore::setBool(const QString &key, bool flag)
{
    setValue(key, flag);
}

void PropertyStore::setText(const QString &key, const QString &text)
{
    setValue(key, text);
}

void PropertyStore::setFontSize(const QString &key, double points)
{
    setValue(key, QVariant::fromValue<qint64>(qRound64(points * 10000.0)));
}

void PropertyStore::setFont(const QString &key, const QFont &font)
{
    setValue(key, font);
}

ColorValue PropertyStore::readColor(const QString &key, ColorValue def) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return def;
    // System colours are negative as signed 32-bit numbers; keep the low 32 bits either way.
    return ColorValue(quint32(stored.toLongLong() & 0xFFFFFFFF));
}

bool PropertyStore::readBool(const QString &key, bool def) const
{
    const QVariant stored = value(key);
    return stored.isValid() ? stored.toBool() : def;
}

QString PropertyStore::readText(const QString &key, const QString &def) const
{
    const QVariant stored = value(key);
    return stored.isValid() ? stored.toString() : def;
}

double PropertyStore::readFontSize(const QString &key, double defPoints) const
{
    const QVariant stored = value(key);
    return stored.isValid() ? stored.toDouble() / 10000.0 : defPoints;
}

QFont PropertyStore::readFont(const QString &key, const QFont &def) const
{
    const QVariant stored = value(key);
    return stored.metaType() == QMetaType::fromType<QFont>() ? qvariant_cast<QFont>(stored) : def;
}
