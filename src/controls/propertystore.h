#pragma once

#include "controls/colorvalue.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QVariant>

// The design values of one control, keyed by property name. Keys are compared
// without regard to letter case, as the windows store them in lower case.
// Values are typed: colours as 32-bit integers, flags as bools, texts as
// strings, FontSize as ten-thousandths of a point (97500 = 9.75) and Font as a
// QFont. The holder's own "_extentx"/"_extenty" may sit beside them; no control
// reads them.
class PropertyStore
{
public:
    // The raw stored value, or an invalid QVariant when none.
    QVariant value(const QString &key) const;
    // Stores value under key, replacing one stored under the same key in any case.
    void setValue(const QString &key, const QVariant &value);
    // The keys in the order first stored, with the case they were stored with.
    QStringList keys() const;

    // Typed writers, storing the forms described above.
    void setColor(const QString &key, ColorValue color);
    void setBool(const QString &key, bool flag);
    void setText(const QString &key, const QString &text);
    void setFontSize(const QString &key, double points);   // stored as ten-thousandths
    void setFont(const QString &key, const QFont &font);

    // Typed readers: the stored value, or def when nothing is stored under key.
    ColorValue readColor(const QString &key, ColorValue def) const;
    bool readBool(const QString &key, bool def) const;
    QString readText(const QString &key, const QString &def) const;
    double readFontSize(const QString &key, double defPoints) const;   // in points
    QFont readFont(const QString &key, const QFont &def) const;

private:
    qsizetype indexOf(const QString &key) const;

    struct Entry { QString key; QVariant value; };
    QList<Entry> m_entries;
};
