#pragma once

class QColor;
class QWidget;

namespace ui {

// WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

// For a control whose text the chart reading writes black or red: under a dark theme its
// field turns white and its own text black, so both colours stay legible; under a light
// theme, where they already are, it is left exactly as the theme draws it.
void keepLightField(QWidget* control);

}  // namespace ui
