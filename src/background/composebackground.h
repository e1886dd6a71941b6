#pragma once

#include <QImage>
#include <QString>

// The background a game shows now, put back together from its layout file and tiles, so it
// can be seen or kept whatever made it.

// Reads the layout file the game uses from `resourceFolder` (HD_BackgroundLayout.txt when
// `hdPair`, else BackgroundLayout.txt) and paints every tile it names at its place on a black
// picture of the layout's resolution (at most 3840x2400), into `picture`. Tiles in
// "resource/background/" are taken from the background folder of `resourceFolder`, others
// from the game's folder, its parent, which they may not leave. False, with the file and the
// reason in `errorString` and `picture` untouched, when the layout or any tile cannot be read.
bool ComposeBackground(const QString &resourceFolder, bool hdPair, QImage *picture, QString *errorString);
