#pragma once
#include <QImage>
#include <QString>

// A picture shown under the object to draw or trace over. It belongs to the
// document's windows only: it is never printed and never written to the
// document's file (the settings remember it for the file instead).
struct CReferenceImage {
    static constexpr double kDefaultScale = 1.0;
    static constexpr int kDefaultOpacity = 50;

    QString path;
    QImage image; // premultiplied, ready to draw
    // Units per image pixel, and where the image's middle lies relative to
    // the center of mass, in units (x right, y down).
    double scale = kDefaultScale;
    double offsetX = 0.0;
    double offsetY = 0.0;
    int opacity = kDefaultOpacity; // percent
    bool hidden = false;
    // A light checkerboard under the picture's transparent pixels, so that a
    // dark picture shows on the black canvas.
    bool backdrop = true;

    bool IsLoaded() const { return !image.isNull(); }
    bool IsShown() const { return IsLoaded() && !hidden; }
};
