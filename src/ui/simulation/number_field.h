#pragma once
// The number input field of the calculation windows.
#include <QLineEdit>
#include <functional>

namespace zemtral {

/// @brief A text box for numbers: the whole text is selected on focus; Ctrl+C and Ctrl+V pass;
/// every other typed character goes through NumericKeyFilter (a comma arrives as a point) and is
/// discarded when refused; Enter calls the Enter handler (moving to the next field) and is discarded.
class NumberField : public QLineEdit {
    Q_OBJECT

  public:
    explicit NumberField(QWidget* parent = nullptr);

    /// @brief What Enter does (the window moves the focus to the field with the next index).
    void setEnterHandler(std::function<void()> handler) { m_enter = std::move(handler); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    std::function<void()> m_enter;
};

}  // namespace zemtral
