// quiltra-bench: times the make and zip paths against plain reference work and
// other programs, and the peak memory of decoding large pictures; then says of
// each target whether it is met (HIT) or not (MISS), with the measured ratio.
//
//   quiltra-bench [runs]     (default 15 runs per measurement; 5 at most for
//                            whole processes and 3 for the large decodes)
//
// Everything happens in a temporary fake game tree; nothing outside it is
// touched. Speed and memory targets are checked here, never in the test suite.

#include "background/decodepicture.h"
#include "background/generatebackground.h"
#include "background/tilegrid.h"
#include "commands/commands.h"
#include "io/wholefile.h"
#include "zip/installbackground.h"
#include "zip/zipbackground.h"
#include "zip/zipclass.h"

#include <QBuffer>
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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
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

// Median milliseconds of `runs` calls of each of `works`, called in turns so that on a shared
// machine each meets the same load.
QList<double> timeInTurns(int runs, const QList<std::function<void()>> &works)
{
    QList<QList<double>> samples(works.size());
    for (int i = 0; i < runs; ++i) {
        for (qsizetype w = 0; w < works.size(); ++w) {
            QElapsedTimer timer;
            timer.start();
            works[w]();
            samples[w].append(timer.nsecsElapsed() / 1e6);
        }
    }
    QList<double> medians;
    for (const QList<double> &workSamples : samples)
        medians.append(median(workSamples));
    return medians;
}

double timeRuns(int runs, const std::function<void()> &work)
{
    return timeInTurns(runs, {work}).first();
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

// Writes `bytes` as `path` through the whole-file writer, as the program writes every file.
void writeFile(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!WriteWholeFile(path, bytes, &error))
        fail(error);
}

// Decodes `file` as the program does, for `needed` (empty: the app's preview, every make).
QImage decodeFor(const QString &file, const QSize &needed = {})
{
    QImage picture;
    QString error;
    if (!DecodePicture(file, picture, &error, needed))
        fail(error);
    return picture;
}

// The hidden child mode: decodes one picture as the app does, then prints its size, the
// milliseconds and the process's peak memory, so that peak is this decode's alone. "framed":
// decodes and cuts it as a make at 1280x1024 for a 16:9 screen does, from the picture's own size.
constexpr char DecodeInChild[] = "--decode-in-child";

int decodeInChild(const QString &file, bool framed)
{
    QElapsedTimer timer;
    timer.start();
    QImage picture;
    QString error;
    const Commands::Framing forWide{2, {}, {}};
    if (framed ? !Commands::DecodePictureFor(file, LargestResolution, &picture, &error, forWide)
               : !DecodePicture(file, picture, &error)) {
        std::printf("error %s\n", qPrintable(error));
        return 1;
    }
    if (framed)
        picture = Commands::MadePicture(picture, LargestResolution, forWide);
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("ok %d %d %.1f %ld\n", picture.width(), picture.height(), ms, peakMemoryKiB());
    return 0;
}

// The hidden child mode that installs one archive into a resource folder, then prints the
// process's peak memory, so the peak is the install's alone.
constexpr char InstallInChild[] = "--install-in-child";

int installInChild(const QString &archive, const QString &resourceFolder)
{
    QStringList installed;
    QString error;
    if (!InstallBackground(archive, resourceFolder, {}, &installed, &error)) {
        std::printf("error %s\n", qPrintable(error));
        return 1;
    }
    std::printf("ok %lld %ld\n", qint64(installed.size()), peakMemoryKiB());
    return 0;
}

