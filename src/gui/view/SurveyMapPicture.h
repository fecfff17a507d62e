#pragma once

class QPainter;

namespace vesk {
class CMyVeskDoc;
struct LabelPlacement;
}  // namespace vesk

namespace vesk::gui {

// Draws the survey map of the document's survey zone in map pixels: the
// prefecture outlines in grey, their names (or only the placed one) while the
// prefecture-names switch is on, and a green rectangle for each surveyed sheet
// of the zone, later entries over earlier ones. The painter's zoom places
// them; lines and names keep their width and size in device pixels.
void PaintSurveyMap(QPainter& painter, const CMyVeskDoc& doc, const LabelPlacement& placement);

}  // namespace vesk::gui
