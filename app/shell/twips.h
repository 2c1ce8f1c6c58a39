#pragma once
// Window sizes given in twips (1/1440 inch), converted at the screen's resolution.
#include <QSize>

class QWidget;

namespace dw::shell {

inline constexpr int kTwipsPerInch = 1440;

// Pixels for a length in twips, horizontally or vertically, at the logical resolution of the
// widget's screen (the primary screen when it has none). Rounded to nearest; never fails.
int twipsToPixelsX(int twips, const QWidget* widget);
int twipsToPixelsY(int twips, const QWidget* widget);
QSize twipsToPixels(int widthTwips, int heightTwips, const QWidget* widget);

} // namespace dw::shell
