#pragma once

#include "commands/commands.h"
#include "commands/settingslocation.h"
#include "games/settings.h"
#include "lang/langstrings.h"
#include "lang/messagetranslator.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class PictureBox;
class UserInteraction;
class elboton;
class elcombo;
class elframe;
class ellabel;
class elpanel;

// Quiltra's one working window: the preview of the picture stretched to the chosen
// resolution, the five commands, and the start-up sequence that settles language, game
// executable, game and background folder before the user works. It has no platform frame;
// its title panel drags it and ends the program.
class Main : public QWidget {
    Q_OBJECT

public:
    // `programFolder` holds the default pictures and, where writable, config.dat;
    // `fallbackConfigFolder` receives config.dat when the program's folder cannot be written.
    // `steamFolders` are where Steam may keep itself here; the game is looked for in their
    // libraries when its executable is not known yet.
    Main(UserInteraction *interaction, const QString &programFolder,
         const QString &fallbackConfigFolder, const QStringList &steamFolders = {},
         QWidget *parent = nullptr);

    // The start-up sequence; acts only the first time it is called. A step that gets no usable
    // answer shows its message and ends the program, leaving config.dat as it was.
    void StartUp();

    // The commands behind the controls.
    void GenerateBackground();
    void ZipFiles();
    void RunGame();
    void LoadPicture();
    // A picture from the clipboard, as if loaded.
    void PastePicture();
    void ResolutionChange();
    // The screen choice changed: a classic make is framed for it from now on, and it is remembered.
    void ScreenChange();
    // Puts the game's own background back, once the user agrees.
    void RestoreOriginal();
    // Saves the background the game shows now as one picture.
    void ExportBackground();
    // Installs the background someone shared in `archive`.
    void InstallArchive(const QString &archive);

    // Run state, for whoever needs to look at it.
    int CurrentLanguage() const { return m_currentLanguage; }
    int LastGeneratedResolution() const { return m_lastGeneratedResolution; }
    // The loaded picture (`Picture2`) and the scaled picture the preview shows.
    const QImage &loadedPicture() const { return m_picture2; }
    const QImage &scaledPicture() const { return m_scaledPicture; }
    // The screen chosen and the part of the picture framed, in the loaded picture's pixels.
    const Commands::Framing &framing() const { return m_framing; }

protected:
    // The preview frames the picture: dragged, wheeled and keyed.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // A picture file dropped on the window loads as Load Picture loads it.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Each control's object name is its member's name, for whoever needs to find it.
    elpanel *elpanel1;
    elboton *elboton1;   // run
    elboton *elboton2;   // make
    elboton *elboton3;   // load picture
    elboton *elboton4;   // zip
    ellabel *ellabel1;
    elcombo *elcombo1;
    ellabel *ellabel2;   // "Made for:"
    elcombo *elcombo2;   // the screen a classic make is for
    elframe *elframe1;
    PictureBox *Picture3;   // the preview, clipped by the frame

    void createControls();
    void loadStoredSettings();
    void ChooseLanguage();
    bool LocateGameExe();
    void ChooseGame();
    bool LocateBackgroundFolder();
    void recoverInterruptedChanges();
    void loadDefaultPicture();
    void ApplyCaptions();
    void storeSettings();
    void stretchPicture();
    // The part of the picture the user frames now: a classic make's crop, or the area a Wide HD
    // make keeps on every screen; empty when the make takes the whole picture as it is.
    QRect framedPart() const;
    // Moves the framed part by `offset` pixels of the picture and scales it by `zoom`, its shape
    // kept, inside the picture and where the game can show it.
    void moveFraming(QPoint offset, double zoom);
    // The screen choice, kept for the user beside the fallback config.dat.
    QString screenChoiceFile() const;
    bool loadPictureFile(const QString &fileName);
    void failStartUp(const QString &message);
    // The title panel's menu, as a window's icon opens its system menu.
    void showTitleMenu(const QPoint &globalPos);
    // The current game's folders as the commands work on them: its own, or its addon folder.
    GameFolders game() const;
    // False, after saying why, for a picked path config.dat could not hold.
    bool usablePath(const QString &path);

    void titleMouseDown(int button, int shift, float x, float y);
    void titleMouseMove(int button, int shift, float x, float y);
    void titleMouseUp(int button, int shift, float x, float y);

    UserInteraction *m_interaction;
    QString m_programFolder;
    QStringList m_steamFolders;
    SettingsLocation m_settingsLocation;

    Settings m_settings;
    LangStrings m_langStrings;
    MessageTranslator m_messageTranslator;   // installed while Spanish is chosen
    int m_currentLanguage = -1;
    int m_currentGame = -1;
    int m_lastGeneratedResolution = -1;
    QImage m_picture2;
    QString m_pictureFile;    // the file m_picture2 was decoded from; empty for a pasted one
    QSize m_decodedFor;       // the size m_picture2 was decoded for
    Commands::Framing m_framing;   // in m_picture2's pixels
    QString m_fallbackConfigFolder;
    bool m_framingDrag = false;
    QPoint m_framingFrom;     // where the drag was last, in the preview
    QImage m_scaledPicture;

    bool m_startUpQueued = false;
    bool m_startUpStarted = false;
    bool m_startUpDone = false;
    bool m_dragging = false;
    bool m_addonHintShown = false;
    QPoint m_grabOffset;
};
