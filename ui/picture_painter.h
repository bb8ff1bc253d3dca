#pragma once

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

#include "core/path_picture.h"

class QPainter;

// The picture of the path as the screen draws it: the exact picture once turned into doubles, so
// that a repaint computes nothing but the mapping to the widget.
struct PictureScene {
    struct Line {
        double a = 0; // a·u + b·v = c
        double b = 0;
        double c = 0;
        int number = 0;
    };

    double uMin = 0;
    double uMax = 1;
    double vMin = 0;
    double vMax = 1;
    QString uName;
    QString vName;
    // The region's walk; an unbounded region's rays run far beyond the view.
    QPolygonF region;
    bool regionBounded = true;
    std::vector<Line> lines;
    double gradientU = 0;
    double gradientV = 0;
    bool isMax = true;
    std::vector<QPointF> path;
    PathEnd end = PathEnd::Going;
};

PictureScene MakeScene(const PathPicture& picture);

// The colours a student tells the parts of the picture by.
extern const QColor kVertexColour;
extern const QColor kCurrentColour;
extern const QColor kOptimumColour;
extern const QColor kRegionColour;

// Where the view of the plane lies within a painted area: room is left for the ticks' numbers.
QRectF PlotArea(const QRectF& area);
// A point of the plane in the painted area.
QPointF ToScreen(const PictureScene& scene, const QRectF& area, QPointF planePoint);

void PaintPicture(QPainter& painter, const QRectF& area, const PictureScene& scene);
