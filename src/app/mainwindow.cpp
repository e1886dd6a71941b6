#include "app/mainwindow.h"

#include "app/picturebox.h"
#include "app/userinteraction.h"
#include "app/waitcursor.h"
#include "background/decodepicture.h"
#include "background/originalbackup.h"
#include "commands/gamelocate.h"
#include "background/tilegrid.h"
#include "background/framing.h"
#include "background/framingpreview.h"
#include "controls/designvalues.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "games/folderlocate.h"
#include "games/gamelaunch.h"
#include "games/gameprofile.h"
#include "games/steamlibrary.h"
#include "io/paths.h"
#include "io/tr.h"
#include "io/wholefile.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QWindow>

namespace {

const QSize ClientSize(826, 687);
// The Wide HD preview fills the frame's inside, on the frame's own olive body.
const QSize PreviewArea(800, 600);
const QColor PreviewBackColor(76, 88, 68);
// The controls report mouse buttons as 1 left, 2 right, 4 middle, added up while held.
constexpr int LeftButton = 1;
constexpr int RightButton = 2;

// The executable dialog accepts hl.exe; elsewhere than Windows the engine's Linux build too,
// offered as a second filter so the first still reads "hl.exe (hl.exe)".
#ifdef Q_OS_WIN
const QString ExeFilter = QStringLiteral("hl.exe (hl.exe)");
#else
const QString ExeFilter = QStringLiteral("hl.exe (hl.exe);;Linux build (hl_linux hl.sh)");
#endif

// The first filter keeps its label; its patterns are every still-picture format this Qt reads,
// in both letter cases, so "PHOTO.JPG" and "photo.webp" are offered alike.
QString PictureFilter()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        if (format == "svg" || format == "svgz" || format == "pdf")
            continue;   // drawings, not pictures
        patterns << "*." + QString::fromLatin1(format) << "*." + QString::fromLatin1(format).toUpper();
    }
    patterns.removeDuplicates();
    return QStringLiteral("Picture File(*.bmp,*.jpg) (%1)").arg(patterns.join(u' '));
}

PropertyStore ButtonDesign(const QString &caption)
{
    PropertyStore store = TahomaDesign();
    store.setText(QStringLiteral("caption"), caption);
    return store;
}

} // namespace

