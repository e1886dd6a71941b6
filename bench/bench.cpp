// quiltra-bench: times the make and zip paths against plain reference work,
// and the peak memory of decoding large pictures.
//
//   quiltra-bench [runs]     (default 15 runs per measurement)
//
// Everything happens in a temporary fake game tree; nothing outside it is
// touched. Speed and memory targets are checked here, never in the test suite.

#include "background/decodepicture.h"
#include "background/generatebackground.h"
#include "background/tilegrid.h"
#include "zip/zipbackground.h"
#include "zip/zipclass.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int LargestResolution = 3;   // 1280x1024, the most tiles
const QString RelativeFolder = QStringLiteral("cstrike\\resource\\background");

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

// Median milliseconds of `runs` calls of `work`.
double timeRuns(int runs, const std::function<void()> &work)
{
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        samples.append(timer.nsecsElapsed() / 1e6);
    }
    return median(samples);
}

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "quiltra-bench: %s\n", qPrintable(what));
    std::exit(1);
}

// Gradients, rings and noise: detail a real photograph has, so neither the
// JPEG codec nor deflate gets an unrealistically easy picture.
QImage syntheticPicture(int width, int height, quint32 variant)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator noise(variant);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double ring = std::sin(std::hypot(x - width / 3.0, y - height / 2.0) / 23.0);
            const quint32 n = noise.generate();
            const int r = 255 * x / width + int(n & 31) - 16;
            const int g = 255 * y / height + int((n >> 5) & 31) - 16;
            const int b = 128 + int(90 * ring) + int((n >> 10) & 31) - 16;
            line[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return image;
}

qint64 totalSize(const QStringList &files)
{
    qint64 total = 0;
    for (const QString &file : files)
        total += QFileInfo(file).size();
    return total;
}

void writePlain(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Lets the peak of the make path be measured apart from the set-up work.
bool resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// The picture the app previews, decoded exactly as the app decodes it.
QImage decodeForPreview(const QString &jpeg)
{
    QImage picture;
    QString error;
    if (!DecodePicture(jpeg, picture, &error))
        fail(error);
    return picture;
}

// The hidden child mode: decodes one picture as the app does, then prints its size, the
// milliseconds and the process's peak memory, so that peak is this decode's alone.
constexpr char DecodeInChild[] = "--decode-in-child";

int decodeInChild(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    QImage picture;
    QString error;
    if (!DecodePicture(file, picture, &error)) {
        std::printf("error %s\n", qPrintable(error));
        return 1;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("ok %d %d %.1f %ld\n", picture.width(), picture.height(), ms, peakMemoryKiB());
    return 0;
}

struct DecodeFigures
{
    QSize size;
    double ms;
    long peakKiB;
};

// Median time and highest peak of `runs` decodes of `file`, each in a fresh process.
DecodeFigures decodeInOwnProcesses(const QString &file, int runs)
{
    QList<double> samples;
    DecodeFigures figures{{}, 0, 0};
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(DecodeInChild), file});
        if (!child.waitForFinished(-1))
            fail(QStringLiteral("the decoding process did not finish: %1").arg(child.errorString()));
        const QStringList answer = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().split(' ');
        if (child.exitCode() != 0 || answer.size() != 5 || answer[0] != QLatin1String("ok"))
            fail(QStringLiteral("decoding %1 failed: %2").arg(file, answer.join(' ')));
        figures.size = QSize(answer[1].toInt(), answer[2].toInt());
        samples.append(answer[3].toDouble());
        figures.peakKiB = std::max(figures.peakKiB, answer[4].toLong());
    }
    figures.ms = median(samples);
    return figures;
}

void writeJpeg(const QString &path, const QImage &picture, bool progressive = false)
{
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(picture))
        fail(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()));
}

