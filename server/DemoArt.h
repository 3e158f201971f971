#pragma once

#include <QImage>
#include <QString>

// Draws the demo pictures: library photos, vector pictures, shapes, help
// screenshots and the title cards laid over the demo videos.
class DemoArt
{
public:
    // A landscape scene, 640 x 400; art picks the motif (category * 6 + index).
    static QImage photo(int art, const QString &title);
    // Flat icons on a transparent background, 320 x 320; art = category * 5 + index.
    static QImage vector(int art);
    static QImage shape(int art);
    // A mock screenshot of the client with a numbered hint, 640 x 400.
    static QImage helpPicture(const QString &caption, int seed);
    // A transparent 640 x 360 overlay with a title strip.
    static QImage titleCard(const QString &title, const QString &subtitle);
};