Main::Main(UserInteraction *interaction, const QString &programFolder,
           const QString &fallbackConfigFolder, const QStringList &steamFolders, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_interaction(interaction),
      m_programFolder(programFolder),
      m_steamFolders(steamFolders),
      m_settingsLocation(programFolder, fallbackConfigFolder),
      m_fallbackConfigFolder(fallbackConfigFolder)
{
    setWindowTitle(QStringLiteral("Quiltra"));
    setAcceptDrops(true);
    setFixedSize(ClientSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_picture2 = QImage(10, 10, QImage::Format_RGB32);
    m_picture2.fill(Qt::black);
    createControls();
    setWindowIcon(QPixmap::fromImage(*elpanel1->get_icon_hdc()));

    for (int resolution = 0; resolution < ResolutionCount; ++resolution)
        elcombo1->AddItem(ResolutionText(resolution));
    for (int screen = 0; screen < ScreenShapeCount; ++screen)
        elcombo2->AddItem(ScreenShapeText(screen));
    // The screen the user made for last; 4:3, the stretch of old, when none is kept.
    QByteArray kept;
    ReadRegularFile(screenChoiceFile(), 16, &kept, nullptr);
    m_framing.Screen = qMax(0, ScreenShapeIndex(QString::fromLatin1(kept.trimmed())));
    elcombo2->SetListIndex(m_framing.Screen);
    connect(elcombo2, &elcombo::Click, this, &Main::ScreenChange);
    // Selecting raises the list's Click, which sizes and paints the preview.
    elcombo1->SetListIndex(1);
    m_lastGeneratedResolution = -1;
}

void Main::createControls()
{
    elpanel1 = new elpanel(this);
    PropertyStore panel = TahomaDesign();
    panel.setText(QStringLiteral("title"), QStringLiteral("Quiltra v3.0"));
    elpanel1->ReadProperties(panel);
    elpanel1->setGeometry(-1, 0, 827, 687);

    const auto button = [this](const QString &caption, QRect geometry) {
        auto *b = new elboton(elpanel1);
        b->ReadProperties(ButtonDesign(caption));
        b->setGeometry(geometry);
        return b;
    };
    elboton1 = button(QStringLiteral("Run Cs"), QRect(12, 652, 121, 24));
    elboton4 = button(QStringLiteral("Zip Files"), QRect(141, 652, 121, 24));
    elboton2 = button(QStringLiteral("Make Cs Background"), QRect(558, 652, 145, 24));
    elboton3 = button(QStringLiteral("Load Picture"), QRect(711, 652, 103, 24));

    ellabel1 = new ellabel(elpanel1);
    PropertyStore label = TahomaDesign();
    label.setText(QStringLiteral("caption"), QStringLiteral("Resolution:"));
    label.setColor(QStringLiteral("backcolor"), ColorValue::fromRgb(76, 88, 68));
    ellabel1->ReadProperties(label);
    ellabel1->setGeometry(299, 654, 70, 20);

    elcombo1 = new elcombo(elpanel1);
    PropertyStore combo = TahomaDesign();
    combo.setColor(QStringLiteral("forecolor"), ColorValue::fromRgb(255, 255, 255));
    combo.setColor(QStringLiteral("color3dlight"), ColorValue::fromRgb(136, 145, 128));
    combo.setColor(QStringLiteral("color3ddark"), StoredDarkEdge);
    elcombo1->ReadProperties(combo);
    elcombo1->setGeometry(374, 654, 145, 20);

    // The screen choice sits in the title bar, clear of the controls below.
    ellabel2 = new ellabel(elpanel1);
    label.setText(QStringLiteral("caption"), QStringLiteral("Made for:"));
    ellabel2->ReadProperties(label);
    ellabel2->setGeometry(566, 9, 80, 20);
    elcombo2 = new elcombo(elpanel1);
    elcombo2->ReadProperties(combo);
    elcombo2->setGeometry(650, 8, 100, 20);

    elframe1 = new elframe(elpanel1);
    elframe1->ReadProperties(PropertyStore());
    elframe1->setGeometry(12, 40, 803, 603);

    Picture3 = new PictureBox(elframe1);
    Picture3->setGeometry(1, 1, 800, 600);
    Picture3->installEventFilter(this);

    const std::pair<QWidget *, const char *> named[] = {
        {elpanel1, "elpanel1"}, {elboton1, "elboton1"}, {elboton2, "elboton2"}, {elboton3, "elboton3"},
        {elboton4, "elboton4"}, {ellabel1, "ellabel1"}, {elcombo1, "elcombo1"}, {elframe1, "elframe1"},
        {Picture3, "Picture3"}, {ellabel2, "ellabel2"}, {elcombo2, "elcombo2"}};
    for (const auto &[control, name] : named)
        control->setObjectName(QLatin1String(name));

    // Tab goes as the window is seen: the screen choice at the top, the preview when it frames,
    // then the bottom row, left to right.
    setTabOrder(elcombo2, Picture3);
    setTabOrder(Picture3, elboton1);
    setTabOrder(elboton1, elboton4);
    setTabOrder(elboton4, elcombo1);
    setTabOrder(elcombo1, elboton2);
    setTabOrder(elboton2, elboton3);

    connect(elcombo1, &elcombo::Click, this, &Main::ResolutionChange);
    connect(elboton3, &elboton::Click, this, &Main::LoadPicture);
    connect(elboton1, &elboton::Click, this, &Main::RunGame);
    connect(elboton2, &elboton::Click, this, &Main::GenerateBackground);
    connect(elboton4, &elboton::Click, this, &Main::ZipFiles);
    connect(elpanel1, &elpanel::TitleMouseDown, this, &Main::titleMouseDown);
    connect(elpanel1, &elpanel::TitleMouseMove, this, &Main::titleMouseMove);
    connect(elpanel1, &elpanel::TitleMouseUp, this, &Main::titleMouseUp);
    connect(elpanel1, &elpanel::CloseClick, this, [this] { m_interaction->endProgram(); });

    // The emblem opens the menu below itself, a right-click anywhere on the panel where it
    // was clicked, and Alt+Space below the emblem, as a window's system menu opens.
    const auto belowEmblem = [this] {
        return elpanel1->mapToGlobal(QPoint(0, elpanel1->titleGeometry().bottom() + 1));
    };
    connect(elpanel1, &elpanel::IconMouseDown, this, [this, belowEmblem](int pressed) {
        showTitleMenu(pressed == RightButton ? QCursor::pos() : belowEmblem());
    });
    const auto onRightClick = [this](int pressed) {
        if (pressed == RightButton)
            showTitleMenu(QCursor::pos());
    };
    connect(elpanel1, &elpanel::TitleMouseDown, this, onRightClick);
    connect(elpanel1, &elpanel::MouseDown, this, onRightClick);
    connect(new QShortcut(QKeySequence::Paste, this), &QShortcut::activated, this, &Main::PastePicture);
    auto *systemMenu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(systemMenu, &QShortcut::activated, this, [this, belowEmblem] { showTitleMenu(belowEmblem()); });
}

void Main::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Start-up runs from the event loop once the window is on screen, so its dialogs have a
    // visible owner and ending the program stops a running loop.
    if (!m_startUpQueued) {
        m_startUpQueued = true;
        QMetaObject::invokeMethod(this, &Main::StartUp, Qt::QueuedConnection);
    }
}

void Main::closeEvent(QCloseEvent *event)
{
    m_interaction->endProgram();
    event->accept();
}

void Main::StartUp()
{
    // The questions below keep the event loop running, so this can be reached again.
    if (m_startUpStarted || m_startUpDone)
        return;
    m_startUpStarted = true;

    loadStoredSettings();
    ChooseLanguage();
    if (!LocateGameExe())
        return;
    ChooseGame();
    if (!LocateBackgroundFolder())
        return;
    recoverInterruptedChanges();
    loadDefaultPicture();
    stretchPicture();
    ApplyCaptions();
    storeSettings();
    m_startUpDone = true;
}

void Main::failStartUp(const QString &message)
{
    m_interaction->showMessage(message);
    m_interaction->endProgram();
}

void Main::loadStoredSettings()
{
    QString error;
    if (!m_settingsLocation.read(m_settings, &error))
        m_interaction->showMessage(error);
}

void Main::storeSettings()
{
    QString error;
    if (!m_settingsLocation.write(m_settings, &error))
        m_interaction->showMessage(error);
}

void Main::ChooseLanguage()
{
    if (m_settings.Language == 0 || m_settings.Language == 1)
        m_currentLanguage = m_settings.Language;
    else
        m_currentLanguage = m_interaction->askLanguage() == 0 ? 0 : 1;
    m_settings.Language = qint16(m_currentLanguage);
    if (m_currentLanguage == 0) {
        m_langStrings.ApplyEnglish();
        QCoreApplication::removeTranslator(&m_messageTranslator);
    } else {
        m_langStrings.ApplySpanish();
        QCoreApplication::installTranslator(&m_messageTranslator);
    }
    ApplyCaptions();
}

bool Main::usablePath(const QString &path)
{
    // config.dat holds one path per line.
    if (!path.contains(u'\n') && !path.contains(u'\r'))
        return true;
    m_interaction->showMessage(Quiltra::tr("%1 cannot be used: its path holds a line break")
                                   .arg(QDir::toNativeSeparators(path)));
    return false;
}

bool Main::LocateGameExe()
{
    if (!m_settings.ExePath.isEmpty() && QFileInfo(m_settings.ExePath).isFile())
        return true;
    // Where Steam installed the game, the dialog opens on it, chosen already.
    const QList<SteamInstall> installs = FindSteamInstalls(m_steamFolders, ExecutableNames());
    const QString found = installs.isEmpty() ? QString() : installs.first().Executable;
    QString chosen;
    do {
        chosen = m_interaction->openFileName(m_langStrings.Entry(LangEntry::LocateExeTitle), ExeFilter, found);
    } while (!chosen.isEmpty() && !usablePath(chosen));
    if (chosen.isEmpty()) {
        failStartUp(m_langStrings.Entry(LangEntry::UnableToLocateExe));
        return false;
    }
    m_settings.ExePath = QDir::toNativeSeparators(chosen);
    return true;
}

void Main::ChooseGame()
{
    const int game = m_interaction->askGame();
    m_currentGame = game >= 0 && game < GameCount ? game : GameCount - 1;
}

bool Main::LocateBackgroundFolder()
{
    const GameProfile &profile = ProfileOf(m_currentGame);
    QString &folder = m_settings.Folder(m_currentGame);
    // Tiles go into the folder itself and the layout files into its parent, so only a real
    // resource/background folder will do; a stored one that is not is asked for again.
    // Condition Zero often lives in "czero"; no need to ask when it is there.
    const QString found = FoundBackgroundFolder(m_settings.ExePath, m_currentGame, folder);
    if (!found.isEmpty()) {
        folder = found;
        return true;
    }
    QString picked;
    do {
        picked = m_interaction->pickFolder(QString::fromLatin1(profile.BrowsePrompt) + QLatin1Char('\n')
                                           + QString::fromLatin1(profile.BrowseHint));
    } while (!picked.isEmpty() && !usablePath(picked));
    const QString relative = RelativeBackgroundFolder(QDir::toNativeSeparators(picked),
                                                      GameRoot(m_settings.ExePath));
    if (relative.isEmpty() || !QFileInfo(picked).isDir()) {
        failStartUp(m_langStrings.Entry(profile.BackgroundFolderMessage));
        return false;
    }
    folder = relative;
    return true;
}

void Main::recoverInterruptedChanges()
{
    // A change the program was killed in the middle of is finished or undone, and said once.
    QString error;
    const QStringList recovered = Commands::Recover(game(), &error);
    if (!recovered.isEmpty() || !error.isEmpty())
        m_interaction->showMessage((recovered + QStringList(error)).join(u'\n').trimmed());
}

void Main::loadDefaultPicture()
{
    // Beside the program, as it runs from its build or unpacked; else where a package installs it.
    const QString name = QString::fromLatin1(ProfileOf(m_currentGame).DefaultPicture);
    for (const QString &folder : {m_programFolder, m_programFolder + QStringLiteral("/../share/quiltra")}) {
        const QString file = QDir(folder).filePath(name);
        if (QFileInfo(file).isFile()) {
            loadPictureFile(QDir::cleanPath(file));
            return;
        }
    }
}

bool Main::loadPictureFile(const QString &fileName)
{
    // Decoded as the command line decodes it for this resolution, so both make the same tiles.
    const int resolution = elcombo1->GetListIndex();
    QImage decoded;
    QString error;
    bool ok;
    {
        WaitCursor wait;
        ok = Commands::DecodePictureFor(fileName, resolution, &decoded, &error, m_framing);
    }
    if (!ok) {
        m_interaction->showMessage(error);
        return false;
    }
    m_picture2 = decoded;
    m_pictureFile = fileName;
    m_decodedFor = Commands::DecodeSizeFor(resolution, m_framing);
    // A new picture is framed afresh.
    m_framing.Crop = m_framing.Keep = QRect();
    return true;
}

void Main::ApplyCaptions()
{
    const GameProfile &profile = ProfileOf(m_currentGame);
    elboton1->setCaption(m_langStrings.Entry(profile.RunCaption));
    elboton2->setCaption(m_langStrings.Entry(profile.MakeCaption));
    elboton3->setCaption(m_langStrings.Entry(LangEntry::LoadPictureCaption));
    ellabel1->setCaption(m_langStrings.Entry(LangEntry::ResolutionCaption));
    ellabel2->setCaption(Quiltra::tr("Made for:"));
    // Wide HD joins the list once the language is known; it is the same for every game.
    if (elcombo1->ListCount() == ResolutionCount)
        elcombo1->AddItem(Quiltra::tr("Wide HD"));
}

void Main::stretchPicture()
{
    WaitCursor wait;
    const int resolution = elcombo1->GetListIndex();
    // Another resolution or framing needs the picture decoded for it; should its file be gone
    // meanwhile, the picture decoded before serves.
    const QSize wanted = Commands::DecodeSizeFor(resolution, m_framing);
    QImage decoded;
    if (!m_pictureFile.isEmpty() && m_decodedFor != wanted
        && Commands::DecodePictureFor(m_pictureFile, resolution, &decoded, nullptr, m_framing)) {
        m_picture2 = decoded;
        m_decodedFor = wanted;
    }
    m_scaledPicture = Commands::MadePicture(m_picture2, resolution, m_framing);
    // The screen choice is for classic makes; Wide HD is made for every screen.
    elcombo2->setEnabled(resolution != WideHdResolution);
    const bool framing = !m_framing.isWhole(resolution) || resolution == WideHdResolution;
    if (resolution >= 0 && resolution < ResolutionCount && !framing)
        Picture3->resize(ResolutionSize(resolution));
    else if (resolution >= 0 && resolution < ListedResolutionCount)
        Picture3->resize(PreviewArea);
    // A framed make is shown whole, darkened outside the part it keeps; Wide HD with what each
    // kind of screen will show of it.
    Picture3->setFocusPolicy(framing ? Qt::StrongFocus : Qt::NoFocus);
    if (!framing) {
        Picture3->setImage(m_scaledPicture);
        return;
    }
    const QRect kept = Commands::FramedArea(m_picture2.size(), resolution, m_framing);
    Picture3->setImage(FramingPreview(m_picture2, Picture3->size(), PreviewBackColor, kept,
                                      resolution == WideHdResolution ? framedPart() : QRect()));
}

QRect Main::framedPart() const
{
    const int resolution = elcombo1->GetListIndex();
    if (resolution == WideHdResolution)
        return m_framing.Keep.isNull() ? ShownOnEveryScreen(m_picture2.size()) : m_framing.Keep;
    return m_framing.isWhole(resolution) ? QRect() : Commands::FramedArea(m_picture2.size(), resolution, m_framing);
}

void Main::moveFraming(QPoint offset, double zoom)
{
    const QRect now = framedPart();
    if (now.isEmpty())
        return;
    const QSize picture = m_picture2.size();
    const bool wide = elcombo1->GetListIndex() == WideHdResolution;
    // Never larger than the largest part of its shape, nor smaller than an eighth of it.
    const QSize largest = wide ? ShownOnEveryScreen(picture).size() : LargestCentredArea(picture, m_framing.Screen).size();
    const int width = qBound(qMax(1, largest.width() / 8), int(qRound(now.width() * zoom)), largest.width());
    const QSize size(width, qBound(1, int(qRound(double(width) * largest.height() / largest.width())), largest.height()));
    QRect moved(QPoint(), size);
    moved.moveCenter(now.center() + offset);
    moved.moveLeft(qBound(0, moved.left(), picture.width() - size.width()));
    moved.moveTop(qBound(0, moved.top(), picture.height() - size.height()));
    // Where no part of the picture could show it whole on every screen, it stays.
    if (moved == now || (wide && WideHdTrim(picture, moved).isEmpty()))
        return;
    (wide ? m_framing.Keep : m_framing.Crop) = moved;
    stretchPicture();
}

bool Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Picture3 || framedPart().isEmpty())
        return QWidget::eventFilter(watched, event);
    const QRect place = PreviewPlace(m_picture2.size(), Picture3->size());
    // One pixel of the preview is this many of the picture.
    const double scale = place.isEmpty() ? 1.0 : double(m_picture2.width()) / place.width();
    const auto moveBy = [this, scale](QPoint previewPixels) {
        moveFraming(QPoint(qRound(previewPixels.x() * scale), qRound(previewPixels.y() * scale)), 1.0);
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_framingDrag = true;
        m_framingFrom = mouse->position().toPoint();
        Picture3->setFocus(Qt::MouseFocusReason);
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_framingDrag)
            return false;
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        moveBy(at - m_framingFrom);
        m_framingFrom = at;
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_framingDrag = false;
        return true;
    case QEvent::Wheel:
        if (const int turned = static_cast<QWheelEvent *>(event)->angleDelta().y())
            moveFraming(QPoint(), turned > 0 ? 0.9 : 1 / 0.9);
        return true;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        // An arrow moves by four pixels of the preview, forty with Shift.
        const int step = key->modifiers() & Qt::ShiftModifier ? 40 : 4;
        switch (key->key()) {
        case Qt::Key_Left: moveBy(QPoint(-step, 0)); return true;
        case Qt::Key_Right: moveBy(QPoint(step, 0)); return true;
        case Qt::Key_Up: moveBy(QPoint(0, -step)); return true;
        case Qt::Key_Down: moveBy(QPoint(0, step)); return true;
        case Qt::Key_Plus:
        case Qt::Key_Equal: moveFraming(QPoint(), 0.9); return true;
        case Qt::Key_Minus: moveFraming(QPoint(), 1 / 0.9); return true;
        default: return false;
        }
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