// The peak memory of installing an archive of 399 tiles at the size limit (120 MB of tiles) and
// its layout file, put in place with the layout file the install writes beside it,
// in a process of its own; -1 with `why` set when it could not be measured.
long installPeakKiB(const QString &folder, QString *why)
{
    const QString resource = QDir(folder).filePath(QStringLiteral("install/resource"));
    const QString tile = QDir(folder).filePath(QStringLiteral("big.tga"));
    const char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 32, 0};   // 256x256, 32 bits
    writeFile(tile, QByteArray(header, 18).leftJustified(300 * 1024, '\x5a'));
    QByteArray layout = "resolution 640 480\r\n";
    ZipClass zip;
    for (int i = 0; i < 399; ++i) {
        const QString name = QStringLiteral("big%1.tga").arg(i);
        layout += "resource/background/" + name.toLatin1() + " scaled 0 0\r\n";
        zip.AddFile(tile, name);
    }
    writeFile(QDir(folder).filePath(QStringLiteral("layout")), layout);
    zip.AddFile(QDir(folder).filePath(QStringLiteral("layout")), QStringLiteral("BackgroundLayout.txt"));
    const QString archive = QDir(folder).filePath(QStringLiteral("big.zip"));
    if (!QDir().mkpath(resource + QStringLiteral("/background")) || !zip.WriteZip(archive))
        fail(zip.errorString());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(InstallInChild), archive, resource});
    child.waitForFinished(-1);
    const QStringList answer = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().split(' ');
    if (child.exitCode() != 0 || answer.size() != 3 || answer[1] != QLatin1String("401")) {
        *why = answer.join(' ');
        return -1;
    }
    return answer[2].toLong();
}

struct DecodeFigures
{
    QSize size;
    double ms;
    long peakKiB;
};

// Median time and highest peak of `runs` decodes of `file`, each in a fresh process.
DecodeFigures decodeInOwnProcesses(const QString &file, int runs, bool framed)
{
    QList<double> samples;
    DecodeFigures figures{{}, 0, 0};
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    QStringList{QString::fromLatin1(DecodeInChild), file} + QStringList(framed ? 1 : 0, QStringLiteral("framed")));
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

// Runs a program to its end; empty, or what went wrong and what it said.
QString runProcess(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return QStringLiteral("%1 failed (exit %2): %3").arg(QFileInfo(program).fileName()).arg(process.exitCode())
        .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
}

// ImageMagick's convert: a "convert" earlier on the PATH may be another program, so each is
// asked for its version. Empty, with the reason, when none is ImageMagick.
QString imageMagickConvert(QString *why)
{
    for (const QString &folder : qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"), {folder});
        if (convert.isEmpty())
            continue;
        QProcess version;
        version.start(convert, {QStringLiteral("-version")});
        if (version.waitForFinished(10000) && version.readAllStandardOutput().contains("ImageMagick"))
            return convert;
    }
    *why = QStringLiteral("no convert on the PATH says it is ImageMagick (convert -version); "
                          "apt-get install imagemagick brings it");
    return {};
}

QByteArray jpegBytes(const QImage &picture, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(picture))
        fail(QStringLiteral("cannot encode a JPEG: %1").arg(writer.errorString()));
    return buffer.data();
}

// A bottom-up BMP of 24 bits a pixel, or 8 with a grey palette, built from the format.
QByteArray largeBmp(int width, int height, int bitsPerPixel)
{
    const int paletteBytes = bitsPerPixel == 8 ? 256 * 4 : 0;
    const qint64 rowBytes = (qint64(width) * bitsPerPixel / 8 + 3) / 4 * 4;
    const quint32 dataOffset = 54 + paletteBytes;
    QByteArray bmp(54, '\0');
    char *h = bmp.data();
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
        bmp += QByteArray(3, char(i)) + '\0';
    bmp.reserve(dataOffset + rowBytes * height);
    QByteArray row(rowBytes, '\0');
    for (int y = 0; y < height; ++y) {
        for (qint64 i = 0; i < qint64(width) * bitsPerPixel / 8; ++i)
            row[i] = char((i * 7 + y * 3) ^ (y >> 4));
        bmp += row;
    }
    return bmp;
}

struct Row
{
    QString what;
    double ms;
    QString size;
};

