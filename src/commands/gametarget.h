#pragma once

#include "background/generatebackground.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// The game a command works on: where its executable is, its own background folder relative to
// the game root, and whether its addon folder is used instead of that.
struct GameTarget {
    QString ExePath;
    QString OwnFolder;
    bool UseAddonFolder = false;

    // The background folder the commands work in, relative: the own one, or its addon twin.
    QString workFolder() const;
    // The full path of the resource folder above it, where the layout files go.
    QString resourceFolder() const;
    // Whether the game reads the HD layout files: its own liblist.gam says so, wherever the
    // files go.
    bool readsHdLayouts() const;
};

// `loaded` as a make at `resolution` cuts it: stretched to the size of 0..3, or in Wide HD kept
// in shape and fitted within 3840x1600. Null outside those.
QImage MadePicture(const QImage &loaded, int resolution);

// Makes the background of `resolution` from `madePicture`, MadePicture's result: the game's own
// background is kept aside first (failing that, nothing is written), the addon folder is made
// where it is missing, then every tile and layout file is written, or none.
GenerateResult MakeBackground(const GameTarget &target, const QImage &madePicture, int resolution);

// Installs the background shared in `archive` into the target's resource folder (the addon
// folder made where missing); `installed` gets the files put in place.
bool InstallArchiveInto(const GameTarget &target, const QString &archive, QStringList *installed,
                        QString *errorString);

// Writes `picture` to `fileName`: JPEG at quality 95 where the name ends in .jpg or .jpeg, else
// PNG. False, with the file and the reason, when it could not be written whole.
bool WritePictureFile(const QString &fileName, const QImage &picture, QString *errorString);
