#include "games/settings.h"

#include "io/messages.h"
#include "io/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace {

constexpr int LineCount = 6;

// The leading decimal number of `line` as a language: blanks skipped, an optional sign,
// digits up to the first other character. No number at all reads as 0 (English);
// anything but 0 and 1, out-of-range numbers included, means "not chosen".
qint16 LanguageOf(const QString &line)
{
    qsizetype at = 0;
    while (at < line.size() && (line.at(at) == u' ' || line.at(at) == u'\t'))
        ++at;
    bool negative = false;
    if (at < line.size() && (line.at(at) == u'+' || line.at(at) == u'-'))
        negative = line.at(at++) == u'-';
    qint64 value = 0;
    for (; at < line.size() && line.at(at) >= u'0' && line.at(at) <= u'9'; ++at) {
        value = value * 10 + (line.at(at).unicode() - u'0');
        if (value > 32768)   // already outside the 16-bit range; stop before it can overflow
            break;
    }
    if (negative)
        value = -value;
    return value == 0 || value == 1 ? qint16(value) : qint16(-1);
}

// UTF-8 when the bytes are valid UTF-8, else the local 8-bit code page, and Latin-1
// where that code page is UTF-8 as well, so any byte still reads as some character.
QString DecodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder local(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    text = local(bytes);
    return local.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

QString &Settings::Folder(int gameIndex)
{
    switch (gameIndex) {
    case 0: return CsFolder;
    case 1: return CzFolder;
    case 2: return DodFolder;
    default: return HlFolder;
    }
}

const QString &Settings::Folder(int gameIndex) const
{
    return const_cast<Settings *>(this)->Folder(gameIndex);
}

QByteArray SettingsFileBytes(const Settings &settings)
{
    const QString language = settings.Language >= 0
        ? u' ' + QString::number(settings.Language) : QString::number(settings.Language);
    const QString lines[LineCount] = {settings.ExePath, language, settings.CsFolder,
                                      settings.CzFolder, settings.DodFolder, settings.HlFolder};
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (settings.UseAddonFolder)
        bytes += " 1\r\n";
    return bytes;
}

Settings ParseSettings(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    // Files edited on any system end their lines with CR LF, LF or CR alone.
    static const QRegularExpression LineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = DecodeText(body).split(LineEnd);
    while (lines.size() < LineCount)
        lines.append(QString());

    Settings settings;
    settings.ExePath = lines.at(0);
    settings.Language = LanguageOf(lines.at(1));
    for (int game = 0; game < 4; ++game)
        settings.Folder(game) = lines.at(2 + game);
    settings.UseAddonFolder = lines.size() > LineCount && LanguageOf(lines.at(LineCount)) == 1;
    return settings;
}

bool ReadSettings(const QString &fileName, Settings &settings, QString *errorString)
{
    settings = Settings();
    if (!QFileInfo::exists(fileName))
        return true;   // the first run
    // Six or seven lines of paths: anything larger is not Quiltra's.
    QByteArray bytes;
    QString error;
    if (!ReadRegularFile(fileName, 64 * 1024, &bytes, &error)) {
        if (errorString)
            *errorString = error;
        return false;
    }
    settings = ParseSettings(bytes);
    return true;
}

bool WriteSettings(const QString &fileName, const Settings &settings, QString *errorString)
{
    return WriteWholeFile(fileName, SettingsFileBytes(settings), errorString);
}
