#pragma once
// A one-line label for status bars: a text longer than the label is painted cut with "..." and
// shown whole in the tool tip, never cut silently. text() stays the whole text.
#include <QLabel>

namespace zemtral {

class ElidingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zemtral
