#include "games/steamlibrary.h"

#include <QDir>
#include "io/wholefile.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <optional>

namespace {

// A value of a VDF file: text, or a block of keyed values in their order.
struct VdfValue {
    QString text;
    QList<std::pair<QString, std::shared_ptr<VdfValue>>> block;
    bool isBlock = false;
};

class VdfReader {
public:
    explicit VdfReader(const QByteArray &bytes) : m_text(QString::fromUtf8(bytes)) {}

    // The keyed values of the whole file, or nothing when it is malformed.
    std::optional<VdfValue> readFile()
    {
        VdfValue top;
        top.isBlock = true;
        if (!readBlockInto(top, false))
            return std::nullopt;
        return top;
    }

private:
    // Blanks and // comments.
    void skip()
    {
        while (m_at < m_text.size()) {
            if (m_text.at(m_at).isSpace()) {
                ++m_at;
            } else if (m_text.mid(m_at, 2) == QLatin1String("//")) {
                while (m_at < m_text.size() && m_text.at(m_at) != u'\n')
                    ++m_at;
            } else {
                break;
            }
        }
    }

    std::optional<QString> readString()
    {
        if (m_at >= m_text.size() || m_text.at(m_at) != u'"')
            return std::nullopt;
        QString out;
        for (++m_at; m_at < m_text.size(); ++m_at) {
            const QChar c = m_text.at(m_at);
            if (c == u'"') {
                ++m_at;
                return out;
            }
            if (c == u'\\' && m_at + 1 < m_text.size()) {
                const QChar next = m_text.at(++m_at);
                out += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
            } else {
                out += c;
            }
        }
        return std::nullopt;   // the file ends inside a string
    }

    // Keyed values up to the closing brace (or the end of the file at the top level).
    bool readBlockInto(VdfValue &block, bool braced)
    {
        if (++m_depth > 32)
            return false;
        for (;;) {
            skip();
            if (m_at >= m_text.size())
                return !braced;
            if (m_text.at(m_at) == u'}') {
                ++m_at;
                --m_depth;
                return braced;
            }
            const std::optional<QString> key = readString();
            if (!key)
                return false;
            skip();
            auto value = std::make_shared<VdfValue>();
            if (m_at < m_text.size() && m_text.at(m_at) == u'{') {
                ++m_at;
                value->isBlock = true;
                if (!readBlockInto(*value, true))
                    return false;
            } else if (const std::optional<QString> text = readString()) {
                value->text = *text;
            } else {
                return false;
            }
            block.block.append({*key, value});
        }
    }

    QString m_text;
    qsizetype m_at = 0;
    int m_depth = 0;
};

} // namespace

QStringList SteamRootCandidates(const QString &home)
{
    const QDir h(home);
    return {h.filePath(QStringLiteral(".local/share/Steam")), h.filePath(QStringLiteral(".steam/steam")),
            h.filePath(QStringLiteral(".steam/root")), h.filePath(QStringLiteral(".steam/debian-installation")),
            h.filePath(QStringLiteral(".var/app/com.valvesoftware.Steam/.local/share/Steam")),
            h.filePath(QStringLiteral(".var/app/com.valvesoftware.Steam/data/Steam")),
            h.filePath(QStringLiteral("snap/steam/common/.local/share/Steam"))};
}

QStringList LibraryFoldersFromVdf(const QByteArray &vdf)
{
    const std::optional<VdfValue> file = VdfReader(vdf).readFile();
    if (!file)
        return {};
    QStringList folders;
    for (const auto &[key, value] : file->block) {
        if (key.compare(QLatin1String("libraryfolders"), Qt::CaseInsensitive) != 0 || !value->isBlock)
            continue;
        for (const auto &[entry, library] : value->block) {
            if (!library->isBlock) {
                // The flat form: numbered entries are folders; others are settings.
                bool numbered = false;
                entry.toInt(&numbered);
                if (numbered && !library->text.isEmpty())
                    folders << library->text;
                continue;
            }
            for (const auto &[field, path] : library->block) {
                if (field.compare(QLatin1String("path"), Qt::CaseInsensitive) == 0 && !path->isBlock
                    && !path->text.isEmpty())
                    folders << path->text;
            }
        }
    }
    return folders;
}

QList<SteamInstall> FindSteamInstalls(const QStringList &steamRoots, const QStringList &executables)
{
    QStringList libraries;
    for (const QString &root : steamRoots) {
        if (!QFileInfo(root).isDir())
            continue;
        libraries << root;
        // Unreadable, too large or not a file, it is as if there were none.
        QByteArray vdf;
        QString unreadable;
        if (ReadRegularFile(QDir(root).filePath(QStringLiteral("steamapps/libraryfolders.vdf")), 1024 * 1024, &vdf,
                            &unreadable))
            libraries << LibraryFoldersFromVdf(vdf);
    }
    QList<SteamInstall> installs;
    QStringList seen;   // the same library is often reached by several links
    for (const QString &library : libraries) {
        const QString folder = QDir(library).filePath(QStringLiteral("steamapps/common/Half-Life"));
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        for (const QString &name : executables) {
            const QString executable = QDir(folder).filePath(name);
            if (QFileInfo(executable).isFile()) {
                seen << canonical;
                installs.append({QDir::toNativeSeparators(folder), QDir::toNativeSeparators(executable)});
                break;
            }
        }
    }
    return installs;
}