QString Main::screenChoiceFile() const
{
    return QDir(m_fallbackConfigFolder).filePath(QStringLiteral("made-for.txt"));
}

void Main::ScreenChange()
{
    const int screen = elcombo2->GetListIndex();
    if (screen < 0 || screen >= ScreenShapeCount || screen == m_framing.Screen)
        return;
    m_framing.Screen = screen;
    m_framing.Crop = QRect();
    stretchPicture();
    QString error;
    if (!QDir().mkpath(m_fallbackConfigFolder))
        error = Quiltra::tr("Cannot create the folder %1").arg(QDir::toNativeSeparators(m_fallbackConfigFolder));
    else
        WriteWholeFile(screenChoiceFile(), ScreenShapeText(screen).toLatin1() + "\r\n", &error);
    if (!error.isEmpty())
        m_interaction->showMessage(error);
}

void Main::ResolutionChange()
{
    stretchPicture();
}

void Main::PastePicture()
{
    const QImage pasted = QGuiApplication::clipboard()->image();
    if (pasted.isNull())
        return;
    if (qint64(pasted.width()) * pasted.height() > MaxPicturePixels) {
        m_interaction->showMessage(Quiltra::tr("The pasted picture is too large (%1 x %2 pixels; at most %3 megapixels)")
                                       .arg(pasted.width()).arg(pasted.height()).arg(MaxPicturePixels / 1'000'000));
        return;
    }
    m_picture2 = pasted.convertToFormat(QImage::Format_RGB32);
    m_pictureFile.clear();
    m_framing.Crop = m_framing.Keep = QRect();
    stretchPicture();
}

