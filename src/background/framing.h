#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The screens a classic background can be made for, by index: 0 4:3, 1 16:10, 2 16:9, 3 21:9.
// The game stretches a classic background over the whole screen, so a make for another screen
// than 4:3 keeps a part of the picture of that screen's shape; the stretch restores it.
constexpr int ScreenShapeCount = 4;

// A screen's shape as width:height; {0, 0} outside 0..3. "21:9" screens are 2560x1080 (64:27)
// and 3440x1440 (43:18); it stands for the wider, so a kept area stays whole on both, and a
// classic make shows within 1 % of round on each.
struct ScreenShape
{
    int Width = 0;
    int Height = 0;
};
ScreenShape ScreenShapeOf(int screen);

// "16:9"; empty outside 0..3.
QString ScreenShapeText(int screen);

// The index of the screen `text` names ("16:10"); -1 for any other text.
int ScreenShapeIndex(const QString &text);

// The largest part of screen `screen`'s shape centred in a picture of `picture` size.
QRect LargestCentredArea(const QSize &picture, int screen);

// Whether `area` has screen `screen`'s shape, to within a pixel on either side.
bool HasScreenShape(const QSize &area, int screen);

// The part of a Wide HD background of `made` size that a screen of `aspectWidth`:`aspectHeight`
// shows: the game scales the background to cover the screen keeping its shape, centred, and
// cuts what overflows.
QRect ScreenCover(const QSize &made, int aspectWidth, int aspectHeight);

// The part of a Wide HD background of `made` size that every screen from 4:3 to 21:9 shows:
// as wide as 4:3 shows it and as high as 21:9 shows it, centred.
QRect ShownOnEveryScreen(const QSize &made);

// The largest part of a picture of `picture` size that, made into a Wide HD background, shows
// all of `keep` on every screen from 4:3 to 21:9, cutting no more than that needs: any larger
// part would lose some of `keep` on one of them. Empty when no part does, because `keep` lies
// outside the picture or is too wide or too tall for it.
QRect WideHdTrim(const QSize &picture, const QRect &keep);
