#pragma once
// The button row that the calculator windows share.
#include <QString>
#include <functional>

class QHBoxLayout;
class QWidget;

namespace zemtral {

/// @brief "Berechnen" (the default button, object name cmdCalc) at the left, the close button
/// (cmdClose, caption `closeCaption`) at the right. Closing closes the window's MDI frame, or the
/// window itself when it stands alone.
QHBoxLayout* calculatorButtons(QWidget* window, const QString& closeCaption, std::function<void()> calculate);

}  // namespace zemtral