// The local file a drag brings, if it brings exactly one.
static QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().first().isLocalFile())
        return {};
    return mime->urls().first().toLocalFile();
}

void Main::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Main::dropEvent(QDropEvent *event)
{
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    if (file.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        InstallArchive(file);
    else if (loadPictureFile(file))
        stretchPicture();
}

void Main::LoadPicture()
{
    const QString file = m_interaction->openFileName(QStringLiteral("Load Picture..."), PictureFilter());
    if (file.isEmpty())
        return;
    if (loadPictureFile(file))
        stretchPicture();
}

GameFolders Main::game() const
{
    return ResolveGameFolders(m_currentGame, m_settings.ExePath, m_settings.Folder(m_currentGame),
                              m_settings.UseAddonFolder);
}

void Main::GenerateBackground()
{
    const int resolution = elcombo1->GetListIndex();
    if (resolution < 0 || resolution >= ListedResolutionCount)
        return;
    const GameProfile &profile = ProfileOf(m_currentGame);
    CommandResult result;
    {
        WaitCursor wait;
        result = Commands::Make(game(), m_scaledPicture, resolution);
    }
    switch (result.status) {
    case CommandResult::Done:
        m_lastGeneratedResolution = resolution;
        m_interaction->showMessage(m_langStrings.Entry(profile.SuccessMessage));
        break;
    case CommandResult::ResourceFolderMissing:
        m_interaction->showMessage(m_langStrings.Entry(profile.ResourceFolderMessage));
        m_interaction->endProgram();
        break;
    case CommandResult::Failed:
        m_interaction->showMessage(result.errorString);
        break;
    }
}

void Main::ZipFiles()
{
    if (m_lastGeneratedResolution == -1) {
        m_interaction->showMessage(QStringLiteral("First Make The Background !"));
        return;
    }
    const QString chosen = m_interaction->saveFileName(QStringLiteral("Zip Files..."),
                                                       QStringLiteral("Zip File(*.zip)"));
    if (chosen.isEmpty())
        return;
    CommandResult result;
    {
        WaitCursor wait;
        result = Commands::Zip(game(), chosen);
    }
    if (result.ok())
        m_interaction->showMessage(QStringLiteral("Files Zipped Successfully !"));
    else
        m_interaction->showMessage(QStringLiteral("Error: Files Not Zipped Correctly.\n")
                                   + result.errorString);
}

void Main::RunGame()
{
    // The game reads its addon folders only when told to.
    const QString addons = m_settings.UseAddonFolder ? QStringLiteral("-addons") : QString();
    QString extraParameters = addons;
    if (AsksExtraParameters(m_currentGame)) {
        const QString offered = OfferedLaunchArgument(m_currentGame, m_settings.Folder(m_currentGame));
        const std::optional<QString> answer = m_interaction->inputText(
            QStringLiteral("Extra Parameters"), addons.isEmpty() ? offered : offered + u' ' + addons);
        if (!answer)
            return;
        extraParameters = *answer;
    }
#ifdef Q_OS_WIN
    const LaunchCommand command = GameLaunchCommand(m_settings.ExePath, extraParameters);
#else
    const LaunchCommand command = SteamAwareLaunchCommand(m_currentGame, m_settings.ExePath, extraParameters,
                                                          QStandardPaths::findExecutable(QStringLiteral("steam")));
#endif
    QString error;
    if (!m_interaction->startDetached(command.Program, command.Arguments, command.WorkingFolder,
                                      &error))
        m_interaction->showMessage(Quiltra::tr("Cannot start %1: %2")
                                       .arg(QDir::toNativeSeparators(command.Program), error));
}

void Main::titleMouseDown(int button, int, float x, float y)
{
    if (button != LeftButton)
        return;
    if (QWindow *window = windowHandle(); window && window->startSystemMove())
        return;
    m_dragging = true;
    m_grabOffset = QPointF(x, y).toPoint() + elpanel1->pos() + elpanel1->titleGeometry().topLeft();
}

void Main::titleMouseMove(int, int, float, float)
{
    if (!m_dragging)
        return;
    const QPoint pointer = QCursor::pos();
    move(pointer - m_grabOffset);
}

void Main::titleMouseUp(int, int, float, float)
{
    m_dragging = false;
}

void Main::showTitleMenu(const QPoint &globalPos)
{
    enum { Restore, Export, Install, OpenFolder, Addon, About };
    QList<MenuEntry> entries{{Quiltra::tr("Restore Original Background"), HasOriginalBackup(game().Resource)},
                             {Quiltra::tr("Export Background As Picture..."), true},
                             {Quiltra::tr("Install Background From Zip..."), true},
                             {Quiltra::tr("Open Background Folder"), true},
                             {Quiltra::tr("Use The Addon Folder"), true},
                             {Quiltra::tr("About Quiltra"), true}};
    entries[Addon].checkable = true;
    entries[Addon].checked = m_settings.UseAddonFolder;
    switch (m_interaction->chooseFromMenu(globalPos, entries)) {
    case Addon:
        m_settings.UseAddonFolder = !m_settings.UseAddonFolder;
        // What was made last lies in the other folder now.
        m_lastGeneratedResolution = -1;
        storeSettings();
        if (m_settings.UseAddonFolder && !m_addonHintShown) {
            m_addonHintShown = true;
            m_interaction->showMessage(Quiltra::tr("The game shows what is in its addon folder only while \"Allow custom addon content\" is on in its video options."));
        }
        break;
    case Restore:
        RestoreOriginal();
        break;
    case Export:
        ExportBackground();
        break;
    case Install: {
        const QString archive = m_interaction->openFileName(Quiltra::tr("Install Background From Zip..."),
                                                            QStringLiteral("Zip File(*.zip) (*.zip *.ZIP)"));
        if (!archive.isEmpty())
            InstallArchive(archive);
        break;
    }
    case OpenFolder: {
        QString error;
        const QString folder = game().Background;
        if (!m_interaction->openFolder(folder, &error))
            m_interaction->showMessage(Quiltra::tr("Cannot open %1: %2").arg(QDir::toNativeSeparators(folder), error));
        break;
    }
    case About:
        m_interaction->showMessage(
            Quiltra::tr("Quiltra 3.0 makes main-menu backgrounds for Counter-Strike 1.6, Condition Zero, Day of Defeat and Half-Life DeathMatch."));
        break;
    default:
        break;
    }
}

void Main::RestoreOriginal()
{
    const QString name = QString::fromLatin1(ProfileOf(m_currentGame).DialogLabel);
    if (!m_interaction->askYesNo(Quiltra::tr("Restore the original background of %1? The current one is replaced.").arg(name)))
        return;
    CommandResult result;
    {
        WaitCursor wait;
        result = Commands::Restore(game());
    }
    // What was made last is gone, or partly gone: there is nothing left to pack.
    m_lastGeneratedResolution = -1;
    m_interaction->showMessage(result.ok() ? Quiltra::tr("Original Background Restored") : result.errorString);
}

void Main::ExportBackground()
{
    // Nothing to export is said before a file is asked for.
    QImage picture;
    QString error;
    if (!Commands::ComposeShown(game(), &picture, &error)) {
        m_interaction->showMessage(error);
        return;
    }
    const QString chosen = m_interaction->saveFileName(Quiltra::tr("Export Background As Picture..."),
                                                       QStringLiteral("PNG (*.png);;JPEG (*.jpg *.jpeg);;BMP (*.bmp)"));
    if (chosen.isEmpty())
        return;
    const CommandResult result = Commands::Export(game(), chosen);
    m_interaction->showMessage(result.ok() ? Quiltra::tr("Background Exported") : result.errorString);
}

void Main::InstallArchive(const QString &archive)
{
    CommandResult result;
    {
        WaitCursor wait;
        result = Commands::Install(game(), archive);
    }
    // What was made last may have been replaced: there is nothing sure left to pack.
    if (!result.touched.isEmpty())
        m_lastGeneratedResolution = -1;
    m_interaction->showMessage(result.ok() ? Quiltra::tr("Background Installed") : result.errorString);
}