void printTable(const QList<Row> &rows)
{
    std::printf("\n%-50s %10s  %s\n", "measurement", "median ms", "size");
    for (const Row &row : rows)
        std::printf("%-50s %10.1f  %s\n", qPrintable(row.what), row.ms, qPrintable(row.size));
}

QString bytesText(qint64 bytes)
{
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString ratioText(double ratio)
{
    return QStringLiteral("%1x").arg(ratio, 0, 'f', 2);
}

void verdict(const QString &target, bool met, const QString &measured, const QString &why = {})
{
    std::printf("%-4s %-62s %s\n", met ? "HIT" : "MISS", qPrintable(target), qPrintable(measured));
    if (!met && !why.isEmpty())
        std::printf("     %s\n", qPrintable(why));
}

void skipped(const QString &target, const QString &why)
{
    std::printf("%-4s %-62s %s\n", "SKIP", qPrintable(target), qPrintable(why));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if ((argc == 3 || argc == 4) && qstrcmp(argv[1], DecodeInChild) == 0)
        return decodeInChild(QString::fromLocal8Bit(argv[2]), argc == 4);
    if (argc == 4 && qstrcmp(argv[1], InstallInChild) == 0)
        return installInChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    const int processRuns = std::min(runs, 5);

    QTemporaryDir tree;
    if (!tree.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QString exePath = tree.filePath(QStringLiteral("hl.exe"));
    writeFile(exePath, {});
    const QString resourceFolder = ResourceFolder(exePath, RelativeFolder);
    const QString backgroundFolder = BackgroundFolder(exePath, RelativeFolder);
    if (!QDir().mkpath(backgroundFolder))
        fail(QStringLiteral("cannot build the fake game tree"));
    const QSize largest = ResolutionSize(LargestResolution);
    QList<Row> rows;

    // 1. Tiles and layout files of a 1280x1024 picture, then zipping them, ours and
    //    Info-ZIP's at the same level.
    const QImage screen = syntheticPicture(largest.width(), largest.height(), 1);
    GenerateResult generated;
    const double tilesMs = timeRuns(runs, [&] {
        generated = GenerateBackgroundFiles(screen, LargestResolution, resourceFolder, backgroundFolder);
        if (generated.status != GenerateResult::Done)
            fail(generated.errorString);
    });
    const qint64 tileBytes = totalSize(generated.writtenFiles);
    rows.append({QStringLiteral("write 20 tiles + 2 layout files"), tilesMs, bytesText(tileBytes)});

    // The same 22 files' bytes as one set, committed with its journal and without: what the
    // journal costs a make.
    QList<QPair<QString, QByteArray>> setFiles;
    for (const QString &file : generated.writtenFiles) {
        QFile read(file);
        if (!read.open(QIODevice::ReadOnly))
            fail(QStringLiteral("cannot read %1").arg(file));
        setFiles.append({file, read.readAll()});
    }
    const auto commitSet = [&](bool journaled) {
        WholeFileSet set;
        set.setJournaled(journaled);
        for (const auto &[name, bytes] : std::as_const(setFiles)) {
            if (!set.add(name, bytes))
                fail(set.errorString());
        }
        if (!set.commit())
            fail(set.errorString());
    };
    const QList<double> setTimes = timeInTurns(runs, {[&] { commitSet(true); }, [&] { commitSet(false); }});
    rows.append({QStringLiteral("set of the 22 files, committed with its journal"), setTimes[0], bytesText(tileBytes)});
    rows.append({QStringLiteral("  the same set without the journal"), setTimes[1], {}});

    const QString archive = tree.filePath(QStringLiteral("ours.zip"));
    const auto zipOurs = [&] {
        ZipClass zip;
        for (const QString &file : generated.writtenFiles) {
            if (!zip.AddFile(file))
                fail(zip.errorString());
        }
        if (!zip.WriteZip(archive, true))
            fail(zip.errorString());
    };
    const QString infoZip = QStandardPaths::findExecutable(QStringLiteral("zip"));
    const QString theirs = tree.filePath(QStringLiteral("theirs.zip"));
    const auto zipTheirs = [&] {
        QFile::remove(theirs);
        const QString failure = runProcess(infoZip, QStringList{QStringLiteral("-6"), QStringLiteral("-q"),
                                                                QStringLiteral("-j"), theirs} + generated.writtenFiles);
        if (!failure.isEmpty())
            fail(failure);
    };
    // The same archive left in memory: what compressing takes, apart from the flushed write.
    const auto zipInMemory = [&] {
        ZipClass zip;
        for (const QString &file : generated.writtenFiles)
            zip.AddFile(file);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!zip.WriteZip(&buffer))
            fail(zip.errorString());
    };
    const QList<double> zipTimes = infoZip.isEmpty() ? timeInTurns(runs, {zipOurs, zipInMemory})
                                                     : timeInTurns(runs, {zipOurs, zipInMemory, zipTheirs});
    const double zipMs = zipTimes[0];
    const double infoZipMs = zipTimes.value(2, -1);
    const qint64 zipBytes = QFileInfo(archive).size();
    const qint64 infoZipBytes = infoZip.isEmpty() ? -1 : QFileInfo(theirs).size();
    rows.append({QStringLiteral("ZipClass, 22 files into a file, %1 threads").arg(QThread::idealThreadCount()),
                 zipMs, bytesText(zipBytes)});
    rows.append({QStringLiteral("  the same into memory, not written"), zipTimes[1], {}});
    if (!infoZip.isEmpty())
        rows.append({QStringLiteral("zip -6 -q -j (process included)"), infoZipMs, bytesText(infoZipBytes)});

    // 2. The make from a 24-megapixel photograph, as the command-line program makes it: decoded
    //    for 1280x1024, stretched, cut into tiles with their layout files.
    const QString jpeg = tree.filePath(QStringLiteral("photo.jpg"));
    writeFile(jpeg, jpegBytes(syntheticPicture(6000, 4000, 2)));
    const QSize jpegSize = QImageReader(jpeg).size();
    // One make as the command-line program makes it: the milliseconds of decoding, stretching,
    // generating, and of the whole.
    QSize decodedSize;
    const auto make = [&] {
        QElapsedTimer timer;
        timer.start();
        const QImage decoded = decodeFor(jpeg, largest);
        decodedSize = decoded.size();
        const qint64 decodedAt = timer.nsecsElapsed();
        const QImage stretched = decoded.scaled(largest, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const qint64 stretchedAt = timer.nsecsElapsed();
        const GenerateResult made = GenerateBackgroundFiles(stretched, LargestResolution, resourceFolder, backgroundFolder);
        if (made.status != GenerateResult::Done)
            fail(made.errorString);
        const qint64 doneAt = timer.nsecsElapsed();
        return QList<double>{decodedAt / 1e6, (stretchedAt - decodedAt) / 1e6, (doneAt - stretchedAt) / 1e6, doneAt / 1e6};
    };
    const bool peakReset = resetPeakMemory();
    make();   // alone first, for its peak memory
    const long makePeakKiB = peakMemoryKiB();
    // Then in turns with a plain full decode: those, and the make's steps.
    QList<QList<double>> samples(5);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (QImageReader(jpeg).read().isNull())
            fail(QStringLiteral("cannot decode %1").arg(jpeg));
        samples[0].append(timer.nsecsElapsed() / 1e6);
        const QList<double> steps = make();
        for (int step = 0; step < 4; ++step)
            samples[step + 1].append(steps[step]);
    }
    rows.append({QStringLiteral("make: decode %1x%2 JPEG for 1280x1024, at %3x%4").arg(jpegSize.width())
                     .arg(jpegSize.height()).arg(decodedSize.width()).arg(decodedSize.height()),
                 median(samples[1]), bytesText(QFileInfo(jpeg).size())});
    rows.append({QStringLiteral("make: stretch to 1280x1024 (smooth)"), median(samples[2]), {}});
    rows.append({QStringLiteral("make: generate tiles + layout files"), median(samples[3]), bytesText(tileBytes)});
    const double makeMs = median(samples[4]);
    rows.append({QStringLiteral("make: whole make (decode, stretch, generate)"), makeMs, {}});

    const double fullDecodeMs = median(samples[0]);
    rows.append({QStringLiteral("reference: plain full decode of the JPEG"), fullDecodeMs, {}});

    // The app's way: decoded once for the preview and every make, then zipped for sharing.
    QSize previewSize;
    const double previewMs = timeRuns(runs, [&] { previewSize = decodeFor(jpeg).size(); });
    rows.append({QStringLiteral("app: decode for the preview, at %1x%2").arg(previewSize.width())
                     .arg(previewSize.height()), previewMs, {}});
    const QString exported = tree.filePath(QStringLiteral("export.zip"));
    const double exportMs = timeRuns(runs, [&] {
        const ZipBackgroundResult zipped = ZipBackground(resourceFolder, exported);
        if (!zipped.ok)
            fail(zipped.errorString);
    });
    rows.append({QStringLiteral("app: zip export of the made background"), exportMs,
                 bytesText(QFileInfo(exported).size())});

    // The Wide HD make of the same photograph: decoded for its own shape within 3840x1600.
    QList<double> wideMs;
    qsizetype wideTiles = 0;
    const QSize wideSize = WideHdSize(jpegSize);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage scaled = decodeFor(jpeg, wideSize).scaled(wideSize, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
        const GenerateResult made = GenerateBackgroundFiles(scaled, WideHdResolution, resourceFolder, backgroundFolder);
        if (made.status != GenerateResult::Done)
            fail(made.errorString);
        wideMs.append(timer.nsecsElapsed() / 1e6);
        wideTiles = made.made.Tiles.size();
    }
    rows.append({QStringLiteral("make: Wide HD %1x%2, %3 tiles + 4 layout files").arg(wideSize.width())
                     .arg(wideSize.height()).arg(wideTiles), median(wideMs), {}});

    // 3. Process against process, in turns: quiltra-cli's make and ImageMagick's stretch and crop.
    const QString cli = QStandardPaths::findExecutable(QStringLiteral("quiltra-cli"),
                                                       {QCoreApplication::applicationDirPath()});
    const QStringList cliArguments{QStringLiteral("make"), jpeg, QStringLiteral("--game"), QStringLiteral("cstrike"),
                                   QStringLiteral("--resolution"), ResolutionText(LargestResolution),
                                   QStringLiteral("--game-dir"), tree.path()};
    QString magickProblem;
    const QString convert = imageMagickConvert(&magickProblem);
    const QString magickOut = tree.filePath(QStringLiteral("magick"));
    const QStringList convertArguments{jpeg, QStringLiteral("-resize"), QStringLiteral("1280x1024!"),
                                       QStringLiteral("-crop"), QStringLiteral("256x256"), QStringLiteral("+repage"),
                                       magickOut + "/tile_%d.tga"};
    // A first run of each warms the caches and shows whether it works at all.
    QString cliProblem = cli.isEmpty()
        ? QStringLiteral("quiltra-cli is missing: no %1 (build the target quiltra-cli)")
              .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/quiltra-cli"))
        : runProcess(cli, cliArguments);
    if (!convert.isEmpty() && QDir().mkpath(magickOut))
        magickProblem = runProcess(convert, convertArguments);
    double cliMs = -1, magickMs = -1;
    if (cliProblem.isEmpty() && magickProblem.isEmpty()) {
        const QList<double> times = timeInTurns(processRuns, {[&] { runProcess(cli, cliArguments); },
                                                              [&] { runProcess(convert, convertArguments); }});
        cliMs = times[0];
        magickMs = times[1];
        rows.append({QStringLiteral("quiltra-cli make 1280x1024 (process)"), cliMs, {}});
        rows.append({QStringLiteral("convert -resize 1280x1024! -crop 256x256 (process)"), magickMs, {}});
    }

    // 4. Decoding large pictures as the app does, each in a process of its own so each peak is
    //    its own. JPEGs are decoded reduced, BMPs whole and then reduced.
    struct DecodeCase
    {
        QString what;
        QString file;
        bool judged;     // a JPEG held to the memory target
        QString why;     // what a miss comes from, where it is known
        bool framed = false;   // decoded and cut as a make framed for 16:9 at 1280x1024
    };
    QList<DecodeCase> decodeCases;
    const auto addJpegCase = [&](int width, int height, bool progressive, const QString &why = {}) {
        const QString file = tree.filePath(QStringLiteral("%1x%2%3.jpg").arg(width).arg(height)
                                               .arg(progressive ? "-progressive" : ""));
        writeFile(file, jpegBytes(syntheticPicture(width, height, 3), progressive));
        decodeCases.append({QStringLiteral("JPEG %1x%2%3").arg(width).arg(height)
                                .arg(progressive ? ", progressive" : ""), file, true, why});
    };
    {
        const QString tiny = tree.filePath(QStringLiteral("tiny.jpg"));
        writeFile(tiny, jpegBytes(syntheticPicture(16, 16, 3)));
        decodeCases.append({QStringLiteral("process alone: 16x16 JPEG"), tiny, false, {}});
    }
    addJpegCase(6000, 4000, false);
    addJpegCase(6001, 4001, false);
    addJpegCase(12000, 8000, false);
    // TurboJPEG decodes from memory: each JPEG's peak holds the whole file besides what it decodes to.
    addJpegCase(12000, 8000, true, QStringLiteral(
        "libjpeg keeps every coefficient of a progressive JPEG until its last scan, at full size "
        "whatever the scale: 2 bytes for each of 144 M (4:2:0) samples, 275 MB"));
    const QString panoramaWhy = QStringLiteral(
        "kept in shape with the 1024 rows that stretching to 1280x1024 needs, the picture alone "
        "is 15360x1024 or more, 60 MB, and the smallest eighth the decoder makes of it larger");
    addJpegCase(30000, 2000, false, panoramaWhy);
    addJpegCase(30001, 2001, false, panoramaWhy);
    // A make framed for another screen keeps a part of the picture in its own pixels: it decodes
    // the picture whole, not reduced.
    for (int i : {1, 3})
        decodeCases.append({decodeCases[i].what + QStringLiteral(", framed 16:9 make"), decodeCases[i].file, false, {}, true});
    for (const int bits : {24, 8}) {
        const QString file = tree.filePath(QStringLiteral("100mp-%1.bmp").arg(bits));
        writeFile(file, largeBmp(10000, 10000, bits));
        decodeCases.append({QStringLiteral("BMP 10000x10000 (100 MP), %1 bits").arg(bits), file, false, {}});
    }
    const int decodeRuns = std::min(runs, 3);
    QList<DecodeFigures> decodeFigures;
    for (const DecodeCase &decodeCase : decodeCases)
        decodeFigures.append(decodeInOwnProcesses(decodeCase.file, decodeRuns, decodeCase.framed));

    // 5. Installing a shared archive of 399 large tiles holds one tile at a time, never the whole.
    QString installProblem;
    const long installKiB = installPeakKiB(tree.path(), &installProblem);

    std::printf("quiltra-bench: %d runs per measurement (%d for processes), medians; %d cores\n", runs,
                processRuns, QThread::idealThreadCount());
    printTable(rows);
    std::printf("\n%-46s %11s %10s %8s  %s\n", "picture decode as the app does, own process", "decoded",
                "median ms", "peak MB", "file");
    for (int i = 0; i < decodeCases.size(); ++i) {
        const DecodeFigures &f = decodeFigures[i];
        std::printf("%-46s %11s %10.1f %8.1f  %s\n", qPrintable(decodeCases[i].what),
                    qPrintable(QStringLiteral("%1x%2").arg(f.size.width()).arg(f.size.height())), f.ms,
                    f.peakKiB / 1024.0, qPrintable(bytesText(QFileInfo(decodeCases[i].file).size())));
    }
    std::printf("(median of %d runs, highest peak; VmHWM of a process that only decodes)\n", decodeRuns);
    std::printf("peak memory of the make path in this process (VmHWM): %.1f MB%s\n\n", makePeakKiB / 1024.0,
                peakReset ? "" : " (could not reset the mark; includes set-up)");

    std::printf("peak memory of installing 399 tiles of 300 KB, own process (VmHWM): %.1f MB\n\n",
                installKiB / 1024.0);

    std::printf("targets\n");
    if (installKiB < 0)
        skipped(QStringLiteral("install of 120 MB of tiles under 60 MB"), installProblem);
    else
        verdict(QStringLiteral("install of 120 MB of tiles under 60 MB"), installKiB < 60 * 1024,
                QStringLiteral("%1 (%2 MB)").arg(ratioText(installKiB / 1024.0 / 60)).arg(installKiB / 1024.0, 0, 'f', 1));
    verdict(QStringLiteral("set commit with its journal within 1.10x of without"), setTimes[0] <= 1.10 * setTimes[1],
            QStringLiteral("%1 (%2 ms vs %3 ms)").arg(ratioText(setTimes[0] / setTimes[1])).arg(setTimes[0], 0, 'f', 1)
                .arg(setTimes[1], 0, 'f', 1));
    const double makeRatio = makeMs / fullDecodeMs;
    verdict(QStringLiteral("whole make of a 24 MP JPEG within 1.0x a plain full decode"), makeRatio <= 1.0,
            ratioText(makeRatio));
    if (!cliProblem.isEmpty())
        skipped(QStringLiteral("quiltra-cli make within 0.25x of ImageMagick's convert"), cliProblem);
    else if (!magickProblem.isEmpty())
        skipped(QStringLiteral("quiltra-cli make within 0.25x of ImageMagick's convert"), magickProblem);
    else
        verdict(QStringLiteral("quiltra-cli make within 0.25x of ImageMagick's convert"), cliMs <= 0.25 * magickMs,
                QStringLiteral("%1 (%2 ms vs %3 ms)").arg(ratioText(cliMs / magickMs)).arg(cliMs, 0, 'f', 1)
                    .arg(magickMs, 0, 'f', 1));
    if (infoZipBytes > 0) {
        verdict(QStringLiteral("zip within 0.7x of zip -6's time, on %1 cores").arg(QThread::idealThreadCount()),
                zipMs <= 0.7 * infoZipMs, QStringLiteral("%1 (%2 ms vs %3 ms)").arg(ratioText(zipMs / infoZipMs))
                                              .arg(zipMs, 0, 'f', 1).arg(infoZipMs, 0, 'f', 1));
        verdict(QStringLiteral("  at no more than 1.01x zip -6's size"), zipBytes <= 1.01 * infoZipBytes,
                QStringLiteral("%1 (%2 vs %3 bytes)").arg(ratioText(double(zipBytes) / infoZipBytes))
                    .arg(zipBytes).arg(infoZipBytes));
    } else {
        skipped(QStringLiteral("zip within 0.7x of zip -6"), QStringLiteral("zip is not installed"));
    }
    for (int i = 0; i < decodeCases.size(); ++i) {
        const long peak = decodeFigures[i].peakKiB;
        if (decodeCases[i].judged) {
            verdict(QStringLiteral("%1 decoded under 100 MB").arg(decodeCases[i].what), peak > 0 && peak < 100 * 1024,
                    QStringLiteral("%1 (%2 MB)").arg(ratioText(peak / 1024.0 / 100)).arg(peak / 1024.0, 0, 'f', 1),
                    decodeCases[i].why);
        }
    }
    return 0;
}
