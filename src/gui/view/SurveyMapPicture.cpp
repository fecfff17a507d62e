#include "view/SurveyMapPicture.h"

#include <QPainter>

#include "document/CMyVeskDoc.h"
#include "survey/LabelPlacement.h"
#include "survey/SurveyMapGeometry.h"
#include "view/ScreenSpace.h"
#include "view/SheetPicture.h"
#include "zonemap/PrefectureOutlines.h"
#include "zonemap/PrefectureTable.h"

namespace vesk::gui {
namespace {

const QColor kGrey(128, 128, 128);
const QColor kGreen(0, 255, 0);

QPoint ToPoint(const ZoneMap& map, PlanePoint point) {
    const MapPixel pixel = map.Position(point);
    return QPoint(pixel.x, pixel.y);
}

void PaintOutlines(QPainter& painter, int zone, const ZoneMap& map) {
    const ScreenSpace screen(painter);
    painter.setPen(QPen(kGrey, 1));
    for (std::span<const PlanePoint> outline : PrefectureOutlines(zone)) {
        for (std::size_t i = 1; i < outline.size(); ++i) {
            painter.drawLine(screen.Map(ToPoint(map, outline[i - 1])),
                             screen.Map(ToPoint(map, outline[i])));
        }
    }
}

void PaintNames(QPainter& painter, int zone, const ZoneMap& map, const LabelPlacement& placement) {
    const ScreenSpace screen(painter);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(kGrey);
    const auto drawName = [&](int index, PlanePoint at) {
        const QPoint centre = screen.Map(ToPoint(map, at));
        DrawCentredText(painter, centre.x(), centre.y(),
                        QString::fromStdString(PrefectureNameAndLabel(zone, index).name));
    };
    if (placement.on) {
        if (placement.index >= 0 && placement.index < PrefectureCount(zone)) {
            drawName(placement.index, PlanePoint{placement.x, placement.y});
        }
    } else {
        for (int index = 0; index < PrefectureCount(zone); ++index) {
            drawName(index, PrefectureNameAndLabel(zone, index).position);
        }
    }
}

void PaintSheets(QPainter& painter, const CMyVeskDoc& doc, const ZoneMap& map) {
    const ScreenSpace screen(painter);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(kGreen);
    for (const SurveyEntry& entry : doc.Survey()) {
        if (entry.area.zone != doc.SurveyZone()) {
            continue;
        }
        // The same rectangle the hit test uses: left and bottom from the
        // origin, right and top from the far corner.
        const PixelRect r = screen.Map(SurveyEntryRect(entry.area, map));
        const QPoint corners[] = {
            {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}, {r.left, r.top}};
        painter.drawPolygon(corners, 4);
    }
}

}  // namespace

void PaintSurveyMap(QPainter& painter, const CMyVeskDoc& doc, const LabelPlacement& placement) {
    const int zone = doc.SurveyZone();
    const ZoneMap map = doc.SurveyMap();
    PaintOutlines(painter, zone, map);
    if (doc.ShowsPrefectureNames()) {
        PaintNames(painter, zone, map, placement);
    }
    PaintSheets(painter, doc, map);
}

}  // namespace vesk::gui
