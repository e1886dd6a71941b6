#pragma once

#include <QByteArray>
#include <QString>

// Whether a game's liblist.gam text switches its HD menu background on: a line
// `hd_background "1"` (the key in any letter case, the value quoted or bare, `//` comments,
// CR LF, LF or CR line ends). The last such line counts.
bool HdBackgroundSwitchedOn(const QByteArray &liblist);

// Whether the game whose resource folder is `resourceFolder` reads the HD layout files: its
// liblist.gam, in the folder above, switches them on. False without a readable liblist.gam.
bool GameReadsHdLayouts(const QString &resourceFolder);