// A bottom-up BMP of 24 bits a pixel, or 8 with a grey palette, written row by row from the
// format, so that a 100 MP one needs no picture in memory.
void writeLargeBmp(const QString &path, int width, int height, int bitsPerPixel)
{
    const int paletteBytes = bitsPerPixel == 8 ? 256 * 4 : 0;
    const qint64 rowBytes = (qint64(width) * bitsPerPixel / 8 + 3) / 4 * 4;
    const quint32 dataOffset = 54 + paletteBytes;
    QByteArray header(54, '\0');
    char *h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(dataOffset + rowBytes * height), h + 2);
    qToLittleEndian<quint32>(dataOffset, h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<qint32>(width, h + 18);
    qToLittleEndian<qint32>(height, h + 22);
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(quint16(bitsPerPixel), h + 28);
    for (int i = 0; i < paletteBytes / 4; ++i)
        header += QByteArray(3, char(i)) + '\0';
    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(header) == header.size();
    QByteArray row(rowBytes, '\0');
    for (int y = 0; ok && y < height; ++y) {
        for (qint64 i = 0; i < qint64(width) * bitsPerPixel / 8; ++i)
            row[i] = char((i * 7 + y * 3) ^ (y >> 4));
        ok = file.write(row) == row.size();
    }
    if (!ok)
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

struct Row
{
    QString what;
    double ms;
    QString size;
};

void printTable(const QList<Row> &rows)
{
    std::printf("\n%-46s %10s  %s\n", "measurement", "median ms", "size");
    for (const Row &row : rows)
        std::printf("%-46s %10.1f  %s\n", qPrintable(row.what), row.ms, qPrintable(row.size));
}

QString bytesText(qint64 bytes)
{
    return QStringLiteral("%1 bytes").arg(bytes);
}

void verdict(const char *target, bool met, const QString &detail)
{
    std::printf("%-4s %-58s %s\n", met ? "ok" : "MISS", target, qPrintable(detail));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], DecodeInChild) == 0)
        return decodeInChild(QString::fromLocal8Bit(argv[2]));
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;

    QTemporaryDir tree;
    if (!tree.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QString exePath = tree.filePath(QStringLiteral("hl.exe"));
    if (!QDir().mkpath(BackgroundFolder(exePath, RelativeFolder)))
        fail(QStringLiteral("cannot build the fake game tree"));
    QList<Row> rows;

    // 1. Tiles and layout files of a 1280x1024 picture.
    const QImage screen = syntheticPicture(1280, 1024, 1);
    GenerateResult generated;
    const double tilesMs = timeRuns(runs, [&] {
        generated = GenerateBackgroundFiles(screen, LargestResolution, exePath, RelativeFolder);
        if (generated.status != GenerateResult::Done)
            fail(generated.errorString);
    });
    const qint64 tileBytes = totalSize(generated.writtenFiles);
    rows.append({QStringLiteral("write 20 tiles + 2 layout files"), tilesMs, bytesText(tileBytes)});

    // 2. The same number of bytes in one plain write, and as 22 files each
    //    replaced through QSaveFile (which flushes every file to disk).
    const QByteArray plainBytes(tileBytes, '\x5a');
    const QString plainPath = tree.filePath(QStringLiteral("plain.bin"));
    const double plainMs = timeRuns(runs, [&] { writePlain(plainPath, plainBytes); });
    rows.append({QStringLiteral("one plain QFile write, same byte count"), plainMs, bytesText(tileBytes)});
    const double savedMs = timeRuns(runs, [&] {
        for (int i = 0; i < generated.writtenFiles.size(); ++i) {
            QSaveFile file(tree.filePath(QStringLiteral("saved%1.bin").arg(i)));
            const QByteArray part = plainBytes.first(QFileInfo(generated.writtenFiles[i]).size());
            if (!file.open(QIODevice::WriteOnly) || file.write(part) != part.size() || !file.commit())
                fail(file.errorString());
        }
    });
    rows.append({QStringLiteral("  22 QSaveFile writes of the same sizes"), savedMs, bytesText(tileBytes)});

    // 3. Zipping the 22 files, ours and Info-ZIP's at the same level.
    const QString archive = tree.filePath(QStringLiteral("ours.zip"));
    QList<double> addMs;
    const double zipMs = timeRuns(runs, [&] {
        QElapsedTimer timer;
        timer.start();
        ZipClass zip;
        for (const QString &file : generated.writtenFiles) {
            if (!zip.AddFile(file))
                fail(zip.errorString());
        }
        addMs.append(timer.nsecsElapsed() / 1e6);
        if (!zip.WriteZip(archive, true))
            fail(zip.errorString());
    });
    const qint64 zipBytes = QFileInfo(archive).size();
    rows.append({QStringLiteral("ZipClass, 22 files into a file"), zipMs, bytesText(zipBytes)});
    rows.append({QStringLiteral("  of which AddFile (read, CRC, compress)"), median(addMs), {}});

    const QString infoZip = QStandardPaths::findExecutable(QStringLiteral("zip"));
    double infoZipMs = -1;
    qint64 infoZipBytes = -1;
    if (!infoZip.isEmpty()) {
        const QString theirs = tree.filePath(QStringLiteral("theirs.zip"));
        infoZipMs = timeRuns(runs, [&] {
            QFile::remove(theirs);
            QProcess zip;
            zip.start(infoZip, QStringList{QStringLiteral("-6"), QStringLiteral("-q"), QStringLiteral("-j"), theirs}
                                   + generated.writtenFiles);
            if (!zip.waitForFinished(-1) || zip.exitCode() != 0)
                fail(QStringLiteral("zip failed: %1").arg(QString::fromLocal8Bit(zip.readAllStandardError())));
        });
        infoZipBytes = QFileInfo(theirs).size();
        rows.append({QStringLiteral("zip -6 -q -j (process included)"), infoZipMs, bytesText(infoZipBytes)});
    }

    // 4. The whole make path from a large photograph.
    const QString jpeg = tree.filePath(QStringLiteral("photo.jpg"));
    {
        QImageWriter writer(jpeg, "jpg");
        writer.setQuality(90);
        if (!writer.write(syntheticPicture(6000, 4000, 2)))
            fail(QStringLiteral("cannot write %1: %2").arg(jpeg, writer.errorString()));
    }
    const bool peakReset = resetPeakMemory();
    QList<double> decodeMs, stretchMs, generateMs, zipPathMs, makeMs, wholeMs;
    const QString exported = tree.filePath(QStringLiteral("export.zip"));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage decoded = decodeForPreview(jpeg);
        decodeMs.append(timer.nsecsElapsed() / 1e6);
        qint64 mark = timer.nsecsElapsed();
        const QImage stretched = decoded.scaled(ResolutionSize(LargestResolution), Qt::IgnoreAspectRatio,
                                                Qt::SmoothTransformation);
        stretchMs.append((timer.nsecsElapsed() - mark) / 1e6);
        mark = timer.nsecsElapsed();
        const GenerateResult made = GenerateBackgroundFiles(stretched, LargestResolution, exePath, RelativeFolder);
        if (made.status != GenerateResult::Done)
            fail(made.errorString);
        generateMs.append((timer.nsecsElapsed() - mark) / 1e6);
        makeMs.append(timer.nsecsElapsed() / 1e6);
        mark = timer.nsecsElapsed();
        const ZipBackgroundResult zipped = ZipBackground(exePath, RelativeFolder, LargestResolution, exported);
        if (!zipped.ok)
            fail(zipped.errorString);
        zipPathMs.append((timer.nsecsElapsed() - mark) / 1e6);
        wholeMs.append(timer.nsecsElapsed() / 1e6);
    }
    const long peakKiB = peakMemoryKiB();
    const QSize jpegSize = QImageReader(jpeg).size();
    rows.append({QStringLiteral("make: decode %1x%2 JPEG for preview").arg(jpegSize.width()).arg(jpegSize.height()),
                 median(decodeMs), bytesText(QFileInfo(jpeg).size())});
    rows.append({QStringLiteral("make: stretch to 1280x1024 (smooth)"), median(stretchMs), {}});
    rows.append({QStringLiteral("make: generate tiles + layout files"), median(generateMs), bytesText(tileBytes)});
    rows.append({QStringLiteral("make: zip export"), median(zipPathMs), bytesText(QFileInfo(exported).size())});
    rows.append({QStringLiteral("make: whole make (decode, stretch, generate)"), median(makeMs), {}});
    rows.append({QStringLiteral("make: whole path with the zip export"), median(wholeMs), {}});

    const double fullDecodeMs = timeRuns(runs, [&] {
        if (QImageReader(jpeg).read().isNull())
            fail(QStringLiteral("cannot decode %1").arg(jpeg));
    });
    rows.append({QStringLiteral("reference: plain full decode of the JPEG"), fullDecodeMs, {}});

    // 4b. The Wide HD make of the same photograph: decode, scale keeping its shape, then the
    // tiles and all four layout files.
    const bool wideReset = resetPeakMemory();
    QList<double> wideMs;
    qsizetype wideTiles = 0;
    QSize wideSize;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage decoded = decodeForPreview(jpeg);
        const QImage scaled = decoded.scaled(WideHdSize(decoded.size()), Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
        const GenerateResult made = GenerateBackgroundFiles(scaled, WideHdResolution, exePath, RelativeFolder);
        if (made.status != GenerateResult::Done)
            fail(made.errorString);
        wideMs.append(timer.nsecsElapsed() / 1e6);
        wideTiles = made.made.Tiles.size();
        wideSize = made.made.Size;
    }
    const long widePeakKiB = peakMemoryKiB();
    rows.append({QStringLiteral("make: Wide HD %1x%2, %3 tiles + 4 layout files").arg(wideSize.width())
                     .arg(wideSize.height()).arg(wideTiles), median(wideMs), {}});
    rows.append({QStringLiteral("reference: full decode + plain write"), fullDecodeMs + plainMs, {}});

    // 5. Decoding large pictures, each in a process of its own so each peak is its own. JPEGs
    //    are decoded reduced, BMPs whole and then reduced.
    struct DecodeCase
    {
        QString what;
        QString file;
        double limitMB;   // 0: reported, not judged
    };
    QList<DecodeCase> decodeCases;
    const auto addJpegCase = [&](int width, int height, const QString &what, double limitMB,
                                 bool alsoProgressive = false) {
        const QImage picture = syntheticPicture(width, height, 3);
        const QString file = tree.filePath(QStringLiteral("%1x%2.jpg").arg(width).arg(height));
        writeJpeg(file, picture);
        decodeCases.append({what, file, limitMB});
        if (alsoProgressive) {
            const QString progressive = tree.filePath(QStringLiteral("%1x%2-progressive.jpg").arg(width).arg(height));
            writeJpeg(progressive, picture, true);
            decodeCases.append({what + QStringLiteral(", progressive"), progressive, 0});
        }
    };
    {
        const QString tiny = tree.filePath(QStringLiteral("tiny.jpg"));
        writeJpeg(tiny, syntheticPicture(16, 16, 3));
        decodeCases.append({QStringLiteral("process alone: 16x16 JPEG"), tiny, 0});
    }
    addJpegCase(12000, 8000, QStringLiteral("JPEG 12000x8000 (96 MP)"), 150, true);
    addJpegCase(30000, 2000, QStringLiteral("JPEG 30000x2000 panorama"), 150);
    addJpegCase(30001, 2001, QStringLiteral("JPEG 30001x2001, sides off the eighth"), 150);
    for (const int bits : {24, 8}) {
        const QString file = tree.filePath(QStringLiteral("100mp-%1.bmp").arg(bits));
        writeLargeBmp(file, 10000, 10000, bits);
        decodeCases.append({QStringLiteral("BMP 10000x10000 (100 MP), %1 bits").arg(bits), file, 600});
    }
    const int decodeRuns = std::min(runs, 3);
    QList<DecodeFigures> decodeFigures;
    for (const DecodeCase &decodeCase : decodeCases)
        decodeFigures.append(decodeInOwnProcesses(decodeCase.file, decodeRuns));

    std::printf("quiltra-bench: %d runs per measurement, medians\n", runs);
    printTable(rows);
    std::printf("\n%-46s %11s %10s %8s  %s\n", "picture decode, own process", "decoded", "median ms",
                "peak MB", "file");
    for (int i = 0; i < decodeCases.size(); ++i) {
        const DecodeFigures &f = decodeFigures[i];
        std::printf("%-46s %11s %10.1f %8.1f  %s\n", qPrintable(decodeCases[i].what),
                    qPrintable(QStringLiteral("%1x%2").arg(f.size.width()).arg(f.size.height())), f.ms,
                    f.peakKiB / 1024.0, qPrintable(bytesText(QFileInfo(decodeCases[i].file).size())));
    }
    std::printf("(median of %d runs, highest peak; VmHWM of a process that only decodes)\n", decodeRuns);
    std::printf("\npeak memory of the make path (VmHWM): %.1f MB%s\n\n", peakKiB / 1024.0,
                peakReset ? "" : " (could not reset the mark; includes set-up)");

    // The make is what a user waits for from loading the picture to the made background;
    // zipping is a separate command, timed above against zip -6.
    const double wholeRatio = median(makeMs) / (fullDecodeMs + plainMs);
    verdict("tile writing within 1.5x of the plain write", tilesMs <= 1.5 * plainMs,
            QStringLiteral("%1x").arg(tilesMs / plainMs, 0, 'f', 2));
    verdict("  tile writing within 1.5x of 22 QSaveFile writes", tilesMs <= 1.5 * savedMs,
            QStringLiteral("%1x").arg(tilesMs / savedMs, 0, 'f', 2));
    if (infoZipBytes > 0) {
        verdict("zipping no slower than zip -6", zipMs <= infoZipMs,
                QStringLiteral("%1 ms vs %2 ms").arg(zipMs, 0, 'f', 1).arg(infoZipMs, 0, 'f', 1));
        verdict("  compressing alone no slower than zip -6", median(addMs) <= infoZipMs,
                QStringLiteral("%1 ms vs %2 ms").arg(median(addMs), 0, 'f', 1).arg(infoZipMs, 0, 'f', 1));
        verdict("archive within 1% of zip -6's size",
                std::abs(double(zipBytes - infoZipBytes)) <= 0.01 * infoZipBytes,
                QStringLiteral("%1 vs %2 bytes (%3%)").arg(zipBytes).arg(infoZipBytes)
                    .arg(100.0 * (zipBytes - infoZipBytes) / infoZipBytes, 0, 'f', 2));
    } else {
        std::printf("--   zip is not installed: no comparison with zip -6\n");
    }
    verdict("whole make within 1.5x of decode + plain write", wholeRatio <= 1.5,
            QStringLiteral("%1x").arg(wholeRatio, 0, 'f', 2));
    verdict("peak memory under 150 MB", peakKiB >= 0 && peakKiB < 150 * 1024,
            QStringLiteral("%1 MB").arg(peakKiB / 1024.0, 0, 'f', 1));
    const double wideRatio = median(wideMs) / fullDecodeMs;
    verdict("Wide HD make within 1.5x of a plain full decode", wideRatio <= 1.5,
            QStringLiteral("%1x").arg(wideRatio, 0, 'f', 2));
    verdict("Wide HD make peak memory under 150 MB", widePeakKiB >= 0 && widePeakKiB < 150 * 1024,
            QStringLiteral("%1 MB%2").arg(widePeakKiB / 1024.0, 0, 'f', 1)
                .arg(wideReset ? QString() : QStringLiteral(" (mark not reset)")));
    for (int i = 0; i < decodeCases.size(); ++i) {
        const double limit = decodeCases[i].limitMB;
        const long peak = decodeFigures[i].peakKiB;
        if (limit > 0) {
            verdict(qPrintable(QStringLiteral("%1 decoded under %2 MB").arg(decodeCases[i].what).arg(limit)),
                    peak > 0 && peak < limit * 1024, QStringLiteral("%1 MB").arg(peak / 1024.0, 0, 'f', 1));
        }
    }
    return 0;
}
